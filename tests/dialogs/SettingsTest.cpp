#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "DialogsTestSupport.h"
#include "dialogs/MainSettings.h"
#include "framework/app/CWinApp.h"
#include "framework/core/FileIO.h"
#include "framework/dialogbase/ModalHook.h"
#include "protocol/Messages.h"
#include "res/ResourceIds.h"
#include "support/TempDir.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/framework/UserActions.h"

namespace {

// The host's main window: counts announcements and keeps the file as it stood when the
// first one (the send, handled at once) arrived.
class HostWindow : public CWnd {
 public:
  int announcements = 0;
  std::string fileWhenAnnounced;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == RegisterPrefsChangedMessage() && announcements++ == 0) {
      fileWhenAnnounced = ReadBytes(GetMainPrefsPath(GetOptionsFolder()));
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

const std::vector<std::set<int>> kPageControls = {
    {IDC_SET_LOAD_ON_STARTUP},
    {IDC_SET_PAUSE_INACTIVE, IDC_SET_IDLE_TIME, IDC_SET_IDLE_UNIT, IDC_SET_PAUSE_SCREENSAVER},
    {IDC_SET_ENABLE_FILTER, IDC_SET_MIN_SECONDS_LABEL, IDC_SET_MIN_SECONDS,
     IDC_SET_MIN_SECONDS_UNIT},
    {IDC_SET_LANGUAGE_LABEL, IDC_SET_LANGUAGE, IDC_SET_ANIMATED_ICON},
    {IDC_SET_ENABLE_PASSWORD, IDC_SET_CHANGE_PASSWORD},
};
constexpr int kSecurity = 4;

std::set<int> VisiblePageControls(CDialog& dialog) {
  std::set<int> shown;
  for (int id = IDC_SET_LOAD_ON_STARTUP; id <= IDC_SET_CONFIRM; ++id) {
    if (dialog.GetDlgItem(id)->IsWindowVisible()) shown.insert(id);
  }
  for (int id : {IDC_SET_LANGUAGE, IDC_SET_SAVE_PASSWORD}) {
    if (dialog.GetDlgItem(id)->IsWindowVisible()) shown.insert(id);
  }
  return shown;
}

bool Enabled(CDialog& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled(); }

class Settings : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(
        std::filesystem::path(GetMainPrefsPath(GetOptionsFolder())).parent_path());
    stored.DbPath = "/data/logs/";
    stored.LastOpenDbFile = "2026-12-01.log";
    stored.IdleTime = 120;
    stored.iShowpProgrUsedMoreSec = 45;
    stored.iShowpProgrUsedMorePercent = 7;
    stored.Pass = "old";
    stored.isPass = true;
    ASSERT_TRUE(WriteMainPrefs(GetMainPrefsPath(GetOptionsFolder()), stored));
    host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0);
    app.m_pMainWnd = &host;
  }
  void TearDown() override { app.m_pMainWnd = nullptr; }

  // Opens the Security page and accepts `password` typed twice.
  static void AcceptNewPassword(ModalRequest& request, const char* password) {
    user::PickListEntry(*request.Dialog(), IDC_SET_PAGES, kSecurity);
    request.Click(IDC_SET_CHANGE_PASSWORD);
    request.Dialog()->SetDlgItemText(IDC_SET_NEW_PASSWORD, password);
    request.Dialog()->SetDlgItemText(IDC_SET_CONFIRM, password);
    request.Click(IDC_SET_SAVE_PASSWORD);
  }
  MainPrefs Written() const {
    MainPrefs prefs;
    ReadMainPrefs(GetMainPrefsPath(GetOptionsFolder()), prefs);
    return prefs;
  }

  MainPrefs stored;
  CWinApp app{"dialogs_tests"};
  HostWindow host;
  ModalSession session;
};

TEST_F(Settings, PagesShowTheirOwnControlsFilledFromTheFile) {
  CMainSettings dialog(GetOptionsFolder());
  session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SET_PAUSE_INACTIVE), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SET_LOAD_ON_STARTUP), BST_UNCHECKED);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SET_IDLE_TIME) + dlg.GetDlgItemText(IDC_SET_MIN_PERCENT),
              "1207");
    EXPECT_TRUE(Enabled(dlg, IDC_SET_CHANGE_PASSWORD));  // protection is on
    auto& language = dynamic_cast<CComboBox&>(*dlg.GetDlgItem(IDC_SET_LANGUAGE));
    EXPECT_EQ(language.GetCount() == 1 ? language.GetLBText(0) : "", "English");
    EXPECT_EQ(language.GetCurSel(), CB_ERR);
    for (bool on : {true, false, true}) {  // the filter switch drives both minimum edits
      request.Click(IDC_SET_ENABLE_FILTER);
      EXPECT_EQ(Enabled(dlg, IDC_SET_MIN_SECONDS) && Enabled(dlg, IDC_SET_MIN_PERCENT), on);
      EXPECT_EQ(Enabled(dlg, IDC_SET_MIN_SECONDS) || Enabled(dlg, IDC_SET_MIN_PERCENT), on);
    }
    const char* titles[] = {"Main Options", "Collection", "Filter", "Interface", "Security"};
    for (int page : {1, 2, 3, 4, 0}) {
      user::PickListEntry(dlg, IDC_SET_PAGES, page);
      EXPECT_EQ(dlg.GetDlgItemText(IDC_SET_PAGE_TITLE), titles[page]);
      EXPECT_EQ(VisiblePageControls(dlg), kPageControls[page]) << titles[page];
    }
  });
  dialog.m_bSecurityFirst = true;
  session.Run(dialog, [&](ModalRequest& request) {
    EXPECT_EQ(request.Dialog()->GetDlgItemText(IDC_SET_PAGE_TITLE), "Security");
    EXPECT_EQ(VisiblePageControls(*request.Dialog()), kPageControls[kSecurity]);
  });
}

TEST_F(Settings, NewPasswordNeedsAMatchingConfirmation) {
  CMainSettings dialog(GetOptionsFolder());
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    AcceptNewPassword(request, "Secret");
    EXPECT_FALSE(Enabled(dlg, IDC_SET_SAVE_PASSWORD));
    dlg.SetDlgItemText(IDC_SET_CONFIRM, "secret");  // letter case counts
    request.Click(IDC_SET_SAVE_PASSWORD);
    EXPECT_EQ(session.boxes, std::vector<std::string>{"Message: The passwords don't match!"});
    EXPECT_TRUE(Enabled(dlg, IDC_SET_SAVE_PASSWORD));
    dlg.SetDlgItemText(IDC_SET_CONFIRM, "Secret");
    EXPECT_EQ(VisiblePageControls(dlg).size(), kPageControls[kSecurity].size() + 5);
    // Away and back shows the page as it opens; switching protection off greys the button.
    user::PickListEntry(dlg, IDC_SET_PAGES, 0);
    user::PickListEntry(dlg, IDC_SET_PAGES, kSecurity);
    EXPECT_EQ(VisiblePageControls(dlg), kPageControls[kSecurity]);
    request.Click(IDC_SET_CHANGE_PASSWORD);
    request.Click(IDC_SET_ENABLE_PASSWORD);
    EXPECT_EQ(VisiblePageControls(dlg), kPageControls[kSecurity]);
    EXPECT_FALSE(Enabled(dlg, IDC_SET_CHANGE_PASSWORD));
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(Written().Pass, "Secret");  // the first, accepted one
  EXPECT_FALSE(Written().isPass);
}

// Enter in a password field saves the password instead of closing the dialog, and the
// fields take no more than the file keeps whole, in whole characters.
TEST_F(Settings, EnterInAPasswordFieldSavesAndTheFieldsHoldWhatTheFileKeeps) {
  const std::string longest(kMaxPassLength - 1, 'x');  // room for one byte more, not two
  CMainSettings dialog(GetOptionsFolder());
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    user::PickListEntry(dlg, IDC_SET_PAGES, kSecurity);
    request.Click(IDC_SET_CHANGE_PASSWORD);
    for (int id : {IDC_SET_NEW_PASSWORD, IDC_SET_CONFIRM}) {
      auto* field = qobject_cast<QLineEdit*>(dlg.GetDlgItem(id)->GetSafeHwnd());
      field->insert(QString::fromStdString(longest + "\xC3\xA9zz"));  // a paste
      EXPECT_EQ(dlg.GetDlgItemText(id), longest);
    }
    dlg.GetDlgItem(IDC_SET_CONFIRM)->SetFocus();
    PressKey(dlg.GetDlgItem(IDC_SET_CONFIRM)->GetSafeHwnd(), Qt::Key_Return);
    EXPECT_FALSE(Enabled(dlg, IDC_SET_SAVE_PASSWORD));
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(Written().Pass, longest);
}

TEST_F(Settings, OkWritesTheControlsKeepsTheRestAndThenAnnounces) {
  CMainSettings dialog(GetOptionsFolder());
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    for (int id : {IDC_SET_LOAD_ON_STARTUP, IDC_SET_PAUSE_SCREENSAVER, IDC_SET_ENABLE_FILTER,
                   IDC_SET_ANIMATED_ICON}) {
      request.Click(id);
    }
    request.Dialog()->SetDlgItemText(IDC_SET_IDLE_TIME, "-15");
    // Typed a key at a time: the number fields refuse the letter.
    auto* seconds =
        qobject_cast<QLineEdit*>(request.Dialog()->GetDlgItem(IDC_SET_MIN_SECONDS)->GetWidget());
    seconds->selectAll();
    for (const char key : std::string("-4x2")) seconds->insert(QString(QChar(key)));
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(session.boxes.empty());
  MainPrefs expected = stored;
  expected.LoadOnStartup = expected.bEnableFilter = true;
  expected.bPauseTimeTrackingOnScreenSaverActive = expected.bAnimatedIconInSysTray = false;
  expected.IdleTime = -15;
  expected.iShowpProgrUsedMoreSec = -42;
  EXPECT_EQ(Written(), expected);
  EXPECT_EQ(host.announcements, 1);  // the send; the posts wait for the event loop
  EXPECT_EQ(host.fileWhenAnnounced, MainPrefsText(expected));
}

// A file that cannot be written is told, and the dialog stays open with the choices made.
TEST_F(Settings, OkThatCannotSaveTellsTheUserAndStaysOpen) {
  CMainSettings dialog(GetOptionsFolder());
  SetWriteFailureAfterBytesForTesting(0);
  const int result = session.Run(dialog, [](ModalRequest& request) { request.PressOk(); });
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(result, IDCANCEL);  // what a dialog the user leaves open ends with here
  EXPECT_EQ(session.boxes, std::vector<std::string>{"TaskMeter: Cannot save the settings to " +
                                                    GetMainPrefsPath(GetOptionsFolder()) +
                                                    ". The file keeps what it held before, so "
                                                    "changes made since are not in it."});
  EXPECT_EQ(host.announcements, 0);
}

}  // namespace

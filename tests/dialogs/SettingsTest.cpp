#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "DialogsTestSupport.h"
#include "dialogs/MainSettings.h"
#include "framework/CWinApp.h"
#include "framework/ModalHook.h"
#include "module/HostMessages.h"
#include "res/ResourceIds.h"
#include "storage/MainPrefs.h"
#include "support/TempDir.h"

namespace {

// The host's main window: counts the announcements and keeps the file as it stood when
// the (synchronous) send arrived.
class HostWindow : public CWnd {
 public:
  int announcements = 0;
  std::string fileAtAnnouncement;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == RegisterPrefsChangedMessage() && announcements++ == 0) {
      fileAtAnnouncement = ReadBytes(GetMainPrefsPath());
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

const std::vector<std::string> kTitles = {"Main Options", "Collection", "Filter", "Interface",
                                          "Security"};
const std::vector<std::set<int>> kPageControls = {
    {IDC_SET_LOAD_ON_STARTUP},
    {IDC_SET_PAUSE_INACTIVE, IDC_SET_IDLE_TIME, IDC_SET_IDLE_UNIT, IDC_SET_PAUSE_SCREENSAVER},
    {IDC_SET_ENABLE_FILTER, IDC_SET_MIN_SECONDS_LABEL, IDC_SET_MIN_SECONDS,
     IDC_SET_MIN_SECONDS_UNIT},
    {IDC_SET_LANGUAGE_LABEL, IDC_SET_LANGUAGE, IDC_SET_ANIMATED_ICON},
    {IDC_SET_ENABLE_PASSWORD, IDC_SET_CHANGE_PASSWORD},
};
const std::vector<int> kPasswordFields = {IDC_SET_NEW_PASSWORD_LABEL, IDC_SET_CONFIRM_LABEL,
                                          IDC_SET_NEW_PASSWORD, IDC_SET_CONFIRM,
                                          IDC_SET_SAVE_PASSWORD};

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
    std::filesystem::create_directories(std::filesystem::path(GetMainPrefsPath()).parent_path());
    stored.DbPath = "/data/logs/";
    stored.LastOpenDbFile = "2026-12-01.log";
    stored.bEnableFilter = false;
    stored.IdleTime = 120;
    stored.iShowpProgrUsedMoreSec = 45;
    stored.iShowpProgrUsedMorePercent = 7;
    stored.Pass = "old";
    stored.isPass = true;
    ASSERT_TRUE(WriteMainPrefs(GetMainPrefsPath(), stored));
    host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0);
    app.m_pMainWnd = &host;
  }
  void TearDown() override { app.m_pMainWnd = nullptr; }

  MainPrefs Written() const {
    MainPrefs prefs;
    ReadMainPrefs(GetMainPrefsPath(), prefs);
    return prefs;
  }

  MainPrefs stored;
  CWinApp app{"dialogs_tests"};
  HostWindow host;
  ModalSession session;
};

TEST_F(Settings, EachPageShowsItsOwnControlsAndTheControlsShowTheFile) {
  CMainSettings dialog;
  session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    auto* pages = dynamic_cast<CListBox*>(dlg.GetDlgItem(IDC_SET_PAGES));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->GetCount(), 5);
    EXPECT_EQ(pages->GetCurSel(), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SET_PAUSE_INACTIVE), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SET_LOAD_ON_STARTUP), BST_UNCHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SET_ENABLE_PASSWORD), BST_CHECKED);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SET_IDLE_TIME), "120");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SET_MIN_SECONDS), "45");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_SET_MIN_PERCENT), "7");
    EXPECT_FALSE(Enabled(dlg, IDC_SET_MIN_SECONDS));  // the filter is off
    EXPECT_TRUE(Enabled(dlg, IDC_SET_CHANGE_PASSWORD));
    auto* language = dynamic_cast<CComboBox*>(dlg.GetDlgItem(IDC_SET_LANGUAGE));
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->GetCount(), 1);
    EXPECT_EQ(language->GetLBText(0), "English");
    EXPECT_EQ(language->GetCurSel(), CB_ERR);
    request.Click(IDC_SET_ENABLE_FILTER);  // so the Filter page shows its edit in use
    for (int page : {1, 2, 3, 4, 0}) {
      ClickListLine(dlg, IDC_SET_PAGES, page);
      EXPECT_EQ(dlg.GetDlgItemText(IDC_SET_PAGE_TITLE), pages->GetText(page));
      EXPECT_EQ(pages->GetText(page), kTitles[page]);
      EXPECT_EQ(VisiblePageControls(dlg), kPageControls[page]) << kTitles[page];
      Shoot(dlg.GetSafeHwnd(), ("settings-" + std::to_string(page + 1)).c_str());
    }
    request.PressCancel();
  });
}

TEST_F(Settings, SecurityFirstOpensOnTheSecurityPage) {
  CMainSettings dialog;
  dialog.m_bSecurityFirst = true;
  session.Run(dialog, [&](ModalRequest& request) {
    EXPECT_EQ(request.Dialog()->GetDlgItemText(IDC_SET_PAGE_TITLE), "Security");
    EXPECT_EQ(VisiblePageControls(*request.Dialog()), kPageControls[4]);
  });
}

TEST_F(Settings, FilterSwitchEnablesBothMinimumEdits) {
  CMainSettings dialog;
  session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    for (bool expected : {true, false, true}) {
      request.Click(IDC_SET_ENABLE_FILTER);
      EXPECT_EQ(Enabled(dlg, IDC_SET_MIN_SECONDS), expected);
      EXPECT_EQ(Enabled(dlg, IDC_SET_MIN_PERCENT), expected);
    }
  });
}

TEST_F(Settings, NewPasswordNeedsAMatchingConfirmationAndOkWritesIt) {
  CMainSettings dialog;
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    ClickListLine(dlg, IDC_SET_PAGES, 4);
    request.Click(IDC_SET_CHANGE_PASSWORD);
    for (int id : kPasswordFields) EXPECT_TRUE(dlg.GetDlgItem(id)->IsWindowVisible()) << id;
    TypeText(dlg, IDC_SET_NEW_PASSWORD, "Secret");
    TypeText(dlg, IDC_SET_CONFIRM, "secret");  // letter case counts
    request.Click(IDC_SET_SAVE_PASSWORD);
    ASSERT_EQ(session.boxes.size(), 1u);
    EXPECT_EQ(session.boxes[0].text, "The passwords don't match!");
    EXPECT_EQ(session.boxes[0].caption, "Message");
    EXPECT_TRUE(Enabled(dlg, IDC_SET_SAVE_PASSWORD));
    TypeText(dlg, IDC_SET_CONFIRM, "Secret");
    request.Click(IDC_SET_SAVE_PASSWORD);
    EXPECT_EQ(session.boxes.size(), 1u);
    EXPECT_FALSE(Enabled(dlg, IDC_SET_SAVE_PASSWORD));
    Shoot(dlg.GetSafeHwnd(), "settings-5-new-password");
    // Away and back shows the page as it opens.
    ClickListLine(dlg, IDC_SET_PAGES, 0);
    ClickListLine(dlg, IDC_SET_PAGES, 4);
    EXPECT_EQ(VisiblePageControls(dlg), kPageControls[4]);
    request.Click(IDC_SET_CHANGE_PASSWORD);
    request.Click(IDC_SET_ENABLE_PASSWORD);  // off: the fields go, the button greys
    EXPECT_EQ(VisiblePageControls(dlg), kPageControls[4]);
    EXPECT_FALSE(Enabled(dlg, IDC_SET_CHANGE_PASSWORD));
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(Written().Pass, "Secret");
  EXPECT_FALSE(Written().isPass);
}

TEST_F(Settings, OkWritesTheControlsKeepsTheRestAndThenAnnounces) {
  CMainSettings dialog;
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    for (int id : {IDC_SET_LOAD_ON_STARTUP, IDC_SET_PAUSE_SCREENSAVER, IDC_SET_ENABLE_FILTER,
                   IDC_SET_ANIMATED_ICON}) {
      request.Click(id);
    }
    TypeText(dlg, IDC_SET_IDLE_TIME, "-15");
    TypeText(dlg, IDC_SET_MIN_SECONDS, "abc");  // not a number: 0, and no message
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(session.boxes.empty());
  MainPrefs expected = stored;
  expected.LoadOnStartup = true;
  expected.bPauseTimeTrackingOnScreenSaverActive = false;
  expected.bEnableFilter = true;
  expected.bAnimatedIconInSysTray = false;
  expected.IdleTime = -15;
  expected.iShowpProgrUsedMoreSec = 0;
  EXPECT_EQ(Written(), expected);
  EXPECT_EQ(host.announcements, 1);  // the send; the posts wait for the event loop
  EXPECT_EQ(host.fileAtAnnouncement, MainPrefsText(expected));
}

TEST_F(Settings, CancelAfterAnAcceptedPasswordWritesAndAnnouncesNothing) {
  const std::string before = ReadBytes(GetMainPrefsPath());
  CMainSettings dialog;
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    ClickListLine(*request.Dialog(), IDC_SET_PAGES, 4);
    request.Click(IDC_SET_CHANGE_PASSWORD);
    TypeText(*request.Dialog(), IDC_SET_NEW_PASSWORD, "new");
    TypeText(*request.Dialog(), IDC_SET_CONFIRM, "new");
    request.Click(IDC_SET_SAVE_PASSWORD);
    request.Click(IDC_SET_LOAD_ON_STARTUP);
    request.PressCancel();
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(ReadBytes(GetMainPrefsPath()), before);
  EXPECT_EQ(host.announcements, 0);
}

}  // namespace

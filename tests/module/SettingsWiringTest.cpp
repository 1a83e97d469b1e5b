// The view's dialogs of settings and of the predefined groups, through its buttons, its
// menu and its lock.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QListWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/core/Autostart.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/module/ViewFixture.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

MainPrefs ReadSavedPrefs(const fs::path& home) {
  std::ifstream in(home / "options" / "mainpref.ini", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  MainPrefs prefs;
  ParseMainPrefsText(bytes.str(), prefs);
  return prefs;
}

void ClickPageListLine(CDialog& dialog, int line) {
  auto* list = qobject_cast<QListWidget*>(dialog.GetDlgItem(IDC_SET_PAGES)->GetWidget());
  ClickAt(list->viewport(), list->visualItemRect(list->item(line)).center());
}

// Security: the fifth page.
void SetPassword(CDialog& dialog, const std::string& password) {
  ClickPageListLine(dialog, 4);
  if (dialog.IsDlgButtonChecked(IDC_SET_ENABLE_PASSWORD) != BST_CHECKED) {
    ClickAt(dialog.GetDlgItem(IDC_SET_ENABLE_PASSWORD)->GetWidget(), QPoint(5, 5));
  }
  ClickAt(dialog.GetDlgItem(IDC_SET_CHANGE_PASSWORD)->GetWidget(), QPoint(5, 5));
  dialog.SetDlgItemText(IDC_SET_NEW_PASSWORD, password);
  dialog.SetDlgItemText(IDC_SET_CONFIRM, password);
  ClickAt(dialog.GetDlgItem(IDC_SET_SAVE_PASSWORD)->GetWidget(), QPoint(5, 5));
}

using SettingsWiringTest = ViewTest;

TEST_F(SettingsWiringTest, SettingsOkIsTakenByTheViewTheHostAndTheAutostartEntry) {
  Open({{"G", {Application("short"), Application("long")}}}, {{"short", 30}, {"long", 600}});
  ASSERT_FALSE(fs::exists(GetAutostartEntryPath()));
  int boxes = 0;
  ScopedModalHook hook([&](ModalRequest& r) {
    if (r.Dialog() == nullptr) return void(++boxes);
    ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MAINSETTINGS);
    CDialog& settings = *r.Dialog();
    ClickAt(settings.GetDlgItem(IDC_SET_LOAD_ON_STARTUP)->GetWidget(), QPoint(5, 5));
    ClickPageListLine(settings, 2);  // Filter
    ClickAt(settings.GetDlgItem(IDC_SET_ENABLE_FILTER)->GetWidget(), QPoint(5, 5));
    settings.SetDlgItemText(IDC_SET_MIN_SECONDS, "60");
    r.PressOk();
  });
  Click(IDC_VIEW_PREFERENCES);
  const MainPrefs saved = ReadSavedPrefs(host.Home());
  EXPECT_TRUE(saved.LoadOnStartup);
  EXPECT_TRUE(saved.bEnableFilter);
  EXPECT_EQ(saved.iShowpProgrUsedMoreSec, 60);
  EXPECT_TRUE(fs::exists(GetAutostartEntryPath()));
  // The view filters at once; the host heard of it; the child frame says nothing.
  EXPECT_EQ(TreeLines(), (std::vector<std::string>{"G", "  long", kOtherApplications}));
  PumpEvents(10);
  EXPECT_GE(host.mainFrame->prefsChanged, 1);
  EXPECT_EQ(boxes, 0);
  fs::remove(GetAutostartEntryPath());
}

TEST_F(SettingsWiringTest, LockWithoutPasswordOpensSecurityAndANewPasswordUnlocksNext) {
  Open({{"G", {Application("a")}}});
  std::string firstPage;
  {
    ScopedModalHook hook([&](ModalRequest& r) {
      firstPage = r.Dialog()->GetDlgItemText(IDC_SET_PAGE_TITLE);
      SetPassword(*r.Dialog(), "Fresh");
      r.PressOk();
    });
    Click(IDC_VIEW_LOCK);
  }
  EXPECT_EQ(firstPage, "Security");
  EXPECT_TRUE(Enabled(IDC_VIEW_LOCK));  // set a password, yet not locked
  EXPECT_EQ(ReadSavedPrefs(host.Home()).Pass, "Fresh");

  // Cancel after an accepted password writes nothing.
  const fs::path prefsFile = host.Home() / "options" / "mainpref.ini";
  const auto written = fs::last_write_time(prefsFile);
  {
    ScopedModalHook hook([&](ModalRequest& r) {
      SetPassword(*r.Dialog(), "Other");
      r.PressCancel();
    });
    Click(IDC_VIEW_PREFERENCES);
  }
  EXPECT_EQ(fs::last_write_time(prefsFile), written);
  EXPECT_EQ(ReadSavedPrefs(host.Home()).Pass, "Fresh");

  Click(IDC_VIEW_LOCK);
  EXPECT_FALSE(Enabled(IDC_VIEW_LOCK));
  std::vector<std::string> typed = {"Other", "Fresh"};
  ScopedModalHook hook([&](ModalRequest& r) {
    if (r.Dialog() == nullptr) return r.Answer(IDOK);
    r.Dialog()->SetDlgItemText(IDC_PASS_PASSWORD, typed.front());
    typed.erase(typed.begin());
    r.PressOk();
  });
  Click(IDC_VIEW_UNLOCK);
  EXPECT_TRUE(typed.empty());
  EXPECT_TRUE(Enabled(IDC_VIEW_LOCK));
}

TEST_F(SettingsWiringTest, PredefinedGroupsSaveReplacesTheTreeAndCancelKeepsIt) {
  std::ofstream(GetPredefinedGroupsPath(), std::ios::binary)
      << ViewOptionsText({{"Sport", {MakePlaceholder()}}, {"Study", {MakePlaceholder()}}});
  Open({{"Work", {Application("w")}}});
  const struct {
    bool save;
    bool sportAfter;
  } cases[] = {{false, false}, {true, true}};
  for (const auto& c : cases) {
    ScopedModalHook hook([&](ModalRequest& r) {
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_PREDEFGROUPS);
      auto& catalogue =
          *dynamic_cast<CTreeCtrl*>(r.Dialog()->GetDlgItem(IDC_PREDEF_CATALOGUE_TREE));
      HTREEITEM sport = catalogue.GetChildItem(TVI_ROOT);
      while (sport != nullptr && catalogue.GetItemText(sport) != "Sport") {
        sport = catalogue.GetNextSiblingItem(sport);
      }
      ASSERT_NE(sport, nullptr);
      CRect rect;
      catalogue.GetItemRect(sport, &rect, TRUE);
      ClickAt(qobject_cast<QAbstractItemView*>(catalogue.GetWidget())->viewport(), Centre(rect));
      ClickAt(r.Dialog()->GetDlgItem(IDC_PREDEF_COPY_ONE)->GetWidget(), QPoint(5, 5));
      if (c.save) {
        r.PressOk();
      } else {
        r.PressCancel();
      }
    });
    Click(IDC_VIEW_PREDEFGROUPS);
    // "<" copies into the working group selected at the start: the last in key order.
    EXPECT_EQ(FindTreeItem({"Work", "Sport"}) != nullptr, c.sportAfter);
    const GroupMap saved = SavedTree();
    EXPECT_EQ(FindGroupList(saved, {"Work", "Sport"}) != nullptr, c.sportAfter);
  }
  fs::remove(GetPredefinedGroupsPath());
}

}  // namespace

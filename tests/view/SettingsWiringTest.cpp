// The view's dialogs of settings and of the predefined groups, through its buttons, its
// menu and its lock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/core/Autostart.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/framework/UserActions.h"
#include "tests/view/ViewFixture.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

MainPrefs ReadSavedPrefs(const fs::path& home) {
  MainPrefs prefs;
  ReadMainPrefs((home / "options" / "mainpref.ini").string(), prefs);
  return prefs;
}

// On the Security page (the fifth), protection on and `password` accepted.
void SetPassword(CDialog& dialog, const std::string& password) {
  user::PickListEntry(dialog, IDC_SET_PAGES, 4);
  if (dialog.IsDlgButtonChecked(IDC_SET_ENABLE_PASSWORD) != BST_CHECKED) {
    user::ClickButton(dialog, IDC_SET_ENABLE_PASSWORD);
  }
  user::ClickButton(dialog, IDC_SET_CHANGE_PASSWORD);
  dialog.SetDlgItemText(IDC_SET_NEW_PASSWORD, password);
  dialog.SetDlgItemText(IDC_SET_CONFIRM, password);
  user::ClickButton(dialog, IDC_SET_SAVE_PASSWORD);
}

using SettingsWiringTest = ViewTest;

TEST_F(SettingsWiringTest, SettingsOkIsTakenByTheViewTheHostAndTheAutostartEntry) {
  Open({{"G", {Application("short"), Application("long")}}}, {{"short", 30}, {"long", 600}});
  ASSERT_FALSE(fs::exists(GetAutostartEntryPath()));
  int boxes = 0;
  ScopedModalHook hook([&](ModalRequest& r) {
    if (r.Dialog() == nullptr) return void(++boxes);
    ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MAINSETTINGS);
    r.Click(IDC_SET_LOAD_ON_STARTUP);
    user::PickListEntry(*r.Dialog(), IDC_SET_PAGES, 2);  // Filter
    r.Click(IDC_SET_ENABLE_FILTER);
    r.Dialog()->SetDlgItemText(IDC_SET_MIN_SECONDS, "60");
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
  std::ofstream(GetPredefinedGroupsPath(GetOptionsFolder()), std::ios::binary)
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
      ASSERT_TRUE(user::PickTreeItem(catalogue.GetWidget(), sport));
      ASSERT_TRUE(user::ClickButton(*r.Dialog(), IDC_PREDEF_COPY_ONE));
      c.save ? r.PressOk() : r.PressCancel();
    });
    Click(IDC_VIEW_PREDEFGROUPS);
    // "<" copies into the working group selected at the start: the last in key order.
    EXPECT_EQ(FindTreeItem({"Work", "Sport"}) != nullptr, c.sportAfter);
    EXPECT_EQ(FindGroupList(SavedTree(), {"Work", "Sport"}) != nullptr, c.sportAfter);
  }
  fs::remove(GetPredefinedGroupsPath(GetOptionsFolder()));
}

}  // namespace

// The view's dialogs of settings and of the predefined groups, through its buttons, its
// menu and its lock.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <filesystem>
#include <fstream>

#include "framework/core/Autostart.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CMenu.h"
#include "tests/framework/UserActions.h"
#include "tests/view/ViewFixture.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

constexpr int kButtons[] = {IDC_VIEW_PREDEFGROUPS, IDC_VIEW_PREFERENCES, IDC_VIEW_REPORTS,
                            IDC_VIEW_LOCK,         IDC_VIEW_UNLOCK,      IDC_VIEW_HELP,
                            IDC_VIEW_MODE_TO_LIST, IDC_VIEW_REFRESH,     IDC_VIEW_MOVETO,
                            IDC_VIEW_COPY,         IDC_VIEW_PASTE,       IDC_VIEW_NEWGROUP,
                            IDC_VIEW_REMOVE,       IDC_VIEW_TREE,        IDC_VIEW_TABHOST};

class SettingsWiringTest : public ViewTest {
 protected:
  QAction* MenuItem(UINT id) {
    for (QAction* top : host.mainFrame->GetMenuBar()->actions()) {
      if (top->menu() != nullptr) emit top->menu()->aboutToShow();
      if (QAction* item = AfxFindMenuAction(top->menu(), id)) return item;
    }
    ADD_FAILURE() << "no menu item " << id;
    return nullptr;
  }

  std::vector<int> EnabledControls() const {
    std::vector<int> enabled;
    for (int id : kButtons) {
      if (Enabled(id)) enabled.push_back(id);
    }
    return enabled;
  }

  // Clicks UnLock and answers each password prompt with the next of `tries`; whether the
  // view is unlocked, the prompts and the complaints.
  std::tuple<bool, size_t, size_t> Unlock(const std::vector<std::string>& tries) {
    size_t prompts = 0, complaints = 0;
    ScopedModalHook hook([&](ModalRequest& r) {
      if (r.Dialog() == nullptr) {
        EXPECT_EQ(r.Text(), "Password isn't correct, try again.");
        return ++complaints, r.Answer(IDOK);
      }
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_PASSWORD);
      r.Dialog()->SetDlgItemText(IDC_PASS_PASSWORD, prompts < tries.size() ? tries[prompts] : "");
      ++prompts;
      r.PressOk();
    });
    Click(IDC_VIEW_UNLOCK);
    return {Enabled(IDC_VIEW_LOCK), prompts, complaints};
  }
};

// The view filters as soon as the settings are taken, in both modes; pauses never show,
// an application without a display name shows under its program's name. The host hears
// of it, the autostart entry follows, the child frame says nothing.
TEST_F(SettingsWiringTest, SettingsOkIsTakenByTheViewTheHostAndTheAutostartEntry) {
  GroupMap tree = {
      {"G",
       {Application("at"), Application("below"), Application("idle", "Idle"),
        Application("stop", "Stop"), Application("none", "None"), Application("blank")}}};
  tree["G"].back().ShowAs.clear();
  Open(tree, {{"at", 300}, {"below", 299}});
  ASSERT_FALSE(fs::exists(GetAutostartEntryPath()));
  const struct {
    bool first;
    const char* seconds;
    Lines lines;
  } cases[] = {{false, "", {"G", "  [blank]", "  at", "  below", kOtherApplications}},
               {true, "300", {"G", "  at", kOtherApplications}},
               {false, "0", {"G", kOtherApplications}}};
  int boxes = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    ScopedModalHook hook([&](ModalRequest& r) {
      if (r.Dialog() == nullptr) return void(++boxes);
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MAINSETTINGS);
      if (c.first) r.Click(IDC_SET_LOAD_ON_STARTUP);
      user::PickListEntry(*r.Dialog(), IDC_SET_PAGES, 2);  // Filter
      if (c.first) r.Click(IDC_SET_ENABLE_FILTER);
      r.Dialog()->SetDlgItemText(IDC_SET_MIN_SECONDS, c.seconds);
      r.PressOk();
    });
    if (*c.seconds) Click(IDC_VIEW_PREFERENCES);
    EXPECT_EQ(TreeLines(), c.lines);
    Click(IDC_VIEW_MODE_TO_LIST);
    EXPECT_EQ(AppListBox().GetCount(), static_cast<int>(c.lines.size()) - 2);
    Click(IDC_VIEW_MODE_TO_TREE);
  }
  MainPrefs saved;
  ReadMainPrefs((host.Home() / "options" / "mainpref.ini").string(), saved);
  EXPECT_TRUE(saved.LoadOnStartup && saved.bEnableFilter);
  EXPECT_EQ(saved.iShowpProgrUsedMoreSec, 0);
  EXPECT_TRUE(fs::exists(GetAutostartEntryPath()));
  PumpEvents(10);
  EXPECT_GE(host.mainFrame->prefsChanged, 2);
  EXPECT_EQ(boxes, 0);
  fs::remove(GetAutostartEntryPath());
}

// Lock without a password opens the settings on Security, and the password set there
// does not lock yet. Locked, only UnLock is usable and the tree stays as it was. The wrong
// passwords count over every attempt on the document, a right one between them included;
// from the third on, each wrong one ends its attempt.
TEST_F(SettingsWiringTest, LockAsksForAPasswordFirstAndUnlocksUntilTheThirdWrongOneInAll) {
  Open({{"Work", {Application("editor")}}});
  std::string firstPage;
  {
    ScopedModalHook hook([&](ModalRequest& r) {
      CDialog& dialog = *r.Dialog();
      firstPage = dialog.GetDlgItemText(IDC_SET_PAGE_TITLE);
      user::ClickButton(dialog, IDC_SET_ENABLE_PASSWORD);
      user::ClickButton(dialog, IDC_SET_CHANGE_PASSWORD);
      dialog.SetDlgItemText(IDC_SET_NEW_PASSWORD, "Secret");
      dialog.SetDlgItemText(IDC_SET_CONFIRM, "Secret");
      user::ClickButton(dialog, IDC_SET_SAVE_PASSWORD);
      r.PressOk();
    });
    Click(IDC_VIEW_LOCK);
  }
  EXPECT_EQ(firstPage, "Security");
  EXPECT_TRUE(Enabled(IDC_VIEW_LOCK));
  Click(IDC_VIEW_LOCK);
  EXPECT_EQ(EnabledControls(), std::vector<int>{IDC_VIEW_UNLOCK});
  for (UINT id : {ID_CONFIGURE_SETTINGS, ID_CONFIGURE_PREDEFGROUPS, ID_REPORTS_MAKE}) {
    EXPECT_FALSE(MenuItem(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(MenuItem(ID_CONFIGURE_LOCKUNLOCK)->isEnabled());
  EXPECT_TRUE(Shown(IDC_VIEW_TREE));  // the lock hides nothing and keeps the tree
  EXPECT_EQ(TreeLines(), (Lines{kOtherApplications, "Work", "  editor"}));
  ClickAt(Tabs(), Tabs()->tabRect(1).center());  // the tab strip takes no clicks
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  const struct {
    std::vector<std::string> tries;
    std::tuple<bool, size_t, size_t> unlockedPromptsComplaints;
  } attempts[] = {
      {{"wrong", "secret", "Secret"}, {true, 3, 2}},
      {{"one", "two"}, {false, 1, 1}},
      {{"four"}, {false, 1, 1}},
      {{"Secret"}, {true, 1, 0}},
  };
  for (const auto& attempt : attempts) {
    if (Enabled(IDC_VIEW_LOCK)) Click(IDC_VIEW_LOCK);
    EXPECT_EQ(Unlock(attempt.tries), attempt.unlockedPromptsComplaints) << attempt.tries.front();
  }
  // Everything but UnLock is usable again; Paste with nothing copied included.
  EXPECT_EQ(EnabledControls().size(), std::size(kButtons) - 1);
  EXPECT_FALSE(Enabled(IDC_VIEW_UNLOCK));
  EXPECT_TRUE(MenuItem(ID_REPORTS_MAKE)->isEnabled());
  // The password is kept: the view opens locked from now on.
  doc->OnCloseDocument();
  OpenView();
  EXPECT_EQ(EnabledControls(), std::vector<int>{IDC_VIEW_UNLOCK});
}

TEST_F(SettingsWiringTest, PredefinedGroupsSaveReplacesTheTreeAndCancelKeepsIt) {
  std::ofstream(GetPredefinedGroupsPath(GetOptionsFolder()), std::ios::binary)
      << ViewOptionsText({{"Sport", {MakePlaceholder()}}, {"Study", {MakePlaceholder()}}});
  Open({{"Work", {Application("w")}}});
  for (const bool save : {false, true}) {
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
      save ? r.PressOk() : r.PressCancel();
    });
    Click(IDC_VIEW_PREDEFGROUPS);
    // "<" copies into the working group selected at the start: the last in key order.
    EXPECT_EQ(FindTreeItem({"Work", "Sport"}) != nullptr, save);
    EXPECT_EQ(FindGroupList(SavedTree(), {"Work", "Sport"}) != nullptr, save);
  }
  fs::remove(GetPredefinedGroupsPath(GetOptionsFolder()));
}

}  // namespace

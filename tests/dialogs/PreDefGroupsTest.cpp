#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DialogsTestSupport.h"
#include "controls/ImageButton.h"
#include "dialogs/PreDefGroups.h"
#include "framework/ModalHook.h"
#include "framework/controls/CTreeCtrl.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"
#include "tree/TreeOps.h"

namespace {

AppEntry App(const std::string& name) {
  AppEntry entry;
  entry.Name = entry.ShowAs = name;
  return entry;
}

// Projects holds Alpha, which holds A1 and A2; Home and Sport have no sub-groups.
GroupMap Catalogue() {
  const GroupMap alpha{{"A1", PlainGroup()}, {"A2", PlainGroup()}};
  return {{"Projects", GroupWith({{"Alpha", GroupWith(alpha)}})},
          {"Home", PlainGroup()},
          {"Sport", PlainGroup()}};
}

GroupMap UserTree() {
  return {{kOtherApplications, {App("x.exe")}},
          {"Work", {MakePlaceholder(), App("w.exe")}},
          {"Zeta", PlainGroup()}};
}

bool Enabled(ModalRequest& request, int id) {
  return request.Dialog()->GetDlgItem(id)->IsWindowEnabled();
}

class PreDefGroups : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(
        std::filesystem::path(GetPredefinedGroupsPath()).parent_path());
    WriteCatalogue(ViewOptionsText(Catalogue()));
  }
  void TearDown() override { std::filesystem::remove(GetPredefinedGroupsPath()); }
  static void WriteCatalogue(const std::string& bytes) {
    std::ofstream(GetPredefinedGroupsPath(), std::ios::binary | std::ios::trunc) << bytes;
  }

  // Opens the dialog on `tree`; returns the result and leaves the working tree in `out`.
  int Run(const GroupMap& tree, const std::function<void(ModalRequest&)>& user) {
    CPreDefGroups dialog;
    dialog.SetWorkingTree(tree);
    const int result = session.Run(dialog, user);
    out = dialog.GetWorkingTree();
    return result;
  }

  ModalSession session;
  GroupMap out;
};

TEST_F(PreDefGroups, TreesShowGroupsOnlyAndTheCopyButtonsFollowTheCatalogueSelection) {
  Run(UserTree(), [&](ModalRequest& request) {
    CTreeCtrl& catalogue = TreeOf(*request.Dialog(), IDC_PREDEF_CATALOGUE_TREE);
    CTreeCtrl& working = TreeOf(*request.Dialog(), IDC_PREDEF_CURRENT_TREE);
    EXPECT_EQ(TreeLines(catalogue), (std::vector<std::string>{"Home", "Projects", "  Alpha",
                                                              "    A2", "    A1", "Sport"}));
    EXPECT_EQ(TreeLines(working), (std::vector<std::string>{"Other Applications", "Work", "Zeta"}));
    EXPECT_EQ(working.GetItemText(working.GetSelectedItem()), "Zeta");
    EXPECT_FALSE(Enabled(request, IDC_PREDEF_COPY_ONE));
    EXPECT_FALSE(Enabled(request, IDC_PREDEF_COPY_ALL));
    struct Case {
      GroupPath item;
      bool withSubGroups;
    };
    for (const Case& c : {Case{{"Home"}, false}, Case{{"Projects"}, true},
                          Case{{"Projects", "Alpha", "A1"}, false}}) {
      if (c.item.size() > 1) catalogue.Expand(FindTreeItem(catalogue, {"Projects"}), TVE_EXPAND);
      if (c.item.size() > 2) catalogue.Expand(FindTreeItem(catalogue, c.item), TVE_EXPAND);
      ClickTreeItem(catalogue, FindTreeItem(catalogue, c.item));
      EXPECT_TRUE(Enabled(request, IDC_PREDEF_COPY_ONE)) << c.item.back();
      EXPECT_EQ(Enabled(request, IDC_PREDEF_COPY_ALL), c.withSubGroups) << c.item.back();
    }
    auto* remove = dynamic_cast<CImageButton*>(request.Dialog()->GetDlgItem(IDC_PREDEF_DELETE));
    ASSERT_NE(remove, nullptr);
    EXPECT_TRUE(remove->HasImages());
  });
}

TEST_F(PreDefGroups, CopyOneMakesAGroupAndASecondCopyGoesIntoTheReselectedGroup) {
  EXPECT_EQ(Run({},
                [&](ModalRequest& request) {
                  CTreeCtrl& catalogue = TreeOf(*request.Dialog(), IDC_PREDEF_CATALOGUE_TREE);
                  ClickTreeItem(catalogue, FindTreeItem(catalogue, {"Sport"}));
                  request.Click(IDC_PREDEF_COPY_ONE);
                  ClickTreeItem(catalogue, FindTreeItem(catalogue, {"Home"}));
                  request.Click(IDC_PREDEF_COPY_ONE);
                  request.PressOk();
                }),
            IDOK);
  GroupMap expected{{"Sport", PlainGroup()}};
  ASSERT_TRUE(AddGroup(expected, "Home", {"Sport"}));
  EXPECT_EQ(out, expected);
}

TEST_F(PreDefGroups, CopyWithSubGroupsCopiesNamesAndNestingOnly) {
  GroupMap user{{"Work", {MakePlaceholder(), App("w.exe")}}};
  Run(user, [&](ModalRequest& request) {
    CTreeCtrl& catalogue = TreeOf(*request.Dialog(), IDC_PREDEF_CATALOGUE_TREE);
    ClickTreeItem(catalogue, FindTreeItem(catalogue, {"Projects"}));
    request.Click(IDC_PREDEF_COPY_ALL);
    CTreeCtrl& working = TreeOf(*request.Dialog(), IDC_PREDEF_CURRENT_TREE);
    for (const GroupPath& open : {GroupPath{"Work"}, GroupPath{"Work", "Projects"},
                                  GroupPath{"Work", "Projects", "Alpha"}}) {
      working.Expand(FindTreeItem(working, open), TVE_EXPAND);
    }
    catalogue.Expand(FindTreeItem(catalogue, {"Projects"}), TVE_EXPAND);
    Shoot(request.Dialog()->GetSafeHwnd(), "predefgroups");
    request.PressOk();
  });
  ASSERT_TRUE(AddGroup(user, "Projects", {"Work"}));
  ASSERT_TRUE(AddGroup(user, "Alpha", {"Work", "Projects"}));
  ASSERT_TRUE(AddGroup(user, "A2", {"Work", "Projects", "Alpha"}));
  ASSERT_TRUE(AddGroup(user, "A1", {"Work", "Projects", "Alpha"}));
  EXPECT_EQ(out, user);
}

TEST_F(PreDefGroups, DeleteMovesTheEntriesToOtherApplicationsAndSaveOrCancelEnds) {
  for (int ending : {IDCANCEL, IDOK}) {
    const int result = Run(UserTree(), [&](ModalRequest& request) {
      CTreeCtrl& working = TreeOf(*request.Dialog(), IDC_PREDEF_CURRENT_TREE);
      ClickTreeItem(working, FindTreeItem(working, {"Work"}));
      request.Click(IDC_PREDEF_DELETE);
      EXPECT_EQ(TreeLines(working), (std::vector<std::string>{"Other Applications", "Zeta"}));
      ending == IDOK ? request.PressOk() : request.PressCancel();
    });
    EXPECT_EQ(result, ending);
  }
  GroupMap expected = UserTree();
  ASSERT_TRUE(DeleteGroup(expected, {"Work"}));
  EXPECT_EQ(out, expected);
  EXPECT_EQ(out[kOtherApplications].at(1).ShowAs, "w.exe");
}

TEST_F(PreDefGroups, WithoutACatalogueFileBothTreesStayEmptyOnceAndSaveKeepsTheTree) {
  std::filesystem::remove(GetPredefinedGroupsPath());
  for (unsigned shown : {0u, 3u}) {  // the second opening finds the empty file made
    Run(UserTree(), [&](ModalRequest& request) {
      EXPECT_EQ(TreeOf(*request.Dialog(), IDC_PREDEF_CATALOGUE_TREE).GetCount(), 0u);
      EXPECT_EQ(TreeOf(*request.Dialog(), IDC_PREDEF_CURRENT_TREE).GetCount(), shown);
      if (shown == 0) request.Click(IDC_PREDEF_DELETE);  // nothing selected: no change
      request.PressOk();
    });
    EXPECT_EQ(out, UserTree());
  }
  EXPECT_EQ(ReadBytes(GetPredefinedGroupsPath()), "");
}

}  // namespace

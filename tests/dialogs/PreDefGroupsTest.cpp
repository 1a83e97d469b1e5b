#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DialogsTestSupport.h"
#include "dialogs/PreDefGroups.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"
#include "tests/framework/UserActions.h"
#include "tree/TreeOps.h"

namespace {

using Lines = std::vector<std::string>;

AppEntry App(const std::string& name) {
  AppEntry entry;
  entry.Name = entry.ShowAs = name;
  return entry;
}

const GroupMap kUserTree = {{kOtherApplications, {App("x.exe")}},
                            {"Work", {MakePlaceholder(), App("w.exe")}},
                            {"Zeta", PlainGroup()}};

class PreDefGroups : public testing::Test {
 protected:
  // Projects holds Alpha, which holds A1 and A2; Home and Sport have no sub-groups.
  void SetUp() override {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const GroupMap alpha{{"A1", PlainGroup()}, {"A2", PlainGroup()}};
    const GroupMap catalogue{{"Projects", GroupWith({{"Alpha", GroupWith(alpha)}})},
                             {"Home", PlainGroup()},
                             {"Sport", PlainGroup()}};
    std::ofstream(path, std::ios::binary | std::ios::trunc) << ViewOptionsText(catalogue);
  }
  void TearDown() override { std::filesystem::remove(path); }

  // Runs the dialog on `tree`; the working tree it ends with lands in `out`.
  int Run(const GroupMap& tree, const std::function<void(ModalRequest&)>& user) {
    CPreDefGroups dialog(GetOptionsFolder());
    dialog.SetWorkingTree(tree);
    const int result = session.Run(dialog, user);
    out = dialog.GetWorkingTree();
    return result;
  }
  // A click on the item `path` names in tree `id`, its parents opened first.
  static void Pick(ModalRequest& request, int id, const GroupPath& path) {
    CTreeCtrl& tree = TreeOf(*request.Dialog(), id);
    for (std::size_t n = 1; n < path.size(); ++n) {
      tree.Expand(FindTreeItem(tree, GroupPath(path.begin(), path.begin() + n)), TVE_EXPAND);
    }
    ASSERT_TRUE(user::PickTreeItem(tree.GetSafeHwnd(), FindTreeItem(tree, path)));
  }
  const std::string path = GetPredefinedGroupsPath(GetOptionsFolder());
  ModalSession session;
  GroupMap out;
};

TEST_F(PreDefGroups, CopiesGoIntoTheReselectedGroupWithOrWithoutSubGroups) {
  const int result = Run({}, [&](ModalRequest& request) {
    Pick(request, IDC_PREDEF_CATALOGUE_TREE, {"Sport"});
    request.Click(IDC_PREDEF_COPY_ONE);  // a new top-level group, selected afterwards
    Pick(request, IDC_PREDEF_CATALOGUE_TREE, {"Projects"});
    request.Click(IDC_PREDEF_COPY_ONE);
    request.Click(IDC_PREDEF_COPY_ALL);  // into Sport again: Projects takes the branch
    Pick(request, IDC_PREDEF_CURRENT_TREE, {"Sport", "Projects", "Alpha", "A1"});
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  GroupMap expected{{"Sport", PlainGroup()}};
  for (const auto& [name, parent] :
       std::vector<std::pair<std::string, GroupPath>>{{"Projects", {"Sport"}},
                                                      {"Alpha", {"Sport", "Projects"}},
                                                      {"A1", {"Sport", "Projects", "Alpha"}},
                                                      {"A2", {"Sport", "Projects", "Alpha"}}}) {
    ASSERT_TRUE(AddGroup(expected, name, parent)) << name;
  }
  EXPECT_EQ(out, expected);
}

TEST_F(PreDefGroups, DeleteMovesTheEntriesToOtherApplicationsAndSaveOrCancelEnds) {
  for (int ending : {IDCANCEL, IDOK}) {
    EXPECT_EQ(Run(kUserTree,
                  [&](ModalRequest& request) {
                    Pick(request, IDC_PREDEF_CURRENT_TREE, {"Work"});
                    request.Click(IDC_PREDEF_DELETE);
                    EXPECT_EQ(TreeLines(TreeOf(*request.Dialog(), IDC_PREDEF_CURRENT_TREE)),
                              (Lines{"Other Applications", "Zeta"}));
                    ending == IDOK ? request.PressOk() : request.PressCancel();
                  }),
              ending);
  }
  const AppList expected = {MakePlaceholder(), App("w.exe"), App("x.exe")};
  EXPECT_EQ(out.at(kOtherApplications), expected);
  EXPECT_EQ(out.count("Work"), 0u);
}

TEST_F(PreDefGroups, WithoutACatalogueFileBothTreesStayEmptyOnceAndSaveKeepsTheTree) {
  std::filesystem::remove(path);
  for (unsigned shown : {0u, 3u}) {  // the second opening finds the empty file made
    Run(kUserTree, [&](ModalRequest& request) {
      EXPECT_EQ(TreeOf(*request.Dialog(), IDC_PREDEF_CATALOGUE_TREE).GetCount(), 0u);
      EXPECT_EQ(TreeOf(*request.Dialog(), IDC_PREDEF_CURRENT_TREE).GetCount(), shown);
      if (shown == 0) request.Click(IDC_PREDEF_DELETE);  // nothing selected: no change
      request.PressOk();
    });
    EXPECT_EQ(out, kUserTree);
  }
  EXPECT_EQ(ReadBytes(path), "");
}

}  // namespace

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <string>
#include <vector>

#include "DialogsTestSupport.h"
#include "controls/TreeComboBox.h"
#include "dialogs/MoveToDlg.h"
#include "dialogs/NewGroupDlg.h"
#include "framework/ModalHook.h"
#include "res/ResourceIds.h"

namespace {

// Beta (sub-groups Q1 and, through a second carrier, Z9), then alpha (sub-groups A1
// and A2, holding A1x and A2x); keys sort "Beta" before "alpha".
GroupMap SampleTree() {
  AppList beta = GroupWith({{"Q1", PlainGroup()}});
  AppEntry second = MakePlaceholder();
  second.SubGroups = {{"Z9", PlainGroup()}};
  beta.push_back(second);
  const GroupMap alpha{{"A1", GroupWith({{"A1x", PlainGroup()}})},
                       {"A2", GroupWith({{"A2x", PlainGroup()}})}};
  GroupMap tree{{"alpha", GroupWith(alpha)}, {"Beta", beta}};
  return tree;
}

struct ListedGroup {
  std::string text;
  int level;
  GroupPath path;
};

const std::vector<ListedGroup> kListed = {
    {"Beta", 0, {"Beta"}},      {"Q1", 1, {"Beta", "Q1"}},
    {"Z9", 1, {"Beta", "Z9"}},  {"alpha", 0, {"alpha"}},
    {"A1", 1, {"alpha", "A1"}}, {"A1x", 2, {"alpha", "A1", "A1x"}},
    {"A2", 1, {"alpha", "A2"}}, {"A2x", 2, {"alpha", "A2", "A2x"}},
};

CTreeComboBox& GroupListOf(ModalRequest& request) {
  auto* list = dynamic_cast<CTreeComboBox*>(request.Dialog()->GetDlgItem(IDC_MOVETO_GROUPS));
  EXPECT_NE(list, nullptr);
  return *list;
}

class GroupDialogs : public testing::Test {
 protected:
  ModalSession session;
};

TEST_F(GroupDialogs, MoveToListsTheTreeDepthFirstAndEachEntryGivesItsPath) {
  CMoveToDlg dialog(SampleTree());
  std::vector<GroupPath> paths;
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CTreeComboBox& list = GroupListOf(request);
    ASSERT_EQ(list.GetCount(), static_cast<int>(kListed.size()));
    EXPECT_EQ(list.GetCurSel(), 0);
    for (int i = 0; i < list.GetCount(); ++i) {
      EXPECT_EQ(list.GetLBText(i), kListed[i].text) << i;
      EXPECT_EQ(list.GetItemLevel(i), kListed[i].level) << i;
    }
    Shoot(request.Dialog()->GetSafeHwnd(), "moveto");
    list.ShowDropDown(TRUE);
    Shoot(qobject_cast<QComboBox*>(list.GetSafeHwnd())->view()->window(), "moveto-list");
    list.ShowDropDown(FALSE);
    // Walk down and back up, so paths are computed from both directions.
    for (int i = 1; i < list.GetCount(); ++i) {
      ChooseComboEntry(*request.Dialog(), IDC_MOVETO_GROUPS, i);
      paths.push_back(dialog.m_resultPath);
    }
    ChooseComboEntry(*request.Dialog(), IDC_MOVETO_GROUPS, 4);
    paths.push_back(dialog.m_resultPath);
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(paths.size(), kListed.size());
  for (std::size_t i = 1; i < kListed.size(); ++i) EXPECT_EQ(paths[i - 1], kListed[i].path) << i;
  EXPECT_EQ(paths.back(), kListed[4].path);
  EXPECT_EQ(dialog.m_resultPath, kListed[4].path);
}

TEST_F(GroupDialogs, OkAtOnceChoosesTheFirstGroupAndAnEmptyTreeChoosesNothing) {
  struct Case {
    GroupMap tree;
    GroupPath expected;
  };
  const Case cases[] = {{SampleTree(), {"Beta"}}, {GroupMap{}, {}}};
  for (const Case& c : cases) {
    CMoveToDlg moveTo(c.tree);
    EXPECT_EQ(session.Run(moveTo, [](ModalRequest& r) { r.PressOk(); }), IDOK);
    EXPECT_EQ(moveTo.m_resultPath, c.expected);
    CNewGroupDlg newGroup(c.tree);
    EXPECT_EQ(session.Run(newGroup, [](ModalRequest& r) { r.PressKey(VK_RETURN); }), IDOK);
    EXPECT_EQ(newGroup.m_resultPath, c.expected);
    EXPECT_FALSE(newGroup.m_bCreateInto);
  }
}

TEST_F(GroupDialogs, CancelEndsWithCancel) {
  CMoveToDlg moveTo(SampleTree());
  EXPECT_EQ(session.Run(moveTo, [](ModalRequest& r) { r.PressKey(VK_ESCAPE); }), IDCANCEL);
  CNewGroupDlg newGroup(SampleTree());
  EXPECT_EQ(session.Run(newGroup, [](ModalRequest& r) { r.PressCancel(); }), IDCANCEL);
}

TEST_F(GroupDialogs, NewGroupListIsUsableOnlyWhileCreateIntoIsTicked) {
  CNewGroupDlg dialog(SampleTree());
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    CWnd* list = dlg.GetDlgItem(IDC_NEWGROUP_GROUPS);
    EXPECT_FALSE(list->IsWindowEnabled());
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_NEWGROUP_CREATE_INTO), BST_UNCHECKED);
    ChooseComboEntry(dlg, IDC_NEWGROUP_GROUPS, 5);  // a disabled list takes no keys
    EXPECT_EQ(dialog.m_resultPath, GroupPath{"Beta"});

    request.Click(IDC_NEWGROUP_CREATE_INTO);
    EXPECT_TRUE(list->IsWindowEnabled());
    EXPECT_TRUE(dialog.m_bCreateInto);
    ChooseComboEntry(dlg, IDC_NEWGROUP_GROUPS, 5);
    EXPECT_EQ(dialog.m_resultPath, (GroupPath{"alpha", "A1", "A1x"}));
    TypeText(dlg, IDC_NEWGROUP_NAME, "Reports");
    Shoot(dlg.GetSafeHwnd(), "newgroup");

    request.Click(IDC_NEWGROUP_CREATE_INTO);
    EXPECT_FALSE(list->IsWindowEnabled());
    EXPECT_FALSE(dialog.m_bCreateInto);
    request.Click(IDC_NEWGROUP_CREATE_INTO);
    ChooseComboEntry(dlg, IDC_NEWGROUP_GROUPS, 1);
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.m_strGroupName, "Reports");
  EXPECT_TRUE(dialog.m_bCreateInto);
  EXPECT_EQ(dialog.m_resultPath, (GroupPath{"Beta", "Q1"}));
}

TEST_F(GroupDialogs, NewGroupAcceptsAnEmptyNameWithTheFlagOff) {
  CNewGroupDlg dialog(SampleTree());
  dialog.m_strGroupName = "stale";
  EXPECT_EQ(session.Run(dialog,
                        [](ModalRequest& r) {
                          TypeText(*r.Dialog(), IDC_NEWGROUP_NAME, "");
                          r.PressOk();
                        }),
            IDOK);
  EXPECT_EQ(dialog.m_strGroupName, "");
  EXPECT_FALSE(dialog.m_bCreateInto);
}

}  // namespace

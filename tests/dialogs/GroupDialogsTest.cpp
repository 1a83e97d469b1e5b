#include <gtest/gtest.h>

#include <vector>

#include "DialogsTestSupport.h"
#include "controls/TreeComboBox.h"
#include "dialogs/MoveToDlg.h"
#include "dialogs/NewGroupDlg.h"
#include "framework/dialogbase/ModalHook.h"
#include "res/ResourceIds.h"
#include "tests/framework/StdControlsTestSupport.h"

namespace {

// Beta holds Q1 and, through a second carrier, Z9; alpha holds A1 and A2, which hold
// A1x and A2x. "Beta" sorts before "alpha".
GroupMap SampleTree() {
  AppList beta = GroupWith({{"Q1", PlainGroup()}});
  beta.push_back(GroupWith({{"Z9", PlainGroup()}}).back());
  const GroupMap alpha{{"A1", GroupWith({{"A1x", PlainGroup()}})},
                       {"A2", GroupWith({{"A2x", PlainGroup()}})}};
  return {{"alpha", GroupWith(alpha)}, {"Beta", beta}};
}

struct Listed {
  int level;
  GroupPath path;  // its last name is the entry's text
};
const std::vector<Listed> kListed = {
    {0, {"Beta"}},        {1, {"Beta", "Q1"}},         {1, {"Beta", "Z9"}},
    {0, {"alpha"}},       {1, {"alpha", "A1"}},        {2, {"alpha", "A1", "A1x"}},
    {1, {"alpha", "A2"}}, {2, {"alpha", "A2", "A2x"}},
};

TEST(GroupDialogs, MoveToListsTheTreeDepthFirstAndEachEntryGivesItsPath) {
  CMoveToDlg dialog(SampleTree());
  ModalSession session;
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    auto& list = dynamic_cast<CTreeComboBox&>(*request.Dialog()->GetDlgItem(IDC_MOVETO_GROUPS));
    ASSERT_EQ(list.GetCount(), static_cast<int>(kListed.size()));
    // Down the list, then back up to an entry whose ancestors are not right above it.
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 4}) {
      ChooseComboEntry(*request.Dialog(), IDC_MOVETO_GROUPS, i);
      EXPECT_EQ(list.GetLBText(i), kListed[i].path.back());
      EXPECT_EQ(list.GetItemLevel(i), kListed[i].level) << i;
      EXPECT_EQ(dialog.m_resultPath, kListed[i].path) << i;
    }
    ChooseComboEntry(*request.Dialog(), IDC_MOVETO_GROUPS, 7);
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.m_resultPath, kListed[7].path);
}

// Past 65,535 groups every group is listed, and under its own parent.
TEST(GroupDialogs, ListsMoreGroupsThanSixteenBitIdsCanTellApart) {
  GroupMap tree;
  char name[16];
  for (int i = 0; i <= 0xFFFF; ++i) {
    std::snprintf(name, sizeof name, "g%05d", i);
    tree[name] = PlainGroup();
  }
  tree["g65535"] = GroupWith({{"last", PlainGroup()}});
  CNewGroupDlg dialog(tree);
  ModalSession session;
  session.Run(dialog, [&](ModalRequest& request) {
    auto& list = dynamic_cast<CTreeComboBox&>(*request.Dialog()->GetDlgItem(IDC_NEWGROUP_GROUPS));
    ASSERT_EQ(list.GetCount(), 0x10001);
    request.Click(IDC_NEWGROUP_CREATE_INTO);
    PressKey(list.GetSafeHwnd(), Qt::Key_End);
    EXPECT_EQ(dialog.m_resultPath, (GroupPath{"g65535", "last"}));
  });
}

TEST(GroupDialogs, NewGroupListIsUsableOnlyWhileCreateIntoIsTicked) {
  CNewGroupDlg dialog(SampleTree());
  ModalSession session;
  const int result = session.Run(dialog, [&](ModalRequest& request) {
    CDialog& dlg = *request.Dialog();
    CWnd* list = dlg.GetDlgItem(IDC_NEWGROUP_GROUPS);
    ChooseComboEntry(dlg, IDC_NEWGROUP_GROUPS, 5);  // a disabled list takes no keys
    EXPECT_EQ(dialog.m_resultPath, GroupPath{"Beta"});
    for (bool ticked : {true, false, true}) {
      request.Click(IDC_NEWGROUP_CREATE_INTO);
      EXPECT_EQ(dialog.m_bCreateInto, ticked);
      EXPECT_EQ(list->IsWindowEnabled() != FALSE, ticked);
    }
    ChooseComboEntry(dlg, IDC_NEWGROUP_GROUPS, 5);
    dlg.SetDlgItemText(IDC_NEWGROUP_NAME, "Reports");
    request.PressOk();
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.m_strGroupName, "Reports");
  EXPECT_TRUE(dialog.m_bCreateInto);
  EXPECT_EQ(dialog.m_resultPath, kListed[5].path);
}

}  // namespace

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/CButton.h"
#include "framework/stdcontrols/CEdit.h"
#include "framework/stdcontrols/CProgressCtrl.h"

namespace {

constexpr LONG kChild = WS_CHILD | WS_VISIBLE;

class StdButtons : public testing::Test {
 protected:
  void SetUp() override { parent.CreateShown(); }
  NotifyRecorder parent;
};

// Setting a check by code is silent; a click on a created or a template button notifies.
TEST_F(StdButtons, ClicksSendClickedFromCreatedAndTemplateButtons) {
  CButton box;
  ASSERT_TRUE(box.Create("Check", WS_VISIBLE | BS_AUTO3STATE, CRect(0, 0, 90, 20), &parent, 3001));
  box.SetCheck(BST_INDETERMINATE);
  EXPECT_EQ(box.GetCheck(), BST_INDETERMINATE);
  box.SetCheck(BST_UNCHECKED);
  EXPECT_TRUE(parent.received.empty());
  DialogResource tmpl;
  tmpl.items.push_back(DialogItem{"BUTTON", "Tmpl", 3002, 5, 40, 50, 14, kChild});
  AfxCreateDialogControls(parent.GetSafeHwnd(), tmpl);
  CButton wrapped;
  ASSERT_TRUE(wrapped.SubclassDlgItem(3002, &parent));
  static_cast<QCheckBox*>(box.GetSafeHwnd())->click();
  static_cast<QPushButton*>(wrapped.GetSafeHwnd())->click();
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  ASSERT_EQ(parent.Codes(WM_COMMAND), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
  EXPECT_EQ(parent.received[0].id, 3001u);
  EXPECT_EQ(parent.received[0].from, box.GetSafeHwnd());
  EXPECT_EQ(parent.received[1].id, 3002u);
}

class StdEdit : public testing::Test {
 protected:
  void SetUp() override { parent.CreateShown(); }
  void Make(DWORD style) {
    ASSERT_TRUE(edit.Create(WS_VISIBLE | style, CRect(5, 5, 150, 25), &parent, 4001));
  }
  QLineEdit* Line() const { return static_cast<QLineEdit*>(edit.GetSafeHwnd()); }
  NotifyRecorder parent;
  CEdit edit;
};

TEST_F(StdEdit, EveryChangeTypedOrSetNotifies) {
  Make(ES_AUTOHSCROLL);
  edit.SetWindowText("ab");
  Line()->setFocus();
  PressKey(Line(), Qt::Key_X, QStringLiteral("x"));
  EXPECT_EQ(edit.GetWindowText(), "abx");
  EXPECT_EQ(parent.Codes(WM_COMMAND), (std::vector<UINT>{EN_CHANGE, EN_CHANGE}));
  EXPECT_EQ(parent.received[0].id, 4001u);
}

TEST_F(StdEdit, SelectionIsClampedToTheText) {
  Make(ES_AUTOHSCROLL);
  edit.SetWindowText("Other Applications");
  // {start, end} asked, then {start, end} got
  const std::array<int, 4> cases[] = {{6, -1, 6, 18}, {3, 99, 3, 18}, {-1, 0, 18, 18}};
  for (const auto& [start, end, gotStart, gotEnd] : cases) {
    edit.SetSel(start, end);
    int got[2] = {-7, -7};
    edit.GetSel(got[0], got[1]);
    EXPECT_EQ(std::pair(got[0], got[1]), std::pair(gotStart, gotEnd)) << start << "," << end;
  }
}

TEST(StdProgress, PositionsAreClampedToTheRange) {
  NotifyRecorder parent;
  parent.CreateShown();
  CProgressCtrl bar;
  ASSERT_TRUE(bar.Create(WS_VISIBLE, CRect(0, 0, 100, 10), &parent, 5001));
  bar.SetRange(10, 20);
  const std::array<int, 3> cases[] = {{15, 10, 15}, {25, 15, 20}, {-3, 20, 10}};  // set, was, is
  for (const auto& [set, was, is] : cases) {
    EXPECT_EQ(bar.SetPos(set), was) << set;
    EXPECT_EQ(bar.GetPos(), is) << set;
  }
  bar.SetRange(5, 5);  // an empty range: the bar stays empty
  EXPECT_EQ(bar.GetPos(), 5);
}

}  // namespace

#include <gtest/gtest.h>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CListBox.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/framework/UserActions.h"

namespace {

constexpr int kCombo = 2031, kList = 2030, kTree = 2023, kButton = 2027;
constexpr LONG kChild = WS_CHILD | WS_VISIBLE;

// A parent that also takes the mouse when a drag begins, as the view does.
class DragParent : public NotifyRecorder {
 public:
  std::vector<UINT> mouse;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONUP) mouse.push_back(message);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TVN_BEGINDRAG) {
      SetCapture();
    }
    if (message == WM_LBUTTONUP) ReleaseCapture();
    return NotifyRecorder::WindowProc(message, wParam, lParam);
  }
};

class UserActions : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    DialogResource form;
    form.items = {{"COMBOBOX", "", kCombo, 0, 0, 80, 60, kChild | CBS_DROPDOWNLIST},
                  {"LISTBOX", "", kList, 0, 20, 80, 40, kChild | LBS_NOTIFY},
                  {"SysTreeView32", "", kTree, 90, 0, 100, 80, kChild},
                  {"BUTTON", "Refresh", kButton, 0, 70, 40, 14, kChild}};
    AfxCreateDialogControls(parent.GetSafeHwnd(), form);
    ASSERT_TRUE(combo.SubclassDlgItem(kCombo, &parent));
    ASSERT_TRUE(list.SubclassDlgItem(kList, &parent));
    ASSERT_TRUE(tree.SubclassDlgItem(kTree, &parent));
    for (const char* text : {"a", "b", "c"}) {
      combo.AddString(text);
      list.AddString(text);
    }
    first = tree.InsertItem("first");
    second = tree.InsertItem("second", first);
    QApplication::processEvents();
    parent.received.clear();
  }

  DragParent parent;
  CComboBox combo;
  CListBox list;
  CTreeCtrl tree;
  HTREEITEM first = nullptr;
  HTREEITEM second = nullptr;
};

TEST_F(UserActions, PicksSendTheNotificationsOfAUsersChoice) {
  EXPECT_TRUE(user::PickComboEntry(parent, kCombo, 2));
  EXPECT_TRUE(user::PickListEntry(parent, kList, 1));
  EXPECT_TRUE(user::PickTreeItem(tree.GetSafeHwnd(), second));  // inside a collapsed item
  EXPECT_TRUE(user::ClickButton(parent, kButton));
  EXPECT_EQ(parent.Codes(WM_COMMAND),
            (std::vector<UINT>{CBN_SELCHANGE, LBN_SELCHANGE, BN_CLICKED}));
  EXPECT_EQ(parent.Codes(WM_NOTIFY), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
  EXPECT_EQ(parent.received[2].tree.action, static_cast<UINT>(TVC_BYMOUSE));
  EXPECT_EQ(combo.GetCurSel(), 2);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(tree.GetSelectedItem(), second);
}

TEST_F(UserActions, WhatAUserCannotReachIsRefused) {
  combo.EnableWindow(FALSE);
  parent.GetDlgItem(kButton)->ShowWindow(SW_HIDE);
  tree.EnableWindow(FALSE);
  parent.received.clear();
  EXPECT_FALSE(user::PickComboEntry(parent, kCombo, 1));
  EXPECT_FALSE(user::PickListEntry(parent, kList, 7));
  EXPECT_FALSE(user::PickListEntry(parent, 999, 0));
  EXPECT_FALSE(user::ClickButton(parent, kButton));
  EXPECT_FALSE(user::PickTreeItem(tree.GetSafeHwnd(), first));
  EXPECT_TRUE(parent.received.empty());
}

// Press on an item, move: the tree reports the drag and the parent takes the mouse, so
// the later moves and the release go to it, wherever they happen.
TEST_F(UserActions, AWholeDragFollowsTheMouseCapture) {
  auto* view = static_cast<QTreeWidget*>(tree.GetSafeHwnd());
  CRect label;
  ASSERT_TRUE(tree.GetItemRect(first, &label, TRUE));
  const QPoint start = view->mapToGlobal(Centre(label));
  user::DeliverMouse(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton,
                     view->viewport());
  user::DeliverMouse(QEvent::MouseMove, start + QPoint(20, 20), Qt::NoButton, Qt::LeftButton,
                     view->viewport());
  ASSERT_EQ(parent.Codes(WM_NOTIFY), std::vector<UINT>{TVN_BEGINDRAG});
  EXPECT_EQ(CWnd::GetCapture(), &parent);
  EXPECT_EQ(user::DeliverMouse(QEvent::MouseMove, start + QPoint(30, 40), Qt::NoButton,
                               Qt::LeftButton, view->viewport()),
            parent.GetSafeHwnd());
  user::DeliverMouse(QEvent::MouseButtonRelease, start + QPoint(30, 40), Qt::LeftButton,
                     Qt::NoButton, view->viewport());
  EXPECT_EQ(parent.mouse, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP}));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QListWidget>
#include <string>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CListBox.h"

namespace {

constexpr UINT kListId = 2030;
constexpr UINT kComboId = 2031;

std::vector<std::string> Lines(const CListBox& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetText(i));
  return lines;
}

class StdList : public testing::Test {
 protected:
  void SetUp() override { parent.CreateShown(); }
  void Make(DWORD style) {
    ASSERT_TRUE(
        list.Create(WS_VISIBLE | WS_BORDER | style, CRect(10, 10, 200, 200), &parent, kListId));
  }
  void ClickLine(int index) {
    CRect r;
    ASSERT_EQ(list.GetItemRect(index, &r), LB_OKAY);
    auto* widget = static_cast<QListWidget*>(list.GetSafeHwnd());
    ClickAt(widget->viewport(), widget->viewport()->mapFrom(widget, Centre(r)));
  }

  NotifyRecorder parent;
  CListBox list;
};

TEST_F(StdList, SortedListPlacesEachStringIgnoringCaseAndItemDataFollowsItsLine) {
  Make(LBS_NOTIFY | LBS_SORT);
  struct Case {
    const char* text;
    int index;
  };
  const Case cases[] = {{"b", 0}, {"A", 0}, {"c", 2}, {"a", 1}, {"B", 3}, {"", 0}};
  for (const Case& c : cases) EXPECT_EQ(list.AddString(c.text), c.index) << c.text;
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"", "A", "a", "b", "B", "c"}));
  // Item data follows its line when a later string sorts in before it.
  list.SetItemData(list.AddString("m"), 13);
  int value = 7;
  list.SetItemDataPtr(list.AddString("0"), &value);
  EXPECT_EQ(list.GetItemData(list.FindStringExact(-1, "m")), 13u);
  EXPECT_EQ(list.GetItemDataPtr(1), &value);
  EXPECT_EQ(list.GetItemData(99), static_cast<DWORD_PTR>(LB_ERR));
  EXPECT_EQ(list.InsertString(0, "zz"), 0);  // inserting never sorts
  EXPECT_EQ(list.GetText(0), "zz");
}

TEST_F(StdList, UserSelectionNotifiesAndCodeSelectionDoesNot) {
  Make(LBS_NOTIFY);
  for (const char* s : {"one", "two", "three"}) list.AddString(s);
  QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(list.GetSafeHwnd(), &focus);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);  // focus alone selects nothing
  EXPECT_EQ(list.SetCurSel(2), 2);
  EXPECT_TRUE(parent.received.empty());
  ClickLine(1);
  EXPECT_EQ(list.GetCurSel(), 1);
  ASSERT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{LBN_SELCHANGE});
  EXPECT_EQ(parent.received[0].id, kListId);
  EXPECT_EQ(parent.received[0].from, list.GetSafeHwnd());
  EXPECT_EQ(list.SetCurSel(-1), LB_ERR);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  EXPECT_EQ(parent.received.size(), 1u);
}

class StdCombo : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(10, 10, 130, 40),
                             &parent, kComboId));
  }
  NotifyRecorder parent;
  CComboBox combo;
};

TEST_F(StdCombo, AddingSortsSilentlyAndOnlyAUsersChangeNotifies) {
  EXPECT_EQ(combo.AddString("pear"), 0);
  EXPECT_EQ(combo.AddString("Apple"), 0);
  EXPECT_EQ(combo.AddString("fig"), 1);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);  // adding selects nothing
  EXPECT_EQ(combo.GetLBText(1), "fig");
  EXPECT_EQ(combo.GetItemData(3), static_cast<DWORD_PTR>(CB_ERR));
  EXPECT_EQ(combo.SetCurSel(0), 0);
  EXPECT_TRUE(parent.received.empty());
  PressKey(combo.GetSafeHwnd(), Qt::Key_Down);
  EXPECT_EQ(combo.GetCurSel(), 1);
  ASSERT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{CBN_SELCHANGE});
  EXPECT_EQ(parent.received[0].id, kComboId);
  EXPECT_EQ(combo.DeleteString(1), 2);  // the selected entry: no selection left
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(parent.received.size(), 1u);
}

// Widens its list each time it drops down, as a combo that measures its entries does.
class WideningCombo : public CComboBox {
 protected:
  void OnDropDown() override { SetDroppedWidth(GetDroppedWidth() + 100); }
};

// The dropped list is never narrower than the control.
TEST(StdComboDropDown, AnnouncesItselfAndASubclassSizesItsListEachTimeItDrops) {
  NotifyRecorder parent;
  parent.CreateShown();
  WideningCombo combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 30), &parent, kComboId));
  combo.AddString("entry");
  auto* widget = static_cast<QComboBox*>(combo.GetSafeHwnd());
  EXPECT_EQ(combo.GetDroppedWidth(), widget->width());
  combo.SetDroppedWidth(10);
  EXPECT_EQ(combo.GetDroppedWidth(), widget->width());
  combo.SetDroppedWidth(200);
  for (const int width : {300, 400}) {
    combo.ShowDropDown(TRUE);
    EXPECT_EQ(widget->view()->minimumWidth(), width);
    combo.ShowDropDown(FALSE);
  }
  EXPECT_EQ(parent.Codes(WM_COMMAND),
            (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_DROPDOWN, CBN_CLOSEUP}));
}

}  // namespace

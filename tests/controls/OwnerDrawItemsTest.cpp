#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "framework/controls/CComboBox.h"
#include "framework/controls/CListBox.h"
#include "framework/ownerdraw/OwnerDrawItems.h"

namespace {

// A list box that counts the requests passed back to it and paints each line green.
class CountingList : public CListBox, public COwnerDrawItems {
 public:
  int draws = 0;
  int measures = 0;
  UINT lastState = 0;
  void DrawItem(LPDRAWITEMSTRUCT request) override {
    ++draws;
    lastState = request->itemState;
    request->hDC->FillSolidRect(request->rcItem, RGB(0, 200, 0));
  }
  void MeasureItem(LPMEASUREITEMSTRUCT request) override {
    ++measures;
    request->itemHeight = 30 + 5 * request->itemID;
  }
};

class OwnerDrawItemsTest : public testing::Test {
 protected:
  void SetUp() override { owner.CreateShown(); }
  void Make(DWORD ownerDraw) {
    const DWORD style = WS_VISIBLE | ownerDraw;
    ASSERT_TRUE(list.Create(style, CRect(0, 0, 200, 200), &owner, 2030));
    EXPECT_EQ(AfxEnableOwnerDrawItems(list.GetSafeHwnd(), style), ownerDraw != 0);
    for (const char* text : {"a", "b", "c"}) list.AddString(text);
    QApplication::processEvents();
  }

  OwnerWindow owner;
  CountingList list;
};

TEST_F(OwnerDrawItemsTest, VariableLinesAreMeasuredOnceEach) {
  Make(LBS_OWNERDRAWVARIABLE);
  for (int i = 0; i < 3; ++i) Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(list.measures, 3);
  CRect r;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(list.GetItemRect(i, &r), LB_OKAY);
    EXPECT_EQ(r.Height(), 30 + 5 * i);
  }
}

TEST_F(OwnerDrawItemsTest, OwnerFirstThenTheControlItself) {
  Make(LBS_OWNERDRAWFIXED);
  EXPECT_GT(CountPixels(Snapshot(list.GetSafeHwnd()), RGB(0, 200, 0)), 0);
  EXPECT_EQ(list.measures, 0);  // fixed lines are not measured
  list.draws = 0;
  owner.answer = true;  // the owner draws: nothing reaches the control
  Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(list.draws, 0);
  EXPECT_GT(owner.Count(WM_DRAWITEM), 0);
  owner.answer = false;
  list.EnableWindow(FALSE);
  Snapshot(list.GetSafeHwnd());
  EXPECT_NE(list.lastState & ODS_DISABLED, 0U);
}

TEST_F(OwnerDrawItemsTest, PlainStylesAndOtherWidgetsAreLeftAlone) {
  Make(0);
  Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(list.draws, 0);
  EXPECT_TRUE(owner.requests.empty());
  EXPECT_FALSE(AfxEnableOwnerDrawItems(owner.GetSafeHwnd(), LBS_OWNERDRAWFIXED));
  EXPECT_FALSE(AfxEnableOwnerDrawItems(nullptr, LBS_OWNERDRAWFIXED));

  CComboBox combo;  // a combo box's selection field is drawn by request too
  const DWORD style = WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  ASSERT_TRUE(combo.Create(style, CRect(0, 220, 150, 250), &owner, 2031));
  ASSERT_TRUE(AfxEnableOwnerDrawItems(combo.GetSafeHwnd(), style));
  combo.AddString("x");
  combo.SetCurSel(0);
  Snapshot(combo.GetSafeHwnd());
  EXPECT_GE(owner.Count(WM_DRAWITEM), 1);
}

}  // namespace

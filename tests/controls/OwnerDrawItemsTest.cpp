#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "framework/ownerdraw/OwnerDrawItems.h"
#include "framework/stdcontrols/CListBox.h"

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

class OwnerDrawItemsTest : public testing::TestWithParam<DWORD> {};

TEST_P(OwnerDrawItemsTest, OwnerAnswersFirstThenTheControlItself) {
  OwnerWindow owner;
  owner.CreateShown();
  CountingList list;
  const DWORD style = WS_VISIBLE | GetParam();
  ASSERT_TRUE(list.Create(style, CRect(0, 0, 200, 200), &owner, 2030));
  ASSERT_TRUE(AfxEnableOwnerDrawItems(list.GetSafeHwnd(), style));
  for (const char* text : {"a", "b", "c"}) list.AddString(text);
  const bool variable = GetParam() == LBS_OWNERDRAWVARIABLE;

  for (int i = 0; i < 2; ++i) Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(list.measures, variable ? 3 : 0);  // each variable line asked once
  CRect r;
  ASSERT_EQ(list.GetItemRect(2, &r), LB_OKAY);
  EXPECT_EQ(r.Height() == 40, variable);  // 30 + 5 * 2 when measured
  // Measured heights move with their lines: only the new line is asked for.
  list.InsertString(0, "new");
  list.DeleteString(1);
  Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(list.measures, variable ? 4 : 0);
  ASSERT_EQ(list.GetItemRect(2, &r), LB_OKAY);
  EXPECT_EQ(r.Height() == 40, variable);
  EXPECT_GT(CountPixels(Snapshot(list.GetSafeHwnd()), RGB(0, 200, 0)), 0);

  list.draws = 0;
  owner.answer = true;  // the owner draws: nothing reaches the control
  Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(list.draws, 0);
  owner.answer = false;
  list.EnableWindow(FALSE);
  Snapshot(list.GetSafeHwnd());
  EXPECT_NE(list.lastState & ODS_DISABLED, 0U);

  EXPECT_FALSE(AfxEnableOwnerDrawItems(owner.GetSafeHwnd(), style));  // no list
  EXPECT_FALSE(AfxEnableOwnerDrawItems(list.GetSafeHwnd(), WS_VISIBLE));
}

INSTANTIATE_TEST_SUITE_P(Heights, OwnerDrawItemsTest,
                         testing::Values(LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE));

}  // namespace

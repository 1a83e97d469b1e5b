#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QTabBar>
#include <string>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/stdcontrols/CTabCtrl.h"

namespace {

constexpr UINT kTabId = 2006;

class StdTab : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(10, 10, 310, 210), &parent, kTabId));
    ASSERT_EQ(tabs.InsertItem(0, "Main"), 0);
    ASSERT_EQ(tabs.InsertItem(1, "Quick Info"), 1);
  }
  QTabBar* Bar() const { return tabs.GetSafeHwnd()->findChild<QTabBar*>(); }
  void ClickTab(int index) {
    CRect r;
    ASSERT_TRUE(tabs.GetItemRect(index, &r));
    ClickAt(Bar(), Bar()->mapFrom(tabs.GetSafeHwnd(), Centre(r)));
  }

  NotifyRecorder parent;
  CTabCtrl tabs;
};

TEST_F(StdTab, ItemsAndSelectionByCodeAreSilent) {
  EXPECT_EQ(tabs.GetCurSel(), 0);  // the first tab is selected
  EXPECT_EQ(tabs.InsertItem(9, "Last"), 2);
  EXPECT_EQ(tabs.InsertItem(-1, "Bad"), -1);
  TCITEM read;
  read.mask = TCIF_TEXT;
  std::string text;
  ASSERT_TRUE(tabs.GetItem(1, &read, &text));
  EXPECT_EQ(text, "Quick Info");
  EXPECT_TRUE(tabs.DeleteItem(2));
  EXPECT_FALSE(tabs.DeleteItem(2));
  EXPECT_EQ(tabs.SetCurSel(1), 0);  // gives the previous tab
  EXPECT_EQ(tabs.SetCurSel(5), -1);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_TRUE(parent.received.empty());  // nothing here is a user's change
  EXPECT_TRUE(tabs.DeleteAllItems());
  EXPECT_EQ(tabs.GetItemCount(), 0);
}

TEST_F(StdTab, UserChangeAsksFirstThenReports) {
  int selectionWhenAsked = -2;
  parent.answer = [&](const NMHDR& h) -> LRESULT {
    if (h.code == TCN_SELCHANGING) selectionWhenAsked = tabs.GetCurSel();
    return 0;
  };
  ClickTab(1);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(selectionWhenAsked, 0);  // asked while the old tab is still selected
  EXPECT_EQ(parent.received.at(0).from, tabs.GetSafeHwnd());
  ClickTab(1);  // the selected tab: no change
  PressKey(Bar(), Qt::Key_Left);
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_EQ(parent.Codes(),
            (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE, TCN_SELCHANGING, TCN_SELCHANGE}));
}

// A disabled control ignores clicks and keys silently; an enabled one asks its parent,
// which can refuse.
TEST_F(StdTab, ADisabledControlOrARefusingParentKeepsTheTab) {
  parent.answer = [](const NMHDR& h) -> LRESULT { return h.code == TCN_SELCHANGING ? 1 : 0; };
  for (const bool enabled : {false, true}) {
    tabs.EnableWindow(enabled);
    parent.received.clear();
    ClickTab(1);
    PressKey(Bar(), Qt::Key_Right);
    EXPECT_EQ(tabs.GetCurSel(), 0) << enabled;
    const std::vector<UINT> asked =
        enabled ? std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGING} : std::vector<UINT>{};
    EXPECT_EQ(parent.Codes(), asked) << enabled;
  }
}

// Items follow one another along the strip at the size they are given; the display area lies
// beside the strip, and adjusting it back gives the whole control.
TEST(StdTabLayout, ItemsRunAlongTheStripAndTheDisplayAreaLiesBesideIt) {
  for (const DWORD side : {DWORD{0}, DWORD{TCS_VERTICAL}, DWORD{TCS_VERTICAL | TCS_RIGHT}}) {
    SCOPED_TRACE(side);
    const bool vertical = (side & TCS_VERTICAL) != 0;
    const bool right = (side & TCS_RIGHT) != 0;
    NotifyRecorder parent;
    parent.CreateShown();
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE | side, CRect(0, 0, 300, 200), &parent, kTabId));
    tabs.InsertItem(0, "Main");
    tabs.InsertItem(1, "Quick Info");
    CRect first;
    CRect second;
    ASSERT_TRUE(tabs.GetItemRect(1, &second));
    EXPECT_EQ(second.Height() > second.Width(), vertical);  // the caption runs along the strip
    const CSize size = vertical ? CSize(24, 80) : CSize(80, 24);
    tabs.SetItemSize(size);
    ASSERT_TRUE(tabs.GetItemRect(0, &first));
    ASSERT_TRUE(tabs.GetItemRect(1, &second));
    EXPECT_EQ(first.Size(), size);
    EXPECT_EQ(vertical ? second.TopLeft() : CPoint(second.left, 0),
              vertical ? CPoint(first.left, first.bottom) : CPoint(first.right, 0));
    EXPECT_EQ(tabs.GetRowCount(), 1);
    CRect client;
    tabs.GetClientRect(&client);
    CRect display = client;
    tabs.AdjustRect(FALSE, &display);
    if (vertical) {
      EXPECT_EQ(right ? first.right : first.left, right ? client.right : client.left);
      EXPECT_TRUE(right ? display.right <= first.left : display.left >= first.right);
      EXPECT_LT(display.top, first.Height());  // no strip across the top
    } else {
      EXPECT_GE(display.top, 20);  // below the strip
      EXPECT_LT(display.bottom, client.bottom);
    }
    tabs.AdjustRect(TRUE, &display);
    EXPECT_EQ(display, client);
    EXPECT_FALSE(tabs.GetItemRect(4, &first));
  }
}

// Records the focus messages the control itself receives.
class FocusTabs : public CTabCtrl {
 public:
  std::vector<UINT> focus;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) focus.push_back(message);
    return CTabCtrl::WindowProc(message, wParam, lParam);
  }
};

TEST(StdTabFocus, TheStripsFocusIsTheControls) {
  NotifyRecorder parent;
  parent.CreateShown();
  FocusTabs tabs;
  ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 0, 200, 100), &parent, kTabId));
  tabs.InsertItem(0, "Main");
  auto* bar = tabs.GetSafeHwnd()->findChild<QTabBar*>();
  QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(bar, &in);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(bar, &out);
  EXPECT_EQ(tabs.focus, (std::vector<UINT>{WM_SETFOCUS, WM_KILLFOCUS}));
}

}  // namespace

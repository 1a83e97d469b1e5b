#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QListWidget>
#include <QPainter>
#include <algorithm>
#include <string>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/controls/CComboBox.h"
#include "framework/controls/CListBox.h"

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

TEST_F(StdList, SortedListPlacesEachStringIgnoringCase) {
  Make(LBS_NOTIFY | LBS_SORT);
  struct Case {
    const char* text;
    int index;
  };
  const Case cases[] = {{"b", 0}, {"A", 0}, {"c", 2}, {"a", 1}, {"B", 3}, {"", 0}};
  for (const Case& c : cases) EXPECT_EQ(list.AddString(c.text), c.index) << c.text;
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"", "A", "a", "b", "B", "c"}));
  EXPECT_EQ(list.InsertString(0, "zz"), 0);  // inserting never sorts
  EXPECT_EQ(list.GetText(0), "zz");
}

TEST_F(StdList, UnsortedListAppendsAndInsertsWhereTold) {
  Make(LBS_NOTIFY);
  EXPECT_EQ(list.AddString("b"), 0);
  EXPECT_EQ(list.AddString("a"), 1);
  EXPECT_EQ(list.InsertString(1, "middle"), 1);
  EXPECT_EQ(list.InsertString(-1, "end"), 3);
  EXPECT_EQ(list.InsertString(9, "bad"), LB_ERR);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"b", "middle", "a", "end"}));
  EXPECT_EQ(list.DeleteString(1), 3);
  EXPECT_EQ(list.DeleteString(3), LB_ERR);
  EXPECT_EQ(list.GetTextLen(2), 3);
  EXPECT_EQ(list.GetTextLen(7), LB_ERR);
  list.ResetContent();
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(StdList, ItemDataFollowsItsLineThroughSortedInserts) {
  Make(LBS_NOTIFY | LBS_SORT);
  list.SetItemData(list.AddString("m"), 13);
  list.SetItemData(list.AddString("z"), 26);
  int value = 7;
  list.SetItemDataPtr(list.AddString("a"), &value);
  EXPECT_EQ(list.GetItemData(list.FindStringExact(-1, "m")), 13u);
  EXPECT_EQ(list.GetItemData(list.FindStringExact(-1, "z")), 26u);
  EXPECT_EQ(list.GetItemDataPtr(0), &value);
  EXPECT_EQ(list.GetItemData(9), static_cast<DWORD_PTR>(LB_ERR));
  EXPECT_EQ(list.SetItemData(-1, 1), LB_ERR);
}

TEST_F(StdList, FindSearchesAfterTheStartAndWrapsIgnoringCase) {
  Make(LBS_NOTIFY);
  for (const char* s : {"Apple", "apricot", "banana", "APPLE"}) list.AddString(s);
  struct Case {
    int start;
    const char* text;
    bool exact;
    int found;
  };
  const Case cases[] = {
      {-1, "apple", true, 0},        {0, "apple", true, 3}, {3, "apple", true, 0},
      {-1, "ap", false, 0},          {0, "AP", false, 1},   {-1, "ap", true, LB_ERR},
      {-1, "cherry", false, LB_ERR},
  };
  for (const Case& c : cases) {
    const int found =
        c.exact ? list.FindStringExact(c.start, c.text) : list.FindString(c.start, c.text);
    EXPECT_EQ(found, c.found) << c.start << " " << c.text;
  }
}

TEST_F(StdList, UserSelectionNotifiesAndCodeSelectionDoesNot) {
  Make(LBS_NOTIFY);
  for (const char* s : {"one", "two", "three"}) list.AddString(s);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(list.GetSafeHwnd(), &focus);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);  // focus alone selects nothing
  EXPECT_EQ(list.SetCurSel(2), 2);
  EXPECT_EQ(list.GetCurSel(), 2);
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

TEST_F(StdList, WithoutTheNotifyStyleTheParentHearsNothing) {
  Make(0);
  list.AddString("one");
  list.AddString("two");
  ClickLine(1);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_TRUE(parent.received.empty());
}

// Paints its lines red and makes each line 10 pixels higher than the one before.
class PaintedList : public CListBox {
 public:
  void TakeOver() { EnableOwnerDrawItems(); }
  std::vector<int> painted;

 protected:
  BOOL OnOwnerPaintItem(QPainter& painter, const QStyleOptionViewItem& option,
                        int nIndex) override {
    painter.fillRect(option.rect, Qt::red);
    painted.push_back(nIndex);
    return TRUE;
  }
  int OnOwnerMeasureItem(int nIndex, int) override { return 20 + 10 * nIndex; }
};

TEST_F(StdList, OwnerDrawnLinesArePaintedAndMeasuredByTheOwner) {
  PaintedList painted;
  ASSERT_TRUE(
      painted.Create(WS_VISIBLE | LBS_OWNERDRAWVARIABLE, CRect(0, 0, 150, 150), &parent, kListId));
  for (const char* s : {"a", "b", "c"}) painted.AddString(s);
  painted.TakeOver();
  CRect r;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(painted.GetItemRect(i, &r), LB_OKAY);
    EXPECT_EQ(r.Height(), 20 + 10 * i);
  }
  const QImage shot = painted.GetSafeHwnd()->grab().toImage();
  painted.GetItemRect(1, &r);
  EXPECT_EQ(shot.pixelColor(Centre(r)), QColor(Qt::red));
  EXPECT_NE(std::find(painted.painted.begin(), painted.painted.end(), 2), painted.painted.end());
}

TEST_F(StdList, FixedLineHeight) {
  Make(LBS_NOTIFY);
  list.AddString("a");
  list.AddString("b");
  EXPECT_EQ(list.SetItemHeight(0, 300), LB_ERR);
  EXPECT_EQ(list.SetItemHeight(0, 31), LB_OKAY);
  CRect r;
  list.GetItemRect(1, &r);
  EXPECT_EQ(r.Height(), 31);
  EXPECT_EQ(list.GetItemHeight(0), 31);
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

TEST_F(StdCombo, AddingSortsAndSelectsNothing) {
  EXPECT_EQ(combo.AddString("pear"), 0);
  EXPECT_EQ(combo.AddString("Apple"), 0);
  EXPECT_EQ(combo.AddString("fig"), 1);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(combo.GetLBText(1), "fig");
  EXPECT_EQ(combo.GetLBTextLen(0), 5);
  EXPECT_EQ(combo.GetLBTextLen(5), CB_ERR);
  EXPECT_EQ(combo.FindStringExact(-1, "APPLE"), 0);
  EXPECT_EQ(combo.FindStringExact(-1, "app"), CB_ERR);
  EXPECT_EQ(combo.FindString(-1, "app"), 0);
  combo.SetItemData(2, 99);
  EXPECT_EQ(combo.GetItemData(2), 99u);
  EXPECT_EQ(combo.GetItemData(3), static_cast<DWORD_PTR>(CB_ERR));
  EXPECT_TRUE(parent.received.empty());
}

TEST_F(StdCombo, UserChangeNotifiesAndCodeChangeDoesNot) {
  for (const char* s : {"a", "b", "c"}) combo.AddString(s);
  EXPECT_EQ(combo.SetCurSel(0), 0);
  EXPECT_TRUE(parent.received.empty());
  PressKey(combo.GetSafeHwnd(), Qt::Key_Down);
  EXPECT_EQ(combo.GetCurSel(), 1);
  ASSERT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{CBN_SELCHANGE});
  EXPECT_EQ(parent.received[0].id, kComboId);
  EXPECT_EQ(combo.DeleteString(1), 2);  // the selected entry: no selection left
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
  EXPECT_EQ(parent.received.size(), 1u);
}

TEST_F(StdCombo, DropDownAnnouncesItselfAndHonoursTheDroppedWidth) {
  combo.AddString("entry");
  const int controlWidth = combo.GetSafeHwnd()->width();
  EXPECT_EQ(combo.GetDroppedWidth(), controlWidth);
  combo.SetDroppedWidth(10);  // never narrower than the control
  EXPECT_EQ(combo.GetDroppedWidth(), controlWidth);
  combo.SetDroppedWidth(static_cast<UINT>(controlWidth + 150));
  EXPECT_EQ(combo.GetDroppedWidth(), controlWidth + 150);
  combo.ShowDropDown(TRUE);
  ASSERT_FALSE(parent.Codes(WM_COMMAND).empty());
  EXPECT_EQ(parent.Codes(WM_COMMAND).front(), CBN_DROPDOWN);
  auto* widget = static_cast<QComboBox*>(combo.GetSafeHwnd());
  EXPECT_EQ(widget->view()->minimumWidth(), controlWidth + 150);
  combo.ShowDropDown(FALSE);
  EXPECT_EQ(parent.Codes(WM_COMMAND).back(), CBN_CLOSEUP);
}

// Widens its list each time it drops down, as a combo that measures its entries does.
class WideningCombo : public CComboBox {
 public:
  int drops = 0;

 protected:
  void OnDropDown() override { SetDroppedWidth(static_cast<UINT>(300 + 10 * ++drops)); }
};

TEST(StdComboDropDown, SubclassSizesItsListEachTimeItDrops) {
  NotifyRecorder parent;
  parent.CreateShown();
  WideningCombo combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 30), &parent, kComboId));
  combo.AddString("entry");
  auto* widget = static_cast<QComboBox*>(combo.GetSafeHwnd());
  combo.ShowDropDown(TRUE);
  EXPECT_EQ(combo.GetDroppedWidth(), 310);
  EXPECT_EQ(parent.Codes(WM_COMMAND).front(), CBN_DROPDOWN);
  EXPECT_EQ(widget->view()->minimumWidth(), 310);
  combo.ShowDropDown(FALSE);
  combo.ShowDropDown(TRUE);
  EXPECT_EQ(combo.drops, 2);
  EXPECT_EQ(widget->view()->minimumWidth(), 320);
  combo.ShowDropDown(FALSE);
}

TEST_F(StdCombo, SelectionFieldAndEntryHeights) {
  EXPECT_EQ(combo.SetItemHeight(-1, 16), CB_OKAY);
  EXPECT_EQ(combo.GetItemHeight(-1), 16);
  EXPECT_EQ(combo.SetItemHeight(0, 18), CB_OKAY);
  EXPECT_EQ(combo.GetItemHeight(0), 18);
  combo.AddString("entry");
  auto* view = static_cast<QComboBox*>(combo.GetSafeHwnd())->view();
  EXPECT_EQ(view->sizeHintForRow(0), 18);
}

}  // namespace

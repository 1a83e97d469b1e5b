#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResTestSupport.h"
#include "framework/WinMessages.h"

namespace {

const DialogResource& Form() {
  static const DialogResource empty;
  const DialogResource* form = Dialog(101);
  return form != nullptr ? *form : empty;
}

struct FormControl {
  int id;
  const char* cls;
  const char* text;
};

// Every control the form view drives, with the class its owner expects to subclass.
TEST(ResForm, HasEveryControlWithItsClass) {
  const FormControl controls[] = {
      {2019, "STATIC", ""},
      {2012, "BUTTON", ""},
      {2013, "BUTTON", ""},
      {2016, "BUTTON", ""},
      {2022, "BUTTON", ""},
      {2024, "BUTTON", ""},
      {2026, "BUTTON", ""},
      {2020, "STATIC", ""},
      {2003, "BUTTON", "Groups and Projects"},
      {2023, "SysTreeView32", ""},
      {2028, "STATIC", "Look in:"},
      {2031, "COMBOBOX", ""},
      {2010, "BUTTON", ""},
      {2030, "LISTBOX", ""},
      {2021, "STATIC", ""},
      {2008, "BUTTON", ""},
      {2014, "BUTTON", ""},
      {2027, "BUTTON", ""},
      {2009, "BUTTON", ""},
      {2017, "BUTTON", ""},
      {2018, "BUTTON", ""},
      {2011, "BUTTON", ""},
      {2025, "BUTTON", ""},
      {2006, "SysTabControl32", ""},
  };
  for (const FormControl& c : controls) {
    const DialogItem* item = Item(Form(), c.id);
    if (item == nullptr) continue;
    EXPECT_STREQ(item->windowClass, c.cls) << c.id;
    EXPECT_STREQ(item->text, c.text) << c.id;
  }
  EXPECT_EQ(Form().items.size(), std::size(controls) + 3) << "plus three unnamed separators";
}

// The upper row keeps its template places, so it has to be laid out well in the template:
// one row above the line under it, in the order of the commands, split into three groups.
TEST(ResForm, UpperRowIsOneRowSplitByThreeSeparators) {
  const int order[] = {2012, 2013, 2016, 2022, 2024, 2026};
  const DialogItem* line = Item(Form(), 2020);
  ASSERT_NE(line, nullptr);
  int right = 0;
  const DialogItem* first = Item(Form(), order[0]);
  ASSERT_NE(first, nullptr);
  for (int id : order) {
    const DialogItem* b = Item(Form(), id);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->y, first->y) << id;
    EXPECT_EQ(b->cx, first->cx) << id;
    EXPECT_EQ(b->cy, first->cy) << id;
    EXPECT_LE(b->y + b->cy, line->y) << id;
    EXPECT_GT(b->x, right) << id << " overlaps the button before it";
    right = b->x + b->cx;
  }
  std::vector<int> separators;
  for (const DialogItem& item : Form().items) {
    if (item.id == IDC_STATIC && (item.style & SS_TYPEMASK) == SS_ETCHEDVERT) {
      separators.push_back(item.x);
      EXPECT_LE(item.y + item.cy, line->y);
    }
  }
  ASSERT_EQ(separators.size(), 3u);
  const std::pair<int, int> between[] = {{2013, 2016}, {2016, 2022}, {2024, 2026}};
  for (std::size_t i = 0; i < 3; ++i) {
    const DialogItem* before = Item(Form(), between[i].first);
    const DialogItem* after = Item(Form(), between[i].second);
    ASSERT_TRUE(before && after);
    EXPECT_GE(separators[i], before->x + before->cx);
    EXPECT_LT(separators[i], after->x);
  }
}

TEST(ResForm, PlacesOfTheLeftBoxAndTheTabHost) {
  const DialogItem* box = Item(Form(), 2003);
  const DialogItem* tabs = Item(Form(), 2006);
  const DialogItem* tree = Item(Form(), 2023);
  const DialogItem* list = Item(Form(), 2030);
  const DialogItem* toTree = Item(Form(), 2008);
  const DialogItem* toList = Item(Form(), 2014);
  ASSERT_TRUE(box && tabs && tree && list && toTree && toList);
  // The box holds the left half, the tab host the right half.
  EXPECT_LT(box->x + box->cx, tabs->x);
  EXPECT_LE(box->x + box->cx, Form().cx / 2 + 5);
  for (const DialogItem* inside : {tree, list}) {
    EXPECT_GT(inside->x, box->x);
    EXPECT_LT(inside->x + inside->cx, box->x + box->cx);
    EXPECT_GT(inside->y, box->y);
    EXPECT_LT(inside->y + inside->cy, box->y + box->cy);
  }
  // The two view-mode buttons share one spot; only one of them is shown at a time.
  EXPECT_EQ(toTree->x, toList->x);
  EXPECT_EQ(toTree->y, toList->y);
  EXPECT_EQ(toTree->cx, toList->cx);
  EXPECT_EQ(toTree->cy, toList->cy);
  // Spot checks.
  EXPECT_EQ(tabs->y, box->y);
  EXPECT_EQ(Item(Form(), 2019)->y, 0);
  EXPECT_EQ(Item(Form(), 2019)->cx, Form().cx);
}

}  // namespace

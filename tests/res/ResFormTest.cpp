#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ResTestSupport.h"
#include "framework/messages/WinMessages.h"

namespace {

const DialogResource& Form() {
  static const DialogResource empty;
  const DialogResource* form = Dialog(101);
  return form != nullptr ? *form : empty;
}

CRect Place(int id) {
  const DialogItem* i = Item(Form(), id);
  return i != nullptr ? CRect(i->x, i->y, i->x + i->cx, i->y + i->cy) : CRect();
}

// The view's own tests reach every control of the form by its id and class.

// The upper row keeps its template places, so the template has to lay it out well: one row
// above the line under it, in command order, split into three groups by etched lines.
TEST(ResForm, UpperRowIsOneRowSplitByThreeSeparators) {
  const int order[] = {2012, 2013, 2016, 2022, 2024, 2026};
  const CRect line = Place(2020);
  int right = 0;
  for (int id : order) {
    EXPECT_EQ(Place(id).top, Place(order[0]).top) << id;
    EXPECT_EQ(Place(id).Size(), Place(order[0]).Size()) << id;
    EXPECT_LE(Place(id).bottom, line.top) << id;
    EXPECT_GT(Place(id).left, right) << id << " overlaps the button before it";
    right = Place(id).right;
  }
  std::vector<int> separators;
  for (const DialogItem& item : Form().items) {
    if (item.id == IDC_STATIC && (item.style & SS_TYPEMASK) == SS_ETCHEDVERT) {
      separators.push_back(item.x);
    }
  }
  ASSERT_EQ(separators.size(), 3u);
  const std::pair<int, int> between[] = {{2013, 2016}, {2016, 2022}, {2024, 2026}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_GE(separators[i], Place(between[i].first).right);
    EXPECT_LT(separators[i], Place(between[i].second).left);
  }
}

// The box holds the left half with the tree and the list inside it, the tab host the right
// half; the two view-mode buttons share one spot.
TEST(ResForm, LeftBoxTabHostAndViewModeButtons) {
  const CRect box = Place(2003);
  EXPECT_LT(box.right, Place(2006).left);
  for (int inside : {2023, 2030}) {
    const CRect r = Place(inside);
    EXPECT_TRUE(r.left > box.left && r.right < box.right && r.top > box.top &&
                r.bottom < box.bottom)
        << inside;
  }
  EXPECT_EQ(Place(2008), Place(2014));
}

}  // namespace

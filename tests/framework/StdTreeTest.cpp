#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "framework/stdcontrols/SiblingOrder.h"

namespace {

TEST(StdTree, DeletingTheSelectionMovesItToANeighbour) {
  NotifyRecorder parent;
  parent.CreateShown();
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS, CRect(10, 10, 260, 260), &parent, 2023));
  const HTREEITEM group = tree.InsertItem("group");
  const HTREEITEM first = tree.InsertItem("first", group);
  const HTREEITEM second = tree.InsertItem("second", group);
  tree.SelectItem(first);
  parent.received.clear();
  EXPECT_TRUE(tree.DeleteItem(first));  // next sibling
  EXPECT_EQ(tree.GetSelectedItem(), second);
  ASSERT_EQ(parent.Codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
  EXPECT_EQ(parent.received.back().tree.itemOld.hItem, nullptr);
  EXPECT_EQ(parent.received.back().tree.itemNew.hItem, second);
  EXPECT_TRUE(tree.DeleteItem(second));  // no sibling left: the parent
  EXPECT_EQ(tree.GetSelectedItem(), group);
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

// A large level is sorted on packed prefixes; it must give the plain stable sort's order.
TEST(StdTreeOrder, LevelOrderIsTheStableCaseIgnoringSort) {
  const QStringList level = QString::fromUtf16(
                                u"Program 10|program 9|PROGRAM 10|Program 1|a long shared name 2|"
                                u"A Long Shared Name 10|a long shared name 2|a|\u00E9t\u00E9|Et|"
                                u"x\u212Ay|XLZ||[bracket]|_under|16 chars exactly|"
                                u"16 chars exactlY|16 chars exactl")
                                .split(u'|');
  const std::vector<QString> texts(level.begin(), level.end());
  std::vector<int> expected(level.size());
  std::iota(expected.begin(), expected.end(), 0);
  std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
    return CompareCaseIgnored(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]) < 0;
  });
  EXPECT_EQ(CaseIgnoredOrder(texts), expected);
}

}  // namespace

#include <gtest/gtest.h>

#include "TreeBuilders.h"
#include "tree/TreeOps.h"

namespace {

using Names = std::vector<std::string>;

// Work: [A, carrier {X: [B], Z: [E]}, carrier {Y: [C, carrier {Deep: [D]}]}]
GroupMap TwoCarrierTree() {
  return GroupMap{{"Work",
                   {App("A"), Carrier({{"X", {App("B")}}, {"Z", {App("E")}}}, "C1"),
                    Carrier({{"Y", {App("C"), Carrier({{"Deep", {App("D")}}}, "C3")}}}, "C2")}},
                  {"Home", {App("H")}}};
}

TEST(TreeWalk, FindSubGroupsTakesTheFirstCarrier) {
  GroupMap tree = TwoCarrierTree();
  GroupMap* subs = FindSubGroups(tree, "Work");
  ASSERT_NE(subs, nullptr);
  EXPECT_EQ(KeysOf(*subs), (Names{"X", "Z"}));
  EXPECT_EQ(subs, &tree["Work"][1].SubGroups);
  EXPECT_EQ(FindSubGroups(tree, "Home"), nullptr);
}

TEST(TreeWalk, MutatingLookupLeavesMissingNameBehind) {
  GroupMap tree = TwoCarrierTree();
  EXPECT_EQ(FindSubGroups(tree, "Missing"), nullptr);
  ASSERT_TRUE(tree.contains("Missing"));
  EXPECT_TRUE(tree["Missing"].empty());

  GroupMap other = TwoCarrierTree();
  EXPECT_EQ(ResolveLevel(other, {"Nowhere", "X"}), nullptr);
  EXPECT_TRUE(other.contains("Nowhere"));
}

TEST(TreeWalk, ReadOnlyLookupsNeverAdd) {
  const GroupMap tree = TwoCarrierTree();
  EXPECT_EQ(FindSubGroups(tree, "Missing"), nullptr);
  EXPECT_EQ(ResolveLevel(tree, {"Missing", "X"}), nullptr);
  EXPECT_EQ(FindGroupList(tree, {"Work", "Missing"}), nullptr);
  EXPECT_FALSE(IsGroupItem(tree, "B", {"Missing"}));
  EXPECT_FALSE(IsGroupItem(tree, "B", {"Work", "Missing"}));
  EXPECT_EQ(tree, TwoCarrierTree());

  GroupMap changeable = TwoCarrierTree();
  EXPECT_EQ(FindGroupList(changeable, {"Work", "Missing"}), nullptr);
  EXPECT_EQ(FindGroupList(changeable, {"Missing"}), nullptr);
  EXPECT_EQ(changeable, TwoCarrierTree());
}

TEST(TreeWalk, ResolveFollowsOnlyTheFirstCarrier) {
  const GroupMap tree = TwoCarrierTree();
  EXPECT_EQ(ResolveLevel(tree, {}), nullptr);
  EXPECT_EQ(ResolveLevel(tree, {"Work"}), &tree);
  EXPECT_EQ(ResolveLevel(tree, {"Work", "X"}), &tree.at("Work")[1].SubGroups);

  const AppList* x = FindGroupList(tree, {"Work", "X"});
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(ShowAsOf(*x), Names{"B"});
  // Y hangs in the second carrier, which path resolution never enters.
  EXPECT_EQ(FindGroupList(tree, {"Work", "Y"}), nullptr);
  EXPECT_EQ(FindGroupList(tree, {"Work", "Y", "Deep"}), nullptr);
  EXPECT_EQ(FindGroupList(tree, {"Home", "X"}), nullptr);
}

TEST(TreeWalk, IsGroupItemTable) {
  const GroupMap tree = TwoCarrierTree();
  struct Case {
    std::string text;
    GroupPath parent;
    bool expected;
  };
  const Case cases[] = {
      {"A", {}, true},  // no parent: a group whatever the text
      {"anything", {}, true},
      {"A", {"Work"}, false},
      {"X", {"Work"}, true},
      {"B", {"Work", "X"}, false},
      {"b", {"Work", "X"}, true},
      {"B", {"Home", "X"}, false},  // the parent path leads nowhere
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsGroupItem(tree, c.text, c.parent), c.expected);
  }
}

TEST(TreeWalk, CollectEntriesPutsCarriersAfterTheirGroups) {
  const GroupMap tree = TwoCarrierTree();
  AppList out{App("kept")};
  CollectEntries(tree.at("Work"), out);
  EXPECT_EQ(ShowAsOf(out), (Names{"kept", "A", "B", "E", "C1", "C", "D", "C3", "C2"}));
  for (const AppEntry& entry : out) EXPECT_TRUE(entry.SubGroups.empty()) << entry.ShowAs;
}

TEST(TreeWalk, CollectEntriesKeepsFieldsAndSurvivesAliasing) {
  AppList list{Timed(App("Mail", "mail.exe", "Inbox", true), 1, 2, 3)};
  list[0].Path = "/usr/bin/mail";
  AppList out;
  CollectEntries(list, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0], list[0]);

  CollectEntries(list, list);
  EXPECT_EQ(ShowAsOf(list), (Names{"Mail", "Mail"}));
}

TEST(TreeWalk, ResetTimesReachesEveryCarrier) {
  GroupMap tree{{"Work",
                 {Timed(App("A"), 1, 2, 3), Carrier({{"X", {Timed(App("B"), 4, 5, 6)}}}),
                  Timed(Carrier({{"Y", {Timed(App("C"), 7, 8, 9)}}}), 1, 1, 1)}}};
  ResetTimes(tree);
  AppList all;
  CollectEntries(tree["Work"], all);
  ASSERT_EQ(all.size(), 5u);
  for (const AppEntry& entry : all) {
    SCOPED_TRACE(entry.ShowAs);
    EXPECT_EQ(entry.TodayTime, 0);
    EXPECT_EQ(entry.WeekTime, 0);
    EXPECT_EQ(entry.MonthTime, 0);
  }
}

TEST(TreeWalk, FindEntryTakesTheFirstInListOrder) {
  AppList list{App("A", "first"), App("B"), App("A", "second")};
  ASSERT_NE(FindEntry(list, "A"), nullptr);
  EXPECT_EQ(FindEntry(list, "A")->Name, "first");
  EXPECT_EQ(FindEntry(list, "a"), nullptr);
  EXPECT_EQ(FindEntry(std::as_const(list), "B"), &list[1]);
}

TEST(TreeWalk, GroupDepthCountsTheTopLevelAsOne) {
  EXPECT_EQ(GroupDepth({"Top"}), 1u);
  EXPECT_EQ(GroupDepth({"Top", "Inner", "Leaf"}), 3u);
}

}  // namespace

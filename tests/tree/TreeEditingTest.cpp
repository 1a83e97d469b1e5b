#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "TreeBuilders.h"
#include "tree/TreeOps.h"

namespace {

const AppEntry kNone = MakePlaceholder();

GroupMap SampleTree() {
  return {{"Reports", {kNone, App("A"), App("B"), Carrier({{"Q1", {kNone, App("C")}}})}},
          {"Home", {kNone, App("H"), App("A")}},
          {"Dup", {App("X", "one"), App("Y"), App("X", "two")}},
          {"G", {Carrier({{"Sub", {App("S")}}}, "Folder")}},
          {kOtherApplications, {App("O")}}};
}

TEST(TreeEditing, RefusalsLeaveTheTreeExactlyAsItWas) {
  using T = GroupMap&;
  // One request a line, so the table reads as a list.
  // clang-format off
  const std::function<bool(GroupMap&)> refused[] = {
      [](T t) { return AddGroup(t, "Q1", {"Reports"}); },  // the parent has that sub-group
      [](T t) { return AddGroup(t, "N", {"Reports", "Q9"}); },
      [](T t) { return RenameGroup(t, "N", {}); },
      [](T t) { return RenameGroup(t, "Home", {"Home"}); },
      [](T t) { return RenameGroup(t, "Home", {"Reports"}); },
      [](T t) { return RenameGroup(t, "N", {"Home", "Q1"}); },
      [](T t) { return DeleteGroup(t, {}); },
      [](T t) { return DeleteGroup(t, {"Reports", "Q9"}); },
      [](T t) { return DeleteGroup(t, {"Home", "Q1"}); },
      [](T t) { return ReplaceEntry(t, "Z", {"Home"}, App("N")); },
      [](T t) { return ReplaceEntry(t, "A", {"Nowhere"}, App("N")); },
      [](T t) { return ReplaceEntry(t, "A", {"Home"}, App("H", "a")); },  // a name the group shows
      [](T t) { return ReplaceEntry(t, "A", {"Home"}, App("Idle", "A")); },  // would not show
      [](T t) { return ReplaceEntry(t, "A", {"Home"}, App("Y", "A")); },  // another's association
      [](T t) { return RemoveApplication(t, "Z", {"Home"}); },
      [](T t) { return RemoveApplication(t, "C", {"Reports"}); },  // only in a sub-group
      [](T t) { return TransferEntry(t, "A", {}, {"Home"}, false); },
      [](T t) { return TransferEntry(t, "Z", {"Reports"}, {"Home"}, false); },
      [](T t) { return TransferEntry(t, "B", {"Reports"}, {"Home", "Q1"}, false); },
      [](T t) { return TransferEntry(t, "A", {"Reports"}, {"Home"}, false); },  // "A" taken
      [](T t) { return TransferEntry(t, "A", {"Reports"}, {"Home"}, true); },
      [](T t) { return TransferEntry(t, "A", {"Home"}, {"Home"}, true); },
      [](T t) { return TransferEntry(t, "X", {"Dup"}, {"Dup"}, false); },  // a twin stays
      // taken out of its group, the carrier no longer leaves a path to its sub-group
      [](T t) { return TransferEntry(t, "Folder", {"G"}, {"G", "Sub"}, false); },
  };
  // clang-format on
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    GroupMap tree = SampleTree();
    EXPECT_FALSE(refused[i](tree)) << "request " << i;
    EXPECT_EQ(tree, SampleTree()) << "request " << i;
  }
}

// Whatever "Other Applications" holds, a removed application or group's entry stays in the tree.
TEST(TreeEditing, RemovedEntriesKeepANameOfTheirOwnInOtherApplications) {
  GroupMap tree = {
      {"A", {App("Code", "editor", "apollo", true)}},
      {"Z", {App("Code", "editor", "zephyr", true), App("Mail"), Carrier({{"S", {App("Code")}}})}},
      {kOtherApplications, {App("Mail")}}};
  ASSERT_TRUE(RemoveApplication(tree, "Code", {"A"}));
  ASSERT_TRUE(RemoveApplication(tree, "Code", {"Z"}));  // another filter: a name of its own
  EXPECT_EQ(tree[kOtherApplications], (AppList{App("Mail"), App("Code", "editor", "apollo", true),
                                               App("Code (2)", "editor", "zephyr", true)}));
  // The same program with the same filter is there already and counts its time.
  ASSERT_TRUE(DeleteGroup(tree, {"Z"}));
  EXPECT_EQ(ShowAsOf(tree[kOtherApplications]),
            (Names{"Code (3)", "", "Mail", "Code", "Code (2)"}));

  // A deleted group's entries, flattened, go to the front.
  tree = SampleTree();
  ASSERT_TRUE(DeleteGroup(tree, {"Reports"}));
  EXPECT_FALSE(tree.contains("Reports"));
  EXPECT_EQ(ShowAsOf(tree[kOtherApplications]), (Names{"None", "A", "B", "None", "C", "", "O"}));
  EXPECT_FALSE(IsCarrier(tree[kOtherApplications][5]));

  GroupMap nested{{"R", {Carrier({{"Q1", {App("C")}}, {"Q2", {}}})}}};
  ASSERT_TRUE(DeleteGroup(nested, {"R", "Q1"}));
  EXPECT_EQ(nested, (GroupMap{{"R", {Carrier({{"Q2", {}}})}}, {kOtherApplications, {App("C")}}}));
}

TEST(TreeEditing, TransferCopiesMovesAndAppendsWithinTheDepthLimit) {
  GroupMap tree = SampleTree();
  ASSERT_TRUE(TransferEntry(tree, "B", {"Reports"}, {"Reports", "Q1"}, true));
  EXPECT_EQ(ShowAsOf(tree["Reports"][3].SubGroups["Q1"]), (Names{"None", "C", "B"}));
  ASSERT_TRUE(TransferEntry(tree, "A", {"Reports"}, {"Reports"}, false));
  EXPECT_EQ(ShowAsOf(tree["Reports"]), (Names{"None", "B", "", "A"}));
  ASSERT_TRUE(TransferEntry(tree, "X", {"Dup"}, {"Home"}, false));
  EXPECT_EQ(tree["Dup"], (AppList{App("Y"), App("X", "two")}));
  EXPECT_EQ(tree["Home"].back(), App("X", "one"));
  // Deleting an application makes "Other Applications" when it is missing.
  tree.erase(kOtherApplications);
  ASSERT_TRUE(TransferEntry(tree, "Y", {"Dup"}, {kOtherApplications}, false));
  EXPECT_EQ(tree[kOtherApplications], AppList{App("Y")});

  // New and carried groups must stay within the depth limit.
  tree.clear();
  GroupPath deep;
  for (; deep.size() < kMaxGroupDepth; deep.push_back("g")) ASSERT_TRUE(AddGroup(tree, "g", deep));
  EXPECT_FALSE(AddGroup(tree, "deeper", deep));
  deep.pop_back();  // one level short of the limit: a sibling at the deepest level still fits
  EXPECT_TRUE(AddGroup(tree, "h", deep));
  tree["Top"] = {Carrier({{"1", {Carrier({{"2", {}}})}}}, "TwoDown"),
                 Carrier({{"1", {}}}, "OneDown")};
  EXPECT_FALSE(TransferEntry(tree, "TwoDown", {"Top"}, deep, false));
  EXPECT_TRUE(TransferEntry(tree, "OneDown", {"Top"}, deep, false));
  EXPECT_EQ(ShowAsOf(tree["Top"]), Names{"TwoDown"});
}

}  // namespace

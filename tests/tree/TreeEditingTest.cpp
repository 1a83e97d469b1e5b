#include <gtest/gtest.h>

#include "TreeBuilders.h"
#include "tree/TreeOps.h"

namespace {

using Names = std::vector<std::string>;

GroupMap SampleTree() {
  return GroupMap{{"Reports",
                   {MakePlaceholder(), App("A"), App("B"),
                    Carrier({{"Q1", {MakePlaceholder(), App("C")}}, {"Q2", {MakePlaceholder()}}})}},
                  {"Home", {MakePlaceholder(), App("H"), App("A")}},
                  {kOtherApplications, {App("O")}}};
}

// --- AddGroup -------------------------------------------------------------

TEST(AddGroup, TopLevelOnEmptyTree) {
  GroupMap tree;
  EXPECT_TRUE(AddGroup(tree, "Reports", {}));
  EXPECT_EQ(tree, (GroupMap{{"Reports", {MakePlaceholder()}}}));
}

TEST(AddGroup, ExistingTopLevelNameGetsOneMorePlaceholder) {
  GroupMap tree = SampleTree();
  EXPECT_TRUE(AddGroup(tree, "Home", {}));
  EXPECT_EQ(ShowAsOf(tree["Home"]), (Names{"None", "H", "A", "None"}));
  EXPECT_TRUE(AddGroup(tree, "", {}));  // names are not validated
  EXPECT_EQ(tree[""], AppList{MakePlaceholder()});
}

TEST(AddGroup, FirstSubGroupGetsACarrierLaterOnesJoinIt) {
  GroupMap tree{{"Reports", {MakePlaceholder()}}};
  ASSERT_TRUE(AddGroup(tree, "Q1", {"Reports"}));
  const AppList& reports = tree["Reports"];
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], Carrier({{"Q1", {MakePlaceholder()}}}));
  EXPECT_TRUE(reports[1].Name.empty());

  ASSERT_TRUE(AddGroup(tree, "Q2", {"Reports"}));
  ASSERT_EQ(tree["Reports"].size(), 2u);
  EXPECT_EQ(KeysOf(tree["Reports"][1].SubGroups), (Names{"Q1", "Q2"}));

  ASSERT_TRUE(AddGroup(tree, "Jan", {"Reports", "Q1"}));
  const AppList* jan = FindGroupList(tree, {"Reports", "Q1", "Jan"});
  ASSERT_NE(jan, nullptr);
  EXPECT_EQ(*jan, AppList{MakePlaceholder()});
}

TEST(AddGroup, RefusalsLeaveTheTreeAsItWas) {
  const struct {
    const char* why;
    std::string name;
    GroupPath parent;
  } cases[] = {
      {"sub-group of that name exists", "Q1", {"Reports"}},
      {"missing parent", "New", {"Nowhere"}},
      {"missing inner parent", "New", {"Reports", "Q9"}},
      {"parent beyond the first carrier", "New", {"Home", "X"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    GroupMap tree = SampleTree();
    EXPECT_FALSE(AddGroup(tree, c.name, c.parent));
    EXPECT_EQ(tree, SampleTree());
  }
}

TEST(AddGroup, StopsAtTheDepthLimit) {
  GroupMap tree;
  GroupPath path;
  for (std::size_t depth = 1; depth <= kMaxGroupDepth; ++depth) {
    const std::string name = "g" + std::to_string(depth);
    ASSERT_TRUE(AddGroup(tree, name, path)) << depth;
    path.push_back(name);
  }
  ASSERT_EQ(path.size(), kMaxGroupDepth);
  ASSERT_NE(FindGroupList(tree, path), nullptr);
  const GroupMap before = tree;
  EXPECT_FALSE(AddGroup(tree, "tooDeep", path));
  EXPECT_EQ(tree, before);
  // A sibling at the deepest level is still allowed.
  path.pop_back();
  EXPECT_TRUE(AddGroup(tree, "sibling", path));
}

// --- RenameGroup ----------------------------------------------------------

TEST(RenameGroup, MovesInKeyOrderWithWholeList) {
  GroupMap tree{{"Beta", {App("B"), Carrier({{"Sub", {App("S")}}})}},
                {"Alpha", {App("A")}},
                {"Alps", {App("P")}}};
  const AppList beta = tree["Beta"];
  ASSERT_TRUE(RenameGroup(tree, "Aa", {"Beta"}));
  EXPECT_EQ(KeysOf(tree), (Names{"Aa", "Alpha", "Alps"}));
  EXPECT_EQ(tree["Aa"], beta);
}

TEST(RenameGroup, RenamesASubGroup) {
  GroupMap tree = SampleTree();
  ASSERT_TRUE(RenameGroup(tree, "Q3", {"Reports", "Q1"}));
  EXPECT_EQ(KeysOf(tree["Reports"][3].SubGroups), (Names{"Q2", "Q3"}));
  EXPECT_EQ(ShowAsOf(*FindGroupList(tree, {"Reports", "Q3"})), (Names{"None", "C"}));
}

TEST(RenameGroup, RefusalsLeaveTheTreeAsItWas) {
  const struct {
    const char* why;
    std::string newName;
    GroupPath path;
  } cases[] = {
      {"empty path", "X", {}},
      {"own name", "Home", {"Home"}},
      {"sibling's name", "Home", {"Reports"}},
      {"sub-group sibling's name", "Q2", {"Reports", "Q1"}},
      {"missing group", "X", {"Missing"}},
      {"missing inner group", "X", {"Home", "Missing"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    GroupMap tree = SampleTree();
    EXPECT_FALSE(RenameGroup(tree, c.newName, c.path));
    EXPECT_EQ(tree, SampleTree());
  }
}

// --- DeleteGroup ----------------------------------------------------------

TEST(DeleteGroup, EntriesGoToTheFrontOfOtherApplications) {
  GroupMap tree{
      {"Reports",
       {MakePlaceholder(), App("A"), App("B"), Carrier({{"Q1", {MakePlaceholder(), App("C")}}})}},
      {kOtherApplications, {App("O")}}};
  ASSERT_TRUE(DeleteGroup(tree, {"Reports"}));
  EXPECT_EQ(KeysOf(tree), Names{kOtherApplications});
  const AppList& others = tree[kOtherApplications];
  EXPECT_EQ(ShowAsOf(others), (Names{"None", "A", "B", "None", "C", "", "O"}));
  EXPECT_TRUE(others[5].SubGroups.empty());
}

TEST(DeleteGroup, SubGroupGoesToTopLevelOtherApplicationsMadeIfMissing) {
  GroupMap tree{{"Reports", {App("A"), Carrier({{"Q1", {App("C")}}, {"Q2", {App("D")}}})}}};
  ASSERT_TRUE(DeleteGroup(tree, {"Reports", "Q1"}));
  EXPECT_EQ(KeysOf(tree), (Names{kOtherApplications, "Reports"}));
  EXPECT_EQ(ShowAsOf(tree[kOtherApplications]), Names{"C"});
  EXPECT_EQ(KeysOf(tree["Reports"][1].SubGroups), Names{"Q2"});
}

TEST(DeleteGroup, PathsLeadingNowhereChangeNothing) {
  for (const GroupPath& path : {GroupPath{}, GroupPath{"Missing"}, GroupPath{"Home", "Q1"},
                                GroupPath{"Reports", "Missing"}}) {
    GroupMap tree{{"Reports", {Carrier({{"Q1", {App("C")}}})}}, {"Home", {App("H")}}};
    const GroupMap before = tree;
    EXPECT_FALSE(DeleteGroup(tree, path));
    EXPECT_EQ(tree, before);  // not even "Other Applications" appears
  }
}

// --- ReplaceEntry ---------------------------------------------------------

TEST(ReplaceEntry, OverwritesInPlace) {
  GroupMap tree = SampleTree();
  AppEntry renamed = App("Alpha", "a.exe", "Draft", true);
  renamed.SubGroups["Inner"] = {App("I")};
  ASSERT_TRUE(ReplaceEntry(tree, "A", {"Home"}, renamed));
  EXPECT_EQ(ShowAsOf(tree["Home"]), (Names{"None", "H", "Alpha"}));
  EXPECT_EQ(tree["Home"][2], renamed);
  EXPECT_EQ(ShowAsOf(tree["Reports"]), (Names{"None", "A", "B", ""}));  // other groups kept
}

TEST(ReplaceEntry, WithAPieceOfItselfIsSafe) {
  GroupMap tree{{"G", {Carrier({{"Sub", {App("Inner")}}}, "Outer")}}};
  const AppEntry& inner = tree["G"][0].SubGroups["Sub"][0];
  ASSERT_TRUE(ReplaceEntry(tree, "Outer", {"G"}, inner));
  EXPECT_EQ(tree["G"], AppList{App("Inner")});
}

TEST(ReplaceEntry, UnknownTargetsChangeNothing) {
  for (const auto& [showAs, path] : {std::pair<std::string, GroupPath>{"Z", {"Home"}},
                                     {"A", {"Missing"}},
                                     {"C", {"Reports", "Q9"}},
                                     {"A", {}}}) {
    GroupMap tree = SampleTree();
    EXPECT_FALSE(ReplaceEntry(tree, showAs, path, App("New")));
    EXPECT_EQ(tree, SampleTree());
  }
}

// --- TransferEntry --------------------------------------------------------

TEST(TransferEntry, CopyAppendsAndKeepsTheSource) {
  GroupMap tree = SampleTree();
  ASSERT_TRUE(TransferEntry(tree, "B", {"Reports"}, {"Reports", "Q2"}, true));
  EXPECT_EQ(ShowAsOf(tree["Reports"]), (Names{"None", "A", "B", ""}));
  EXPECT_EQ(ShowAsOf(*FindGroupList(tree, {"Reports", "Q2"})), (Names{"None", "B"}));
}

TEST(TransferEntry, MoveTakesTheFirstOfThatName) {
  GroupMap tree{{"S", {App("X", "first"), App("Y"), App("X", "second")}}, {"T", {App("T")}}};
  ASSERT_TRUE(TransferEntry(tree, "X", {"S"}, {"T"}, false));
  EXPECT_EQ(ShowAsOf(tree["S"]), (Names{"Y", "X"}));
  EXPECT_EQ(tree["S"][1].Name, "second");
  EXPECT_EQ(tree["T"].back().Name, "first");
}

TEST(TransferEntry, MoveIntoItsOwnGroupPutsItLast) {
  GroupMap tree = SampleTree();
  ASSERT_TRUE(TransferEntry(tree, "A", {"Reports"}, {"Reports"}, false));
  EXPECT_EQ(ShowAsOf(tree["Reports"]), (Names{"None", "B", "", "A"}));
  // Deleting an application of "Other Applications" does the same there.
  ASSERT_TRUE(TransferEntry(tree, "O", {kOtherApplications}, {kOtherApplications}, false));
  EXPECT_EQ(ShowAsOf(tree[kOtherApplications]), Names{"O"});
}

TEST(TransferEntry, DeletingAnApplicationMakesOtherApplications) {
  GroupMap tree{{"Home", {App("H")}}};
  ASSERT_TRUE(TransferEntry(tree, "H", {"Home"}, {kOtherApplications}, false));
  EXPECT_TRUE(tree["Home"].empty());
  EXPECT_EQ(ShowAsOf(tree[kOtherApplications]), Names{"H"});
}

TEST(TransferEntry, RefusalsLeaveTheTreeAsItWas) {
  const struct {
    const char* why;
    std::string showAs;
    GroupPath source;
    GroupPath destination;
  } cases[] = {
      {"empty source", "A", {}, {"Home"}},
      {"empty destination", "A", {"Reports"}, {}},
      {"missing source entry", "Z", {"Reports"}, {"Home"}},
      {"missing source group", "A", {"Missing"}, {"Home"}},
      {"destination level missing", "B", {"Reports"}, {"Missing", "Q1"}},
      {"destination parent without sub-groups", "B", {"Reports"}, {"Home", "Q1"}},
      {"name taken in destination", "A", {"Reports"}, {"Home"}},
      {"duplicate left in own group", "X", {"Dup"}, {"Dup"}},
  };
  for (bool keepSource : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.why) + (keepSource ? " (copy)" : " (move)"));
      GroupMap tree = SampleTree();
      tree["Dup"] = {App("X", "one"), App("Y"), App("X", "two")};
      const GroupMap before = tree;
      EXPECT_FALSE(TransferEntry(tree, c.showAs, c.source, c.destination, keepSource));
      EXPECT_EQ(tree, before);
    }
  }
}

TEST(TransferEntry, CopyIntoItsOwnGroupIsRefused) {
  GroupMap tree = SampleTree();
  EXPECT_FALSE(TransferEntry(tree, "A", {"Home"}, {"Home"}, true));
  EXPECT_EQ(tree, SampleTree());
}

TEST(TransferEntry, CarrierMovedIntoItsOwnSubGroupIsRefused) {
  // With the carrier taken out, the path no longer leads anywhere.
  GroupMap tree{{"G", {Carrier({{"Sub", {App("S")}}}, "Folder")}}};
  const GroupMap before = tree;
  EXPECT_FALSE(TransferEntry(tree, "Folder", {"G"}, {"G", "Sub"}, false));
  EXPECT_EQ(tree, before);
  // A copy may go there: it is taken before anything changes.
  ASSERT_TRUE(TransferEntry(tree, "Folder", {"G"}, {"G", "Sub"}, true));
  const AppList* sub = FindGroupList(tree, {"G", "Sub"});
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(ShowAsOf(*sub), (Names{"S", "Folder"}));
  EXPECT_EQ(sub->back(), before.at("G")[0]);
}

TEST(TransferEntry, RefusesToCarryGroupsBeyondTheDepthLimit) {
  GroupMap tree;
  GroupPath deep;  // one level short of the limit
  while (deep.size() + 1 < kMaxGroupDepth) {
    const std::string name = "g" + std::to_string(deep.size());
    ASSERT_TRUE(AddGroup(tree, name, deep));
    deep.push_back(name);
  }
  tree["Top"] = {Carrier({{"One", {Carrier({{"Two", {App("x")}}})}}}, "TwoLevels"),
                 Carrier({{"One", {App("y")}}}, "OneLevel"), App("Plain")};
  const GroupMap before = tree;
  EXPECT_FALSE(TransferEntry(tree, "TwoLevels", {"Top"}, deep, true));
  EXPECT_FALSE(TransferEntry(tree, "TwoLevels", {"Top"}, deep, false));
  EXPECT_EQ(tree, before);
  EXPECT_TRUE(TransferEntry(tree, "OneLevel", {"Top"}, deep, false));
  EXPECT_TRUE(TransferEntry(tree, "Plain", {"Top"}, deep, false));
  EXPECT_EQ(ShowAsOf(tree["Top"]), Names{"TwoLevels"});
}

}  // namespace

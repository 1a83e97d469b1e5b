#include <gtest/gtest.h>

#include "TreeBuilders.h"
#include "tree/GroupTree.h"
#include "tree/TreeOps.h"

namespace {

TEST(GroupTree, PlaceholderIsNoneAndEmptyOtherwise) {
  const AppEntry placeholder = MakePlaceholder();
  AppEntry expected;
  expected.Name = "None";
  expected.ShowAs = "None";
  EXPECT_EQ(placeholder, expected);
}

TEST(GroupTree, KindsOfEntriesFollowFromContents) {
  struct Case {
    AppEntry entry;
    bool application;
    bool excluded;
    bool carrier;
  };
  const Case cases[] = {
      {App("Editor"), true, false, false},
      {App("none"), true, false, false},  // names compare case-sensitively
      {MakePlaceholder(), false, true, false},
      {App("Stop"), false, true, false},
      {App("Idle"), false, true, false},
      {AppEntry{}, false, false, false},
      {Carrier({{"X", {MakePlaceholder()}}}), false, false, true},
      {Carrier({{"X", {MakePlaceholder()}}}, "None"), false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("ShowAs '" + c.entry.ShowAs + "'");
    EXPECT_EQ(IsApplicationEntry(c.entry), c.application);
    EXPECT_EQ(IsExcludedFromSums(c.entry), c.excluded);
    EXPECT_EQ(IsCarrier(c.entry), c.carrier);
  }
}

TEST(GroupTree, UpperCaseNamesSortFirst) {
  GroupMap level{{"alpha", {App("a")}}, {"Beta", {App("b")}}, {"", {App("empty")}}};
  EXPECT_EQ(KeysOf(level), (std::vector<std::string>{"", "Beta", "alpha"}));

  // Walks over sub-groups follow the same order.
  AppList collected;
  CollectEntries({Carrier(level)}, collected);
  EXPECT_EQ(ShowAsOf(collected), (std::vector<std::string>{"empty", "b", "a", ""}));
}

TEST(GroupTree, CopiesAreDeep) {
  GroupMap original{{"Work", {App("A"), Carrier({{"Inner", {App("B")}}})}}};
  GroupMap copy = original;
  copy["Work"][1].SubGroups["Inner"][0].ShowAs = "changed";
  copy["Work"][1].SubGroups["Added"] = {App("C")};
  EXPECT_EQ(original["Work"][1].SubGroups.size(), 1u);
  EXPECT_EQ(original["Work"][1].SubGroups["Inner"][0].ShowAs, "B");

  AppEntry entry = original["Work"][1];
  entry.SubGroups["Inner"].clear();
  EXPECT_EQ(original["Work"][1].SubGroups["Inner"].size(), 1u);

  original["Work"][1].SubGroups["Inner"][0].Name = "source side";
  EXPECT_EQ(copy["Work"][1].SubGroups["Inner"][0].Name, "B");
}

}  // namespace

#include <gtest/gtest.h>

#include "TreeBuilders.h"
#include "tree/TreeOps.h"

namespace {

TEST(EntryClaims, MatchRuleTable) {
  const struct {
    AppEntry entry;
    std::string app;
    std::string title;
    bool claims;
  } cases[] = {
      {App("E", "editor", "Report", true), "editor", "Report 7 - Editor", true},
      {App("E", "editor", "Report", false), "editor", "Report 7 - Editor", true},
      {App("E", "editor", "report", true), "editor", "Report 7 - Editor", false},
      {App("E", "Editor", "", false), "editor", "Report 7 - Editor", false},
      {App("E", "editor", "", true), "editor", "anything", true},
      {App("E", "editor", "", true), "editor", "", true},
      {App("E", "editor", "Editor", true), "editor", "Report 7 - Editor", true},  // at the end
      {App("E", "editor", "7 -", true), "editor", "Report 7 - Editor", true},
      {App("E", "editor", "Report 7 - Editor!", true), "editor", "Report 7 - Editor", false},
      {App("E", "editor", "Draft", false), "editor", "", true},  // caption not looked at
      {App("E", "editor", "Draft", true), "other", "Draft", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry.Name + " / " + c.entry.TitleFilter + " / " + c.title);
    EXPECT_EQ(EntryClaims(c.entry, c.app, c.title), c.claims);
  }
}

TEST(EntryClaims, EmptyNameClaimsNothing) {
  AppEntry unnamed;
  EXPECT_FALSE(EntryClaims(unnamed, "", ""));
  EXPECT_FALSE(EntryClaims(unnamed, "", "caption"));
}

AppEntry Counted(AppEntry entry) {
  entry.Name = "counted.exe";
  entry.Path = "/opt/counted";
  return Timed(entry, 10, 20, 30);
}

TEST(UpdateMatchingEntries, CopiesCountersAndTextsIntoEveryGroup) {
  GroupMap tree{{"Work", {App("Mail", "old.exe")}},
                {"Home", {App("Web"), App("Mail", "other.exe")}},
                {"Filtered", {App("Mail", "old.exe", "Inbox", true)}}};
  tree["Home"][1].SubGroups["Kept"] = {App("K")};
  const AppEntry source = Counted(App("Mail"));
  UpdateMatchingEntries(source, tree);
  for (const AppEntry* entry : {&tree["Work"][0], &tree["Home"][1]}) {
    EXPECT_EQ(entry->Name, "counted.exe");
    EXPECT_EQ(entry->Path, "/opt/counted");
    EXPECT_EQ(entry->TodayTime, 10);
    EXPECT_EQ(entry->WeekTime, 20);
    EXPECT_EQ(entry->MonthTime, 30);
  }
  EXPECT_EQ(KeysOf(tree["Home"][1].SubGroups), std::vector<std::string>{"Kept"});
  EXPECT_EQ(tree["Home"][0], App("Web"));
  // A different filter is a different association.
  EXPECT_EQ(tree["Filtered"][0], App("Mail", "old.exe", "Inbox", true));
}

TEST(UpdateMatchingEntries, StopsTheListAtTheFirstAgreeingEntry) {
  GroupMap tree{{"G", {App("X"), Carrier({{"Sub", {App("X")}}}), App("X")}}};
  UpdateMatchingEntries(Counted(App("X")), tree);
  EXPECT_EQ(tree["G"][0].TodayTime, 10);
  EXPECT_EQ(tree["G"][1].SubGroups["Sub"][0], App("X"));  // after the stop: not reached
  EXPECT_EQ(tree["G"][2], App("X"));
}

TEST(UpdateMatchingEntries, VisitsSubGroupsBeforeComparingTheCarrier) {
  // The carrier itself agrees, yet its sub-groups are written first.
  AppEntry carrier = Carrier({{"Sub", {App("Y"), App("X")}}}, "X");
  carrier.Name = "X";
  GroupMap tree{{"G", {App("W"), carrier, App("X")}}};
  UpdateMatchingEntries(Counted(App("X")), tree);
  EXPECT_EQ(tree["G"][1].SubGroups["Sub"][1].MonthTime, 30);
  EXPECT_EQ(tree["G"][1].SubGroups["Sub"][0], App("Y"));
  EXPECT_EQ(tree["G"][1].MonthTime, 30);
  EXPECT_EQ(tree["G"][2], App("X"));
  EXPECT_EQ(tree["G"][0], App("W"));
}

TEST(UpdateMatchingEntries, ReachesCarriersBeyondTheFirst) {
  GroupMap tree{{"G",
                 {Carrier({{"A", {App("Other")}}}), Carrier({{"B", {App("X")}}}),
                  Carrier({{"C", {Carrier({{"D", {App("X")}}})}}})}}};
  UpdateMatchingEntries(Counted(App("X")), tree);
  EXPECT_EQ(tree["G"][1].SubGroups["B"][0].WeekTime, 20);
  EXPECT_EQ(tree["G"][2].SubGroups["C"][0].SubGroups["D"][0].WeekTime, 20);
}

TEST(UpdateMatchingEntries, SourceInsideTheTreeIsSafe) {
  GroupMap tree{{"A", {Counted(App("X"))}}, {"B", {App("X")}}};
  UpdateMatchingEntries(tree["A"][0], tree);
  EXPECT_EQ(tree["B"][0], tree["A"][0]);
}

}  // namespace

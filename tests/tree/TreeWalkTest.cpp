#include <gtest/gtest.h>

#include <tuple>

#include "TreeBuilders.h"
#include "tree/TreeOps.h"

namespace {

// Work: [A, carrier C1 {alpha: [B], Beta: [E]}, carrier C2 {Y: [C, carrier C3 {Deep: [D]}]}]
GroupMap TwoCarrierTree() {
  return {{"Work",
           {App("A"), Carrier({{"alpha", {App("B")}}, {"Beta", {App("E")}}}, "C1"),
            Carrier({{"Y", {App("C"), Carrier({{"Deep", {App("D")}}}, "C3")}}}, "C2")}},
          {"Home", {App("H")}}};
}

TEST(TreeWalk, EntryKinds) {
  // entry, shown as an application, left out of sums, carrier
  const std::tuple<AppEntry, bool, bool, bool> cases[] = {
      {App("Editor"), true, false, false},       {App("none"), true, false, false},
      {MakePlaceholder(), false, true, false},   {App("Stop"), false, true, false},
      {App("Idle"), false, true, false},         {AppEntry{}, false, false, false},
      {Carrier({{"X", {}}}), false, false, true}};
  for (const auto& [entry, application, excluded, carrier] : cases) {
    EXPECT_EQ(IsApplicationEntry(entry), application) << entry.ShowAs;
    EXPECT_EQ(IsExcludedFromSums(entry), excluded) << entry.ShowAs;
    EXPECT_EQ(IsCarrier(entry), carrier) << entry.ShowAs;
  }
}

// The read-only lookups follow the first carrier and never add; the editing ones leave a
// missing name behind.
TEST(TreeWalk, LookupsFollowTheFirstCarrier) {
  GroupMap tree = TwoCarrierTree();
  const GroupMap& view = tree;
  EXPECT_EQ(ResolveExistingLevel(tree, {}), nullptr);
  EXPECT_EQ(FindGroupList(tree, {"Work", "Beta"}), &tree["Work"][1].SubGroups["Beta"]);
  EXPECT_EQ(FindExistingSubGroups(tree, "Missing"), nullptr);
  EXPECT_EQ(ResolveExistingLevel(tree, {"Work", "Beta"}), &tree["Work"][1].SubGroups);
  EXPECT_EQ(ResolveExistingLevel(tree, {"Nowhere", "X"}), nullptr);
  for (const GroupPath& path : {GroupPath{"Work", "Y"}, GroupPath{"Work", "Y", "Deep"},
                                GroupPath{"Missing"}, GroupPath{"Home", "alpha"}}) {
    EXPECT_EQ(FindGroupList(view, path), nullptr);
    EXPECT_EQ(FindGroupList(tree, path), nullptr);
  }
  EXPECT_EQ(tree, TwoCarrierTree());
  EXPECT_EQ(FindSubGroups(tree, "Work"), &tree["Work"][1].SubGroups);
  EXPECT_EQ(FindSubGroups(tree, "Missing"), nullptr);
  EXPECT_EQ(ResolveLevel(tree, {"Nowhere", "X"}), nullptr);
  EXPECT_TRUE(tree.at("Missing").empty() && tree.at("Nowhere").empty());
}

TEST(TreeWalk, CollectEntriesPutsEachCarrierAfterItsGroupsInKeyOrder) {
  AppList out{App("kept")};
  CollectEntries(TwoCarrierTree()["Work"], out);  // "Beta" sorts before "alpha"
  EXPECT_EQ(ShowAsOf(out), (Names{"kept", "A", "E", "B", "C1", "C", "D", "C3", "C2"}));
  for (const AppEntry& entry : out) EXPECT_FALSE(IsCarrier(entry)) << entry.ShowAs;
}

TEST(TreeWalk, ResetTimesReachesEveryCarrier) {
  GroupMap tree = TwoCarrierTree();
  tree["Work"][2].SubGroups["Y"][1].SubGroups["Deep"][0].WeekTime = 5;
  tree["Work"][2].SubGroups["Y"][0].MonthTime = 6;
  tree["Work"][0].TodayTime = 7;
  ResetTimes(tree);
  EXPECT_EQ(tree, TwoCarrierTree());
}

TEST(Associations, MatchRule) {
  const std::string caption = "Report 7 - Editor";
  // entry (display name, application, filter text, filter on), application, caption, counts?
  const std::tuple<AppEntry, std::string, std::string, bool> cases[] = {
      {App("E", "editor", "Report", true), "editor", caption, true},
      {App("E", "editor", "Report", false), "editor", caption, true},
      {App("E", "editor", "report", true), "editor", caption, false},
      {App("E", "Editor"), "editor", caption, false},
      {App("E", "editor", "", true), "editor", "", true},
      {App("E", "editor", "Editor", true), "editor", caption, true},
      {App("E", "editor", caption + "!", true), "editor", caption, false},
      {App("E", "editor", "Draft", false), "editor", "", true},
      {AppEntry{}, "", "", false}};
  for (const auto& [entry, app, title, claims] : cases) {
    EXPECT_EQ(EntryClaims(entry, app, title), claims) << entry.TitleFilter << " in " << title;
  }
}

AppEntry Counted(const std::string& showAs) {
  AppEntry entry = App(showAs, "n.exe");
  entry.Path = "/p";
  entry.TodayTime = 1;
  entry.WeekTime = 2;
  entry.MonthTime = 3;
  return entry;
}

// The write-back reaches every group and carrier, and stops each list at its first entry of
// the same association (display name and filter); a carrier's sub-groups are written first.
TEST(Associations, WriteBackStopsEachListAtTheFirstAgreeingEntry) {
  GroupMap tree{{"Work", {App("Mail", "old")}},
                {"Filtered", {App("Mail", "old", "", true)}},
                {"G", {Carrier({{"A", {App("W")}}}), Carrier({{"B", {App("Mail")}}})}},
                {"X", {App("W"), Carrier({{"S", {App("Y"), App("Mail")}}}, "Mail"), App("Mail")}},
                {"Y", {App("Mail"), Carrier({{"S", {App("Mail")}}})}}};
  tree["Work"][0].SubGroups["Kept"] = {App("K")};
  const GroupMap before = tree;
  UpdateMatchingEntries(Counted("Mail"), tree);
  EXPECT_EQ(tree["Work"][0].SubGroups, before.at("Work")[0].SubGroups);
  tree["Work"][0].SubGroups = {};
  EXPECT_EQ(tree["Work"][0], Counted("Mail"));
  EXPECT_EQ(tree["G"][1].SubGroups["B"][0], Counted("Mail"));
  EXPECT_EQ(tree["Filtered"], before.at("Filtered"));
  EXPECT_EQ(tree["G"][0], before.at("G")[0]);
  EXPECT_EQ(tree["X"][1].SubGroups["S"], (AppList{App("Y"), Counted("Mail")}));
  EXPECT_EQ(tree["X"][1].MonthTime, 3);
  EXPECT_EQ(tree["X"][2], App("Mail"));
  EXPECT_EQ(tree["Y"][0], Counted("Mail"));
  EXPECT_EQ(tree["Y"][1].SubGroups["S"][0], App("Mail"));  // after the stop: not reached
}

}  // namespace

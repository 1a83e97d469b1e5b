#include <gtest/gtest.h>

#include <random>

#include "AccountingTestSupport.h"
#include "LiteralAggregation.h"
#include "accounting/Aggregation.h"
#include "accounting/GroupSums.h"
#include "accounting/PeriodCalendar.h"
#include "accounting/Periods.h"
#include "tree/TreeOps.h"

namespace {

// The indexed aggregation reads records as they lie in log bytes: block k carries
// record k's application and record k - 1's times.
void FastAggregate(GroupMap& tree, const std::vector<ActivityRecord>& records) {
  std::string text;
  for (size_t k = 0; k <= records.size(); ++k) {
    const ActivityRecord times = k > 0 ? records[k - 1] : ActivityRecord{};
    const ActivityRecord app = k < records.size() ? records[k] : ActivityRecord{};
    text += LogBlockText({times.StartTime, times.EndTime, app.DisplayName, app.WindowTitle,
                          app.AppName, app.AppPath});
  }
  ActivityLog log;
  log.AddFile(text);
  ASSERT_EQ(log.CopyRecords(), records);
  PeriodCalendar calendar(ClockNow());
  AggregateActivity(tree, log.Records(), calendar);
}

class AggregationTest : public testing::Test {
 protected:
  TimeZoneGuard zone_{"UTC"};
  FixedClockGuard clock_{LocalTime(2026, 7, 15, 12, 0, 0)};  // Wednesday
};

// An end in the year 9999 counts up to now; overlapping records stop at the largest
// total instead of wrapping into a negative one.
TEST_F(AggregationTest, IntervalsEndAtNowAndTotalsNeverWrap) {
  const ActivityRecord forged = {
      "E", "editor", "", "/e", "2026 07 01 00 00 00", "9999 12 31 23 59 59"};
  const int32_t sinceFirst = 14 * 86400 + 12 * 3600;
  for (const auto& [copies, month] : {std::pair{1, sinceFirst}, {2000, INT32_MAX}}) {
    GroupMap tree{{"Work", {App("Editor", "editor")}}};
    FastAggregate(tree, std::vector<ActivityRecord>(static_cast<size_t>(copies), forged));
    EXPECT_EQ(tree.at("Work")[0].MonthTime, month) << copies;
  }
}

// A group sums its sub-groups; idle and negative times add nothing; a path that names no
// group sums to nothing.
TEST(GroupSums, SubGroupsAddUpAndIdleOrNegativeTimesAddNothing) {
  auto timed = [](const std::string& name, int32_t month, int32_t week) {
    return AppEntry{name, name, "", "", month, week, month, false, {}};
  };
  AppEntry carrier = App(kNoneName, kNoneName);
  carrier.SubGroups["Sub"] = {timed("Ed", 600, 600), timed("Idle", 300, 300)};
  const GroupMap tree = {{"Work", {timed("Mail", 60, 60), carrier, timed("Neg", -5, 7)}},
                         {"Private", {timed("Ed", 600, 600)}}};
  EXPECT_EQ(SumGroupTotals(tree, {"Work"}), (PeriodTotals{660, 667, 660}));
  EXPECT_EQ(SumGroupTotals(tree, {"Work", "Sub"}), (PeriodTotals{600, 600, 600}));
  for (const GroupPath& path : {GroupPath{}, {"Nowhere"}, {"Work", "Nowhere"}, {"Private", "Sub"}})
    EXPECT_EQ(SumGroupTotals(tree, path), PeriodTotals{});
  EXPECT_EQ(SumAllTotals(tree), (PeriodTotals{1260, 1267, 1260}));
}

// Random small trees and record lists, drawn from small pools so that names, display
// names and filters collide often.
struct RandomCase {
  explicit RandomCase(uint32_t seed) : random_(seed) {}

  GroupMap Tree() { return Level(0); }

  std::vector<ActivityRecord> Records() {
    static const char* const kDisplay[] = {"Editor", "Browser", "Mail", "Idle", "", "None", "New"};
    static const char* const kApps[] = {"editor", "browser", "mail", "", "fresh", "other"};
    static const char* const kTitles[] = {"Report 7", "proj x", "", "Start", "Report proj"};
    static const char* const kPaths[] = {"", "/usr/bin/a", "/opt/b"};
    static const char* const kTimes[] = {
        "07 15 08 00 00",      "07 15 09 30 00",      "07 14 23 00 00",      "07 13 00 00 00",
        "07 12 12 00 00",      "07 01 00 00 00",      "06 30 23 00 00",      "07 16 11 00 00",
        "2026 07 02 00 00 00", "9999 12 31 23 59 59", "2026 07 15 10 00 00", ""};
    std::vector<ActivityRecord> records(Pick(9));
    for (ActivityRecord& r : records)
      r = {Of(kDisplay), Of(kApps), Of(kTitles), Of(kPaths), Of(kTimes), Of(kTimes)};
    return records;
  }

  size_t Pick(size_t below) { return std::uniform_int_distribution<size_t>(0, below - 1)(random_); }
  template <size_t N>
  std::string Of(const char* const (&pool)[N]) {
    return pool[Pick(N)];
  }

  GroupMap Level(int depth) {
    static const char* const kGroups[] = {"A", "B", "Other Applications", "b"};
    GroupMap level;
    for (size_t n = Pick(depth == 0 ? 4 : 3); n > 0; --n) level[Of(kGroups)] = List(depth);
    return level;
  }

  AppList List(int depth) {
    static const char* const kShowAs[] = {"Editor", "Browser", "Mail", "Idle", "", "None"};
    static const char* const kNames[] = {"editor", "browser", "mail", "", "None"};
    static const char* const kFilters[] = {"", "Report", "proj"};
    AppList list(Pick(4));
    for (AppEntry& e : list) {
      e = App(Of(kShowAs), Of(kNames), Of(kFilters), Pick(2) == 0, Pick(3) == 0 ? "" : "/p");
      if (Pick(5) == 0) e.MonthTime = static_cast<int32_t>(Pick(100));  // stale totals
      if (depth < 3 && Pick(4) == 0) e.SubGroups = Level(depth + 1);
    }
    return list;
  }

  std::mt19937 random_;
};

TEST_F(AggregationTest, IndexedAggregationMatchesTheLiteralOne) {
  int withTime = 0;
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    RandomCase random(seed);
    const GroupMap tree = random.Tree();
    const std::vector<ActivityRecord> records = random.Records();
    GroupMap expected = tree;
    LiteralAggregate(expected, records);
    GroupMap actual = tree;
    FastAggregate(actual, records);
    ASSERT_EQ(actual, expected) << "seed " << seed;
    AppList all;
    for (const auto& [name, list] : actual) CollectEntries(list, all);
    for (const AppEntry& e : all) withTime += e.MonthTime != 0 || e.WeekTime != 0;
  }
  EXPECT_GT(withTime, 1000);  // the cases really count time
}

}  // namespace

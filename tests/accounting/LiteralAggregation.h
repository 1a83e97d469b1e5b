#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "accounting/ActivityRecord.h"
#include "accounting/LogFormat.h"
#include "accounting/Periods.h"
#include "framework/core/Clock.h"
#include "tree/TreeOps.h"

// Shared by the aggregation tests and the log reader's fuzz target.

inline int32_t AddCapped(int32_t total, int64_t seconds) {
  const int64_t sum = int64_t{total} + seconds;
  return static_cast<int32_t>(sum < 0 ? 0 : sum > INT32_MAX ? INT32_MAX : sum);
}

// The aggregation as it was first written down: every record against every entry,
// and after each count a write-back walk of the whole tree. The reference for the
// indexed version.
inline void LiteralAggregate(GroupMap& tree, const std::vector<ActivityRecord>& records) {
  AppList collected;
  for (const auto& [name, list] : tree) CollectEntries(list, collected);
  ResetTimes(tree);
  AppList added;
  const std::string now = LogTimestamp(ClockNow()), dayAhead = LogTimestamp(ClockNow() + 86400);
  for (const ActivityRecord& r : records) {
    bool known = false;
    for (const AppList* list : {&collected, &added}) {
      for (const AppEntry& e : *list)
        known = known || e.Name == r.AppName || e.ShowAs == r.DisplayName;
    }
    if (known || r.AppPath.empty()) continue;
    const std::string& showAs = r.DisplayName.empty() ? r.AppName : r.DisplayName;
    added.push_back({showAs, r.AppName, "", r.AppPath, 0, 0, 0, false, {}});
  }
  for (const ActivityRecord& r : records) {
    // PeriodSeconds depends on the clock alone, so one call per period and record
    // gives what a call per entry would. An end more than a day after now counts as now.
    auto seconds = [&](ReportPeriod p) {
      const int64_t written = PeriodSeconds(r.StartTime, r.EndTime, p);
      return written > PeriodSeconds(r.StartTime, dayAhead, p) ? PeriodSeconds(r.StartTime, now, p)
                                                               : written;
    };
    const int64_t week = seconds(Week), month = seconds(Month), today = seconds(Today);
    auto add = [&](AppEntry& e) {
      e.WeekTime = AddCapped(e.WeekTime, week);
      e.MonthTime = AddCapped(e.MonthTime, month);
      e.TodayTime = AddCapped(e.TodayTime, today);
    };
    for (AppEntry& e : added) {
      if (EntryClaims(e, r.AppName, r.WindowTitle)) add(e);
    }
    for (AppEntry& e : collected) {
      if (!EntryClaims(e, r.AppName, r.WindowTitle)) continue;
      add(e);
      UpdateMatchingEntries(e, tree);
    }
  }
  AppList& other = tree[kOtherApplications];
  other.insert(other.begin(), added.begin(), added.end());
}

#include "accounting/GroupSums.h"

#include "tree/TreeOps.h"

PeriodTotals SumGroupTotals(const GroupMap& tree, const GroupPath& path) {
  PeriodTotals sums;
  const AppList* list = FindGroupList(tree, path);
  if (list == nullptr) return sums;  // read-only: a missing group is not added
  AppList entries;
  CollectEntries(*list, entries);
  for (const AppEntry& e : entries) {
    if (IsExcludedFromSums(e)) continue;
    if (e.MonthTime > 0) sums.month += e.MonthTime;
    if (e.WeekTime > 0) sums.week += e.WeekTime;
    if (e.TodayTime > 0) sums.today += e.TodayTime;
  }
  return sums;
}

PeriodTotals SumAllTotals(const GroupMap& tree) {
  PeriodTotals all;
  for (const auto& [name, list] : tree) {
    const PeriodTotals group = SumGroupTotals(tree, {name});
    all.month += group.month;
    all.week += group.week;
    all.today += group.today;
  }
  return all;
}

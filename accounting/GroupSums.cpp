#include "accounting/GroupSums.h"

#include "tree/TreeOps.h"

namespace {

// Adds the entries of `list` and of every group beneath it, read in place: a copy of a
// large group for every selection made the tree sluggish.
void AddEntries(const AppList& list, PeriodTotals& sums) {
  for (const AppEntry& e : list) {
    for (const auto& [name, subList] : e.SubGroups) AddEntries(subList, sums);
    if (IsExcludedFromSums(e)) continue;
    if (e.MonthTime > 0) sums.month += e.MonthTime;
    if (e.WeekTime > 0) sums.week += e.WeekTime;
    if (e.TodayTime > 0) sums.today += e.TodayTime;
  }
}

}  // namespace

PeriodTotals SumGroupTotals(const GroupMap& tree, const GroupPath& path) {
  PeriodTotals sums;
  const AppList* list = FindGroupList(tree, path);
  if (list != nullptr) AddEntries(*list, sums);  // read-only: a missing group is not added
  return sums;
}

PeriodTotals SumAllTotals(const GroupMap& tree) {
  PeriodTotals all;
  for (const auto& [name, list] : tree) AddEntries(list, all);
  return all;
}

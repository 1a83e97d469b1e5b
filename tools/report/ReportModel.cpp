#include "tools/report/ReportModel.h"

#include "accounting/DLLDocument.h"
#include "accounting/GroupSums.h"

namespace {

ReportApplication MakeApplication(const AppEntry& entry) {
  ReportApplication app;
  app.showAs = entry.ShowAs;
  app.name = entry.Name;
  app.path = entry.Path;
  app.titleFilter = entry.TitleFilter;
  app.filterOn = entry.isCheckTitleFilter;
  app.totals = PeriodTotals{entry.MonthTime, entry.WeekTime, entry.TodayTime};
  return app;
}

ReportGroup MakeGroup(const GroupMap& tree, const GroupPath& path, const AppList& list) {
  ReportGroup group;
  group.name = path.back();
  group.path = path;
  group.totals = SumGroupTotals(tree, path);
  for (const AppEntry& entry : list) {
    if (IsApplicationEntry(entry)) group.applications.push_back(MakeApplication(entry));
  }
  for (const AppEntry& entry : list) {
    if (!IsCarrier(entry)) continue;
    for (const auto& [name, subList] : entry.SubGroups) {
      GroupPath subPath = path;
      subPath.push_back(name);
      group.groups.push_back(MakeGroup(tree, subPath, subList));
    }
  }
  return group;
}

std::vector<ReportGroup> MakeGroups(const GroupMap& tree) {
  std::vector<ReportGroup> groups;
  for (const auto& [name, list] : tree) groups.push_back(MakeGroup(tree, GroupPath{name}, list));
  return groups;
}

// Adds to each item of `into` its totals in `from`, the same item of one computer's
// report. Both come from trees of the same shape; should they differ, what is missing
// counts as nothing.
void AddComputerTotals(ReportGroup& into, const ReportGroup& from) {
  into.byComputer.push_back(from.totals);
  for (size_t i = 0; i < into.applications.size(); ++i) {
    into.applications[i].byComputer.push_back(
        i < from.applications.size() ? from.applications[i].totals : PeriodTotals{});
  }
  for (size_t i = 0; i < into.groups.size(); ++i) {
    AddComputerTotals(into.groups[i], i < from.groups.size() ? from.groups[i] : ReportGroup{});
  }
}

}  // namespace

Report BuildReport(const CDLLDocument& document, int64_t now, bool byComputer) {
  Report report;
  report.now = now;
  report.dataFolder = document.GetScannedFolder();
  report.records = document.GetRecordCount();
  report.totals = document.GetAllTotals();
  report.groups = MakeGroups(document.GetGroupMap());
  report.byComputer = byComputer;
  const std::vector<ComputerLogSource>& computers = document.GetComputers();
  for (size_t c = 0; c < computers.size(); ++c) {
    ReportComputer& computer = report.computers.emplace_back();
    computer.name = computers[c].name;
    computer.folder = computers[c].folder;
    computer.thisComputer = computers[c].thisComputer;
    computer.records = document.GetRecordCount(c);
    if (!byComputer) continue;
    const GroupMap tree = document.GetComputerTree(c);
    computer.totals = SumAllTotals(tree);
    const std::vector<ReportGroup> groups = MakeGroups(tree);
    for (size_t i = 0; i < report.groups.size(); ++i) {
      AddComputerTotals(report.groups[i], i < groups.size() ? groups[i] : ReportGroup{});
    }
  }
  return report;
}

int64_t PeriodValue(const PeriodTotals& totals, ReportPeriod period) {
  switch (period) {
    case Month:
      return totals.month;
    case Week:
      return totals.week;
    case Today:
      return totals.today;
  }
  return 0;
}

#include "host/report/ReportModel.h"

#include "accounting/DLLDocument.h"

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

ReportGroup MakeGroup(const CDLLDocument& document, const GroupPath& path, const AppList& list) {
  ReportGroup group;
  group.name = path.back();
  group.path = path;
  group.totals = document.GetGroupTotals(path);
  for (const AppEntry& entry : list) {
    if (IsApplicationEntry(entry)) group.applications.push_back(MakeApplication(entry));
  }
  for (const AppEntry& entry : list) {
    if (!IsCarrier(entry)) continue;
    for (const auto& [name, subList] : entry.SubGroups) {
      GroupPath subPath = path;
      subPath.push_back(name);
      group.groups.push_back(MakeGroup(document, subPath, subList));
    }
  }
  return group;
}

}  // namespace

Report BuildReport(const CDLLDocument& document, int64_t now) {
  Report report;
  report.now = now;
  report.dataFolder = document.GetScannedFolder();
  report.records = document.GetRecordCount();
  report.totals = document.GetAllTotals();
  for (const auto& [name, list] : document.GetGroupMap()) {
    report.groups.push_back(MakeGroup(document, GroupPath{name}, list));
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

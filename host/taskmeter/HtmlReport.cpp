#include "host/taskmeter/HtmlReport.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sstream>

namespace {

constexpr ReportPeriod kPeriods[] = {Month, Week, Today};

const char* kStyle = R"(<style>
body { font-family: sans-serif; margin: 1.5em; color: #222; }
table { border-collapse: collapse; }
th, td { padding: 3px 10px; border-bottom: 1px solid #ddd; text-align: left; }
td.time { font-family: monospace; white-space: nowrap; }
tr.group > td:first-child { font-weight: bold; }
tr.total td { font-weight: bold; border-top: 2px solid #888; }
.bar { background: #eee; width: 120px; height: 9px; display: inline-block; margin-left: 6px; }
.fill { display: block; background: #3a7bd5; height: 9px; }
.share { color: #666; margin-left: 6px; font-size: 90%; }
</style>
)";

std::string LocalTimeText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string Duration(int64_t seconds) {
  const int64_t s = std::max<int64_t>(seconds, 0);
  char text[40];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return text;
}

std::string PercentText(double percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", percent);
  return text;
}

void Cell(std::ostringstream& out, int64_t part, int64_t whole) {
  const std::string share = PercentText(SharePercent(part, whole));
  out << "<td class=\"time\">" << Duration(part) << "<span class=\"bar\"><span class=\"fill\" "
      << "style=\"width:" << share << "%\"></span></span><span class=\"share\">" << share
      << " %</span></td>";
}

void Row(std::ostringstream& out, const char* kind, const std::string& name, int depth,
         const PeriodTotals& totals, const PeriodTotals& parent) {
  out << "<tr class=\"" << kind << "\" data-name=\"" << EscapeHtml(name) << "\" data-month=\""
      << totals.month << "\" data-week=\"" << totals.week << "\" data-today=\"" << totals.today
      << "\"><td style=\"padding-left:" << (10 + depth * 18) << "px\">" << EscapeHtml(name)
      << "</td>";
  for (ReportPeriod period : kPeriods) {
    Cell(out, PeriodValue(totals, period), PeriodValue(parent, period));
  }
  out << "</tr>\n";
}

void GroupRows(std::ostringstream& out, const ReportGroup& group, int depth,
               const PeriodTotals& parent) {
  Row(out, "group", group.name, depth, group.totals, parent);
  for (const ReportApplication& app : group.applications) {
    Row(out, "app", app.showAs.empty() ? app.name : app.showAs, depth + 1, app.totals,
        group.totals);
  }
  for (const ReportGroup& sub : group.groups) GroupRows(out, sub, depth + 1, group.totals);
}

}  // namespace

double SharePercent(int64_t part, int64_t whole) {
  if (whole <= 0 || part <= 0) return 0.0;
  return std::min(100.0, 100.0 * static_cast<double>(part) / static_cast<double>(whole));
}

std::string EscapeHtml(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

std::string ReportAsHtml(const Report& report) {
  std::ostringstream out;
  out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>TaskMeter report "
      << LocalTimeText(report.now) << "</title>\n"
      << kStyle << "</head><body>\n<h1>TaskMeter report</h1>\n<p>Made " << LocalTimeText(report.now)
      << " from " << report.records << " activity records in <code>"
      << EscapeHtml(report.dataFolder) << "</code>.</p>\n"
      << "<table>\n<tr><th>Group / application</th><th>This month</th><th>This week</th>"
      << "<th>Today</th></tr>\n";
  for (const ReportGroup& group : report.groups) GroupRows(out, group, 0, report.totals);
  Row(out, "total", "All groups", 0, report.totals, report.totals);
  out << "</table>\n</body></html>\n";
  return out.str();
}

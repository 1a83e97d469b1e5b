#include "host/HtmlReport.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <sstream>
#include <vector>

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
.bar.split { display: inline-flex; }
.swatch { display: inline-block; width: 10px; height: 10px; margin-right: 6px; }
table.computers { margin-bottom: 1.2em; }
</style>
)";

// One colour per computer, the first being the bar colour of a single computer's page.
const char* const kComputerColours[] = {"#3a7bd5", "#e07b39", "#3aa757",
                                        "#9b59b6", "#d64541", "#16a2b8"};

const char* ComputerColour(size_t computer) {
  return kComputerColours[computer % std::size(kComputerColours)];
}

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

// One period's cell: the time, a bar as long as its share of `whole` and the share.
// By computer the bar is made of each computer's part, and the tooltip names them.
void Cell(std::ostringstream& out, const Report& report, ReportPeriod period,
          const PeriodTotals& totals, const std::vector<PeriodTotals>& byComputer, int64_t whole) {
  const int64_t part = PeriodValue(totals, period);
  const std::string share = PercentText(SharePercent(part, whole));
  if (!report.byComputer) {
    out << "<td class=\"time\">" << Duration(part) << "<span class=\"bar\"><span class=\"fill\" "
        << "style=\"width:" << share << "%\"></span></span><span class=\"share\">" << share
        << " %</span></td>";
    return;
  }
  std::string tooltip, segments;
  for (size_t c = 0; c < byComputer.size() && c < report.computers.size(); ++c) {
    const int64_t seconds = PeriodValue(byComputer[c], period);
    tooltip += (c > 0 ? ", " : "") + EscapeHtml(report.computers[c].name) + " " + Duration(seconds);
    segments += "<span class=\"fill\" style=\"width:" + PercentText(SharePercent(seconds, whole)) +
                "%;background:" + ComputerColour(c) + "\"></span>";
  }
  out << "<td class=\"time\" title=\"" << tooltip << "\">" << Duration(part)
      << "<span class=\"bar split\">" << segments << "</span><span class=\"share\">" << share
      << " %</span></td>";
}

void Row(std::ostringstream& out, const Report& report, const char* kind, const std::string& name,
         int depth, const PeriodTotals& totals, const std::vector<PeriodTotals>& byComputer,
         const PeriodTotals& parent) {
  out << "<tr class=\"" << kind << "\" data-name=\"" << EscapeHtml(name) << "\" data-month=\""
      << totals.month << "\" data-week=\"" << totals.week << "\" data-today=\"" << totals.today
      << "\"><td style=\"padding-left:" << (10 + depth * 18) << "px\">" << EscapeHtml(name)
      << "</td>";
  for (ReportPeriod period : kPeriods) {
    Cell(out, report, period, totals, byComputer, PeriodValue(parent, period));
  }
  out << "</tr>\n";
}

void GroupRows(std::ostringstream& out, const Report& report, const ReportGroup& group, int depth,
               const PeriodTotals& parent) {
  Row(out, report, "group", group.name, depth, group.totals, group.byComputer, parent);
  for (const ReportApplication& app : group.applications) {
    Row(out, report, "app", app.showAs.empty() ? app.name : app.showAs, depth + 1, app.totals,
        app.byComputer, group.totals);
  }
  for (const ReportGroup& sub : group.groups) {
    GroupRows(out, report, sub, depth + 1, group.totals);
  }
}

// Each computer in its colour, with where its logs were read and its totals.
void ComputerTable(std::ostringstream& out, const Report& report) {
  out << "<table class=\"computers\">\n<tr><th>Computer</th><th>Logs</th><th>Records</th>"
      << "<th>This month</th><th>This week</th><th>Today</th></tr>\n";
  for (size_t c = 0; c < report.computers.size(); ++c) {
    const ReportComputer& computer = report.computers[c];
    out << "<tr class=\"computer\"><td><span class=\"swatch\" style=\"background:"
        << ComputerColour(c) << "\"></span>" << EscapeHtml(computer.name)
        << (computer.thisComputer ? " (this computer)" : "") << "</td><td><code>"
        << EscapeHtml(computer.folder) << "</code></td><td>" << computer.records << "</td>";
    for (ReportPeriod period : kPeriods) {
      out << "<td class=\"time\">" << Duration(PeriodValue(computer.totals, period)) << "</td>";
    }
    out << "</tr>\n";
  }
  out << "</table>\n";
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
      << " from " << report.records << " activity records ";
  if (report.byComputer) {
    out << "of " << report.computers.size() << " computers.</p>\n";
  } else {
    out << "in <code>" << EscapeHtml(report.dataFolder) << "</code>.</p>\n";
  }
  std::vector<PeriodTotals> computerTotals;
  if (report.byComputer) {
    ComputerTable(out, report);
    for (const ReportComputer& computer : report.computers) {
      computerTotals.push_back(computer.totals);
    }
  }
  out << "<table>\n<tr><th>Group / application</th><th>This month</th><th>This week</th>"
      << "<th>Today</th></tr>\n";
  for (const ReportGroup& group : report.groups) GroupRows(out, report, group, 0, report.totals);
  Row(out, report, "total", "All groups", 0, report.totals, computerTotals, report.totals);
  out << "</table>\n</body></html>\n";
  return out.str();
}

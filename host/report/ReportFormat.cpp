#include "host/report/ReportFormat.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string_view>
#include <utility>
#include <vector>

#include "host/toolkit/CsvWriter.h"
#include "host/toolkit/LocalTime.h"
#include "host/toolkit/Utf8.h"

namespace {

constexpr ReportPeriod kPeriods[] = {Month, Week, Today};

// ---- text ----

struct TextRow {
  std::string label;  // indented name
  std::string cells[3];
};

// The statistics line without its "Work: " lead: "hh:mm:ss = p percent".
std::string ShareCell(int64_t numerator, int64_t denominator) {
  std::string text = FormatStatisticsLine(numerator, denominator).text;
  const std::string lead = "Work: ";
  if (text.compare(0, lead.size(), lead) == 0) text.erase(0, lead.size());
  return text;
}

void AddTextRows(const ReportGroup& group, const PeriodTotals& parent, int depth,
                 std::vector<TextRow>& rows) {
  const std::string indent(static_cast<size_t>(depth) * 4, ' ');
  TextRow row{indent + "+ " + SanitizeUtf8(group.name), {}};
  for (int p = 0; p < 3; ++p) {
    row.cells[p] =
        ShareCell(PeriodValue(group.totals, kPeriods[p]), PeriodValue(parent, kPeriods[p]));
  }
  rows.push_back(row);
  for (const ReportApplication& app : group.applications) {
    TextRow appRow{indent + "    - " + SanitizeUtf8(app.showAs), {}};
    for (int p = 0; p < 3; ++p) {
      appRow.cells[p] =
          ShareCell(PeriodValue(app.totals, kPeriods[p]), PeriodValue(group.totals, kPeriods[p]));
    }
    rows.push_back(appRow);
  }
  for (const ReportGroup& sub : group.groups) AddTextRows(sub, group.totals, depth + 1, rows);
}

std::string Pad(const std::string& text, size_t width) {
  const size_t length = CodePointCount(text);
  return length >= width ? text : text + std::string(width - length, ' ');
}

// ---- json ----

using Json = nlohmann::ordered_json;

// Texts are bytes of whatever the recording side used; JSON needs UTF-8.
Json Text(std::string_view bytes) { return SanitizeUtf8(bytes); }

void AddTotals(Json& object, const PeriodTotals& totals) {
  object["month"] = totals.month;
  object["week"] = totals.week;
  object["today"] = totals.today;
}

Json GroupJson(const ReportGroup& group) {
  Json object;
  object["name"] = Text(group.name);
  AddTotals(object, group.totals);
  Json applications = Json::array();
  for (const ReportApplication& app : group.applications) {
    Json entry;
    entry["show_as"] = Text(app.showAs);
    entry["name"] = Text(app.name);
    entry["path"] = Text(app.path);
    entry["title_filter"] = Text(app.titleFilter);
    entry["filter_on"] = app.filterOn;
    AddTotals(entry, app.totals);
    applications.push_back(std::move(entry));
  }
  object["applications"] = std::move(applications);
  Json groups = Json::array();
  for (const ReportGroup& sub : group.groups) groups.push_back(GroupJson(sub));
  object["groups"] = std::move(groups);
  return object;
}

// The library leaves DEL as it is; the report has always written it escaped, like
// the other control characters. It can only stand inside a string.
std::string EscapeDelete(std::string text) {
  for (size_t at = text.find('\x7f'); at != std::string::npos; at = text.find('\x7f', at)) {
    text.replace(at, 1, "\\u007f");
  }
  return text;
}

// ---- csv ----

std::string JoinPath(const GroupPath& path) {
  std::string joined;
  for (size_t i = 0; i < path.size(); ++i) {
    if (i > 0) joined += '/';
    joined += path[i];
  }
  return joined;
}

void WriteCsvGroup(std::string& out, const ReportGroup& group) {
  const std::string path = JoinPath(group.path);
  const PeriodTotals& t = group.totals;
  out += CsvRecord({path, "group", "", "", "", std::to_string(t.month), std::to_string(t.week),
                    std::to_string(t.today)});
  for (const ReportApplication& app : group.applications) {
    const PeriodTotals& a = app.totals;
    out += CsvRecord({path, "application", app.showAs, app.name, app.path, std::to_string(a.month),
                      std::to_string(a.week), std::to_string(a.today)});
  }
  for (const ReportGroup& sub : group.groups) WriteCsvGroup(out, sub);
}

}  // namespace

std::optional<ReportFormat> ParseReportFormat(const std::string& name) {
  if (name == "text") return ReportFormat::Text;
  if (name == "json") return ReportFormat::Json;
  if (name == "csv") return ReportFormat::Csv;
  return std::nullopt;
}

std::string ReportAsText(const Report& report) {
  std::vector<TextRow> rows;
  rows.push_back({"All groups",
                  {FormatDuration(report.totals.month), FormatDuration(report.totals.week),
                   FormatDuration(report.totals.today)}});
  for (const ReportGroup& group : report.groups) AddTextRows(group, report.totals, 0, rows);

  size_t labelWidth = 24;
  size_t cellWidth = 24;
  for (const TextRow& row : rows) {
    labelWidth = std::max(labelWidth, CodePointCount(row.label) + 2);
    for (const std::string& cell : row.cells) cellWidth = std::max(cellWidth, cell.size() + 3);
  }
  std::string out = "TaskMeter report at " + FormatDateTime(report.now) + "\n";
  out += "Data folder: " + SanitizeUtf8(report.dataFolder) + " (" + std::to_string(report.records) +
         " records)\n\n";
  out += Pad("", labelWidth) + Pad("Month", cellWidth) + Pad("Week", cellWidth) + "Today\n";
  for (const TextRow& row : rows) {
    out += Pad(row.label, labelWidth) + Pad(row.cells[0], cellWidth) +
           Pad(row.cells[1], cellWidth) + row.cells[2] + "\n";
  }
  return out;
}

std::string ReportAsJson(const Report& report) {
  Json root;
  root["now"] = FormatDateTime(report.now);
  root["data_folder"] = Text(report.dataFolder);
  root["records"] = report.records;
  Json totals;
  AddTotals(totals, report.totals);
  root["totals"] = std::move(totals);
  Json groups = Json::array();
  for (const ReportGroup& group : report.groups) groups.push_back(GroupJson(group));
  root["groups"] = std::move(groups);
  return EscapeDelete(root.dump(2)) + "\n";
}

std::string ReportAsCsv(const Report& report) {
  std::string out =
      CsvRecord({"group_path", "kind", "show_as", "name", "app_path", "month", "week", "today"});
  for (const ReportGroup& group : report.groups) WriteCsvGroup(out, group);
  return out;
}

std::string FormatReport(const Report& report, ReportFormat format) {
  switch (format) {
    case ReportFormat::Json:
      return ReportAsJson(report);
    case ReportFormat::Csv:
      return ReportAsCsv(report);
    case ReportFormat::Text:
      break;
  }
  return ReportAsText(report);
}

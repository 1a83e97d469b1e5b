#include "tools/report/ReportFormat.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/common/CsvWriter.h"
#include "tools/common/LocalTime.h"
#include "tools/common/Utf8.h"

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

// Below an item's row, a row per computer: its part of the item's time.
void AddComputerRows(const Report& report, const std::vector<PeriodTotals>& byComputer,
                     const PeriodTotals& item, const std::string& indent,
                     std::vector<TextRow>& rows) {
  for (size_t c = 0; c < byComputer.size() && c < report.computers.size(); ++c) {
    TextRow row{indent + "on " + SanitizeUtf8(report.computers[c].name), {}};
    for (int p = 0; p < 3; ++p) {
      row.cells[p] =
          ShareCell(PeriodValue(byComputer[c], kPeriods[p]), PeriodValue(item, kPeriods[p]));
    }
    rows.push_back(row);
  }
}

void AddTextRows(const Report& report, const ReportGroup& group, const PeriodTotals& parent,
                 int depth, std::vector<TextRow>& rows) {
  const std::string indent(static_cast<size_t>(depth) * 4, ' ');
  TextRow row{indent + "+ " + SanitizeUtf8(group.name), {}};
  for (int p = 0; p < 3; ++p) {
    row.cells[p] =
        ShareCell(PeriodValue(group.totals, kPeriods[p]), PeriodValue(parent, kPeriods[p]));
  }
  rows.push_back(row);
  AddComputerRows(report, group.byComputer, group.totals, indent + "  ", rows);
  for (const ReportApplication& app : group.applications) {
    TextRow appRow{indent + "    - " + SanitizeUtf8(app.showAs), {}};
    for (int p = 0; p < 3; ++p) {
      appRow.cells[p] =
          ShareCell(PeriodValue(app.totals, kPeriods[p]), PeriodValue(group.totals, kPeriods[p]));
    }
    rows.push_back(appRow);
    AddComputerRows(report, app.byComputer, app.totals, indent + "      ", rows);
  }
  for (const ReportGroup& sub : group.groups) {
    AddTextRows(report, sub, group.totals, depth + 1, rows);
  }
}

// "desktop (this computer, 120 records), laptop (80 records)".
std::string ComputerList(const Report& report) {
  std::string list;
  for (const ReportComputer& computer : report.computers) {
    if (!list.empty()) list += ", ";
    list += SanitizeUtf8(computer.name) + " (" + (computer.thisComputer ? "this computer, " : "") +
            std::to_string(computer.records) + " records)";
  }
  return list;
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

// {"<computer>": {"month", "week", "today"}, ...} in the order of the computers.
void AddByComputer(Json& object, const Report& report, const std::vector<PeriodTotals>& totals) {
  if (!report.byComputer) return;
  Json byComputer = Json::object();
  for (size_t c = 0; c < totals.size() && c < report.computers.size(); ++c) {
    Json entry;
    AddTotals(entry, totals[c]);
    byComputer[SanitizeUtf8(report.computers[c].name)] = std::move(entry);
  }
  object["by_computer"] = std::move(byComputer);
}

Json GroupJson(const Report& report, const ReportGroup& group) {
  Json object;
  object["name"] = Text(group.name);
  AddTotals(object, group.totals);
  AddByComputer(object, report, group.byComputer);
  Json applications = Json::array();
  for (const ReportApplication& app : group.applications) {
    Json entry;
    entry["show_as"] = Text(app.showAs);
    entry["name"] = Text(app.name);
    entry["path"] = Text(app.path);
    entry["title_filter"] = Text(app.titleFilter);
    entry["filter_on"] = app.filterOn;
    AddTotals(entry, app.totals);
    AddByComputer(entry, report, app.byComputer);
    applications.push_back(std::move(entry));
  }
  object["applications"] = std::move(applications);
  Json groups = Json::array();
  for (const ReportGroup& sub : group.groups) groups.push_back(GroupJson(report, sub));
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

// The three numbers of `totals`, then those of each computer.
void AddCsvNumbers(std::vector<std::string>& fields, const PeriodTotals& totals,
                   const std::vector<PeriodTotals>& byComputer) {
  const auto add = [&fields](const PeriodTotals& t) {
    fields.insert(fields.end(),
                  {std::to_string(t.month), std::to_string(t.week), std::to_string(t.today)});
  };
  add(totals);
  for (const PeriodTotals& t : byComputer) add(t);
}

void WriteCsvGroup(std::string& out, const ReportGroup& group) {
  const std::string path = JoinPath(group.path);
  std::vector<std::string> fields = {path, "group", "", "", ""};
  AddCsvNumbers(fields, group.totals, group.byComputer);
  out += CsvRecord(fields);
  for (const ReportApplication& app : group.applications) {
    fields = {path, "application", app.showAs, app.name, app.path};
    AddCsvNumbers(fields, app.totals, app.byComputer);
    out += CsvRecord(fields);
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
  if (report.byComputer) {
    std::vector<PeriodTotals> byComputer;
    for (const ReportComputer& computer : report.computers) byComputer.push_back(computer.totals);
    AddComputerRows(report, byComputer, report.totals, "  ", rows);
  }
  for (const ReportGroup& group : report.groups) AddTextRows(report, group, report.totals, 0, rows);

  size_t labelWidth = 24;
  size_t cellWidth = 24;
  for (const TextRow& row : rows) {
    labelWidth = std::max(labelWidth, CodePointCount(row.label) + 2);
    for (const std::string& cell : row.cells) cellWidth = std::max(cellWidth, cell.size() + 3);
  }
  std::string out = "TaskMeter report at " + FormatDateTime(report.now) + "\n";
  out += "Data folder: " + SanitizeUtf8(report.dataFolder) + " (" + std::to_string(report.records) +
         " records)\n";
  if (report.byComputer || report.computers.size() > 1) {
    out += "Computers: " + ComputerList(report) + "\n";
  }
  out += "\n";
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
  if (report.byComputer) {
    Json computers = Json::array();
    for (const ReportComputer& computer : report.computers) {
      Json entry;
      entry["name"] = Text(computer.name);
      entry["folder"] = Text(computer.folder);
      entry["this_computer"] = computer.thisComputer;
      entry["records"] = computer.records;
      AddTotals(entry, computer.totals);
      computers.push_back(std::move(entry));
    }
    root["computers"] = std::move(computers);
  }
  Json groups = Json::array();
  for (const ReportGroup& group : report.groups) groups.push_back(GroupJson(report, group));
  root["groups"] = std::move(groups);
  return EscapeDelete(root.dump(2)) + "\n";
}

std::string ReportAsCsv(const Report& report) {
  std::vector<std::string> header = {"group_path", "kind",  "show_as", "name",
                                     "app_path",   "month", "week",    "today"};
  for (size_t c = 0; report.byComputer && c < report.computers.size(); ++c) {
    for (const char* period : {" month", " week", " today"}) {
      header.push_back(report.computers[c].name + period);
    }
  }
  std::string out = CsvRecord(header);
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

#pragma once

#include <optional>
#include <string>

#include "tools/report/ReportModel.h"

enum class ReportFormat { Text, Json, Csv };

// "text", "json" or "csv".
std::optional<ReportFormat> ParseReportFormat(const std::string& name);

// An indented tree with, per period, hh:mm:ss and the share of the parent as the
// statistics lines show them; by computer, a row "on <name>" under each item with that
// computer's part of it.
std::string ReportAsText(const Report& report);

// {"now", "data_folder", "records", "totals", "groups": [...]}; whole seconds. By
// computer, "computers": [...] before the groups, and each group and application has
// "by_computer": {"<name>": {"month", "week", "today"}, ...}.
std::string ReportAsJson(const Report& report);

// group_path,kind,show_as,name,app_path,month,week,today: a row per group followed by
// its applications, then its sub-groups. By computer, "<name> month", "<name> week" and
// "<name> today" columns follow for each computer.
std::string ReportAsCsv(const Report& report);

std::string FormatReport(const Report& report, ReportFormat format);

#pragma once

#include <optional>
#include <string>

#include "host/report/ReportModel.h"

enum class ReportFormat { Text, Json, Csv };

// "text", "json" or "csv".
std::optional<ReportFormat> ParseReportFormat(const std::string& name);

// An indented tree with, per period, hh:mm:ss and the share of the parent as the
// statistics lines show them.
std::string ReportAsText(const Report& report);

// {"now", "data_folder", "records", "totals", "groups": [...]}; whole seconds.
std::string ReportAsJson(const Report& report);

// group_path,kind,show_as,name,app_path,month,week,today: a row per group followed by
// its applications, then its sub-groups.
std::string ReportAsCsv(const Report& report);

std::string FormatReport(const Report& report, ReportFormat format);

#pragma once

#include <string>

#include "tools/report/ReportModel.h"

// The report as a page for the browser: one table row per group and application, and
// for each period the time, its share of the parent (groups of the whole, applications
// and sub-groups of their group) and a bar as long as that share. Each row also
// carries its name and seconds as data attributes, for scripts and checks. A report by
// computer also lists the computers, each in a colour of its own, splits every bar into
// the computers' parts in their colours and names them in the cell's tooltip.
std::string ReportAsHtml(const Report& report);

// The share of `part` in `whole` in percent, 0 when the whole is empty, at most 100.
double SharePercent(int64_t part, int64_t whole);

// Text with &, <, > and " made safe inside elements and attribute values.
std::string EscapeHtml(const std::string& text);

#pragma once

#include <string>
#include <string_view>
#include <vector>

// RFC 4180: a field holding a comma, a double quote, CR or LF is enclosed in double
// quotes with its quotes doubled; records end with CR LF. Text is made well-formed
// UTF-8 first, and a cell that a spreadsheet would take for a formula (one starting with
// "=", "+", "-", "@", a tab or a CR, unless it is a plain whole number) gets an
// apostrophe in front so that it stays text.
std::string CsvField(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);

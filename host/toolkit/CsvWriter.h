#pragma once

#include <string>
#include <string_view>
#include <vector>

// RFC 4180: a field holding a comma, a double quote, CR or LF is enclosed in double
// quotes with its quotes doubled; records end with CR LF. Text is made well-formed
// UTF-8 first.
std::string CsvField(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);

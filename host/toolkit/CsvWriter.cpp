#include "host/toolkit/CsvWriter.h"

#include "host/toolkit/Utf8.h"

std::string CsvField(std::string_view text) {
  const std::string clean = SanitizeUtf8(text);
  if (clean.find_first_of(",\"\r\n") == std::string::npos) return clean;
  std::string out = "\"";
  for (const char c : clean) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += CsvField(fields[i]);
  }
  out += "\r\n";
  return out;
}

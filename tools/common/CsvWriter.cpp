#include "tools/common/CsvWriter.h"

#include "tools/common/Utf8.h"

namespace {

// A number may start with a sign; a spreadsheet reads it as the number it is.
bool IsPlainNumber(std::string_view text) {
  size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
  const size_t digitsFrom = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  return i > digitsFrom && i == text.size();
}

// Spreadsheets take a cell that starts with one of these as a formula (a tab or a CR in
// front of one as well), and a formula can run programs or send data away.
bool ReadsAsFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
         !IsPlainNumber(text);
}

}  // namespace

std::string CsvField(std::string_view text) {
  // Names come from other programs' window classes and desktop entries: a leading
  // apostrophe keeps such a cell text, as spreadsheet exports do.
  const std::string clean = (ReadsAsFormula(text) ? "'" : "") + SanitizeUtf8(text);
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

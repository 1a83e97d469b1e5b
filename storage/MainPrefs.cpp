#include "storage/MainPrefs.h"

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "framework/core/Autostart.h"
#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"

// Initial values of MainPrefs (kept in MainPrefs.h), which hold when the file is
// missing on a first start. They are what a new user expects:
// - DbPath empty: no folder has been chosen yet; reading a file puts the default data
//   folder in its place, and an empty path makes the log scan look beside the program.
// - LastOpenDbFile empty: nothing has been opened yet.
// - Language "English": the only language offered.
// - LoadOnStartup off: the program is never added to the session start without the
//   user asking for it.
// - Pausing on inactivity and on the screen saver on: time away from the desk is not
//   work, and nobody expects it to be counted.
// - IdleTime 300: five minutes without input is a break, while reading a long page
//   without touching the mouse is not.
// - Filter off, with 60 seconds and 1 percent ready for when it is switched on: until
//   asked, everything tracked is shown.
// - Animated tray icon on: it shows at a glance that tracking runs.
// - No password and protection off: there is nothing to protect with yet.

namespace {

using StringField = std::string MainPrefs::*;
using FlagField = bool MainPrefs::*;
using IntegerField = int32_t MainPrefs::*;
using Field = std::variant<StringField, FlagField, IntegerField>;

struct PrefsLine {
  std::string_view key;
  Field field;
};

// The file's lines in order. The host reads the same file, so keys, order and the
// placement of DbPath and LastOpenDbFile around the idle time are fixed.
const std::array<PrefsLine, 13> kLines = {{
    {"db path=", &MainPrefs::DbPath},
    {"idle time=", &MainPrefs::IdleTime},
    {"last/current open db file=", &MainPrefs::LastOpenDbFile},
    {"Language=", &MainPrefs::Language},
    {"LoadOnStartup=", &MainPrefs::LoadOnStartup},
    {"bPauseTimeTrackingOnUserInActive=", &MainPrefs::bPauseTimeTrackingOnUserInActive},
    {"bPauseTimeTrackingOnScreenSaverActive=", &MainPrefs::bPauseTimeTrackingOnScreenSaverActive},
    {"bEnableFilter=", &MainPrefs::bEnableFilter},
    {"iShowpProgrUsedMoreSec=", &MainPrefs::iShowpProgrUsedMoreSec},
    {"iShowpProgrUsedMorePercent=", &MainPrefs::iShowpProgrUsedMorePercent},
    {"bAnimatedIconInSysTray=", &MainPrefs::bAnimatedIconInSysTray},
    {"Pass=", &MainPrefs::Pass},
    {"isPass=", &MainPrefs::isPass},
}};

// Hands out the lines of the text one by one; past the end, empty lines.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {}

  // A CR that ends the line is not part of it, so LF and CR LF files read alike. A
  // longer line is cut, and its remainder skipped, so that the fields after it still
  // get their own lines.
  std::string_view Next() {
    const size_t end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line.substr(0, kMaxPrefsLineLength);
  }

 private:
  std::string_view rest_;
};

std::string_view ValueOf(std::string_view line) {
  const size_t equals = line.find('=');
  return equals == std::string_view::npos ? line : line.substr(equals + 1);
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The leading-decimal rule of atoi: blanks, an optional sign, digits; anything else
// ends the number and no digits give 0. Values beyond 32 bits clamp to the nearest
// limit (atoi itself would be undefined there), so a huge flag value still reads on.
int32_t LeadingDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) magnitude = int64_t{INT32_MAX} + 1;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(value);
}

struct FieldReader {
  MainPrefs& prefs;
  std::string_view value;
  void operator()(StringField field) const { prefs.*field = std::string(value); }
  void operator()(FlagField field) const { prefs.*field = LeadingDecimal(value) != 0; }
  void operator()(IntegerField field) const { prefs.*field = LeadingDecimal(value); }
};

// A line end inside a value would shift every later line, so a string value ends at
// its first LF.
struct FieldWriter {
  const MainPrefs& prefs;
  std::string operator()(StringField field) const {
    const std::string& value = prefs.*field;
    return value.substr(0, value.find('\n'));
  }
  std::string operator()(FlagField field) const { return prefs.*field ? "1" : "0"; }
  std::string operator()(IntegerField field) const { return std::to_string(prefs.*field); }
};

}  // namespace

std::string GetMainPrefsPath(const std::string& optionsFolder) {
  return optionsFolder + "mainpref.ini";
}

void ParseMainPrefsText(std::string_view text, MainPrefs& prefs) {
  if (text.empty()) return;  // at its end before the first line: nothing is read
  LineReader reader(text);
  for (const PrefsLine& line : kLines) {
    std::visit(FieldReader{prefs, ValueOf(reader.Next())}, line.field);
  }
}

OpenStatus ReadMainPrefsFile(const std::string& path, MainPrefs& prefs) {
  const FileRead file = ReadWholeFile(path);
  if (file.status != OpenStatus::Opened) return file.status;
  ParseMainPrefsText(file.bytes, prefs);
  if (prefs.DbPath.empty()) prefs.DbPath = GetDefaultDataFolder();
  return OpenStatus::Opened;
}

bool ReadMainPrefs(const std::string& path, MainPrefs& prefs) {
  return ReadMainPrefsFile(path, prefs) == OpenStatus::Opened;
}

OpenStatus LoadMainPrefsWithAutostart(const std::string& path, MainPrefs& prefs) {
  const OpenStatus status = ReadMainPrefsFile(path, prefs);
  if (status == OpenStatus::Opened) UpdateAutostartEntry(prefs.LoadOnStartup, GetExecutablePath());
  return status;
}

std::string MainPrefsText(const MainPrefs& prefs) {
  std::string text;
  for (const PrefsLine& line : kLines) {
    text += line.key;
    text += std::visit(FieldWriter{prefs}, line.field);
    text += "\r\n";
  }
  return text;
}

bool WriteMainPrefs(const std::string& path, const MainPrefs& prefs) {
  // The password stands in the file as typed, because the host reads it; only the
  // owner may read the file.
  return ReplaceRegularFile(path, MainPrefsText(prefs), 0600);
}

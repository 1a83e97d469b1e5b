#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The activity logs' seven-line blocks, as the reader takes them and every writer
// (the recorder, the simulator, tests and benchmarks) puts them down.

inline constexpr size_t kLogLineLimit = 1025;  // longer lines keep their first 1025 characters

// Lines 1 to 6 of one block; line 7 is the terminator "~~~".
struct LogBlockLines {
  std::string_view StartTime;
  std::string_view EndTime;
  std::string_view DisplayName;
  std::string_view WindowTitle;
  std::string_view AppName;
  std::string_view AppPath;
};

// Appends the block's seven lines to `text`, each ended by `lineEnd`, as they stand:
// a writer that cannot vouch for its lines makes them safe first.
void AppendLogBlock(std::string& text, const LogBlockLines& block, std::string_view lineEnd = "\n");
std::string LogBlockText(const LogBlockLines& block, std::string_view lineEnd = "\n");

// The timestamp of an instant in local time: "YYYY MM DD hh mm ss", or without the
// year "MM DD hh mm ss" (the reader then takes the year that puts it before now).
std::string LogTimestamp(int64_t seconds, bool withYear = true);

// "YYYY-MM-DD.log" of the local day of `seconds`.
std::string LogFileName(int64_t seconds);

#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "accounting/ActivityRecord.h"
#include "framework/core/LogFileFinder.h"

// The seven-line blocks of the activity logs and how neighbouring blocks become records.

inline constexpr size_t kLogLineLimit = 1025;  // longer lines keep their first 1025 characters
inline constexpr int64_t kLogWindowSeconds = 2678400;  // 31 days

// Lines 1 to 6 of one block; line 7 was the terminator "~~~".
struct LogBlock {
  std::string StartTime;
  std::string EndTime;
  std::string DisplayName;
  std::string WindowTitle;
  std::string AppName;
  std::string AppPath;
};

// Appends the blocks of one file's bytes, in reading order. Seven lines at a time; a
// group whose seventh line is not "~~~" is dropped whole, and an incomplete group at
// the end of the file too.
void ReadLogBlocks(std::string_view bytes, std::vector<LogBlock>& blocks);

// Block k gives the application of record k, block k + 1 its interval; the last block
// gives no record of its own. Consumes `blocks`.
std::vector<ActivityRecord> PairBlocks(std::vector<LogBlock>&& blocks);

// Keeps the files created at or after `cutoff` and puts them in reading order: by the
// date in their names (names before 1970, or without digits, first), equal dates in
// byte order of the names.
std::vector<LogFileEntry> SelectLogFiles(std::vector<LogFileEntry> files, int64_t cutoff);

// The day number (days since 1970, local calendar) a log file name gives, from the
// characters 1-4, 6-7 and 9-10 with out-of-range months and days normalised;
// INT64_MIN for a year before 1970.
int64_t LogNameDay(std::string_view fileName);

// Reads the selected files in order; files that cannot be opened are skipped.
std::vector<ActivityRecord> ReadActivityRecords(const std::vector<LogFileEntry>& files);

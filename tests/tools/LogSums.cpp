#include "LogSums.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/accounting/AccountingTestSupport.h"

namespace {

// "MM DD hh mm ss", in the year of `now` unless that puts it more than a day ahead.
int64_t ParseTimestamp(const std::string& text, int64_t now) {
  int month = 0, day = 0, hour = 0, minute = 0, second = 0;
  std::sscanf(text.c_str(), "%2d %2d %2d %2d %2d", &month, &day, &hour, &minute, &second);
  const int year = SecondsToLocal(now).year;
  const int64_t t = LocalTime(year, month, day, hour, minute, second);
  return t > now + 86400 ? LocalTime(year - 1, month, day, hour, minute, second) : t;
}

struct Block {
  std::string start, end, appName, windowTitle;
};

}  // namespace

std::vector<LoggedInterval> ReadLoggedIntervals(const std::string& folder, int64_t now) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".log") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Block> blocks;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (size_t i = 0; i + 7 <= lines.size(); i += 7) {
      if (lines[i + 6] != "~~~") continue;
      blocks.push_back({lines[i], lines[i + 1], lines[i + 4], lines[i + 3]});
    }
  }
  std::vector<LoggedInterval> intervals;
  for (size_t k = 0; k + 1 < blocks.size(); ++k) {
    intervals.push_back({blocks[k].appName, blocks[k].windowTitle,
                         ParseTimestamp(blocks[k + 1].start, now),
                         ParseTimestamp(blocks[k + 1].end, now)});
  }
  return intervals;
}

ExpectedTotals SumForEntry(const std::vector<LoggedInterval>& intervals, int64_t now,
                           const std::string& appName, bool filterOn,
                           const std::string& titleFilter) {
  const CivilTime n = SecondsToLocal(now);
  const int year = n.year;
  const int month = n.month;
  const int daysSinceMonday = LocalWeekday(now) - 1;
  const int64_t monthBegin = LocalTime(year, month, 1);
  const int64_t monthEnd = LocalTime(year, month + 1, 1);
  const int64_t weekBegin = LocalTime(year, month, n.day - daysSinceMonday);
  const int64_t weekEnd = LocalTime(year, month, n.day - daysSinceMonday + 7);
  const int64_t dayBegin = LocalTime(year, month, n.day);
  const int64_t dayEnd = LocalTime(year, month, n.day + 1);

  ExpectedTotals sums;
  for (const LoggedInterval& i : intervals) {
    if (appName.empty() || i.appName != appName) continue;
    if (filterOn && i.windowTitle.find(titleFilter) == std::string::npos) continue;
    const int64_t length = std::max<int64_t>(0, i.end - i.start);
    if (i.start >= monthBegin && i.start < monthEnd) sums.month += length;
    if (i.start >= weekBegin && i.start < weekEnd) sums.week += length;
    if (i.start >= dayBegin && i.start < dayEnd) sums.today += length;
  }
  return sums;
}

#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// A tool run in this process: its exit status and what it wrote to each stream.
struct ToolRun {
  int status = 0;
  std::string out, err;
};

template <typename Tool>
ToolRun RunTool(Tool tool, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = tool(args, out, err);
  return {status, out.str(), err.str()};
}

// An independent, deliberately plain reading of a log folder for checking reports:
// every "*.log" file in name order, seven-line blocks, each block's times credited to
// the application of the block before, timestamps without a year placed in the year
// of `now` (or the year before when that would put them more than a day ahead).
struct LoggedInterval {
  std::string appName;
  std::string windowTitle;
  int64_t start = 0;
  int64_t end = 0;
};

std::vector<LoggedInterval> ReadLoggedIntervals(const std::string& folder, int64_t now);

struct ExpectedTotals {
  int64_t month = 0;
  int64_t week = 0;
  int64_t today = 0;
  ExpectedTotals& operator+=(const ExpectedTotals& o) {
    month += o.month;
    week += o.week;
    today += o.today;
    return *this;
  }
};

// The time of the intervals an entry claims (same application name; with the filter
// on, the caption contains the filter text), by the period its start falls in.
ExpectedTotals SumForEntry(const std::vector<LoggedInterval>& intervals, int64_t now,
                           const std::string& appName, bool filterOn,
                           const std::string& titleFilter);

// Feeds arbitrary bytes to the log reader as two log files (split at the first NUL
// byte), of one computer or, when the input starts with an odd byte, of two; checks the
// blocks and records it makes, and aggregates the records into a small tree both with
// the indexed aggregation and with the literal reference.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "accounting/Aggregation.h"
#include "accounting/LogReader.h"
#include "accounting/PeriodCalendar.h"
#include "framework/core/Clock.h"
#include "tests/accounting/LiteralAggregation.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

AppEntry Entry(const char* showAs, const char* name, const char* filter, bool filterOn) {
  AppEntry e;
  e.ShowAs = showAs;
  e.Name = name;
  e.TitleFilter = filter;
  e.isCheckTitleFilter = filterOn;
  e.Path = "/usr/bin/app";
  return e;
}

// Names short enough for the fuzzer to hit: one letter, with a filter on one of them
// and the same application in two groups.
GroupMap SmallTree() {
  AppEntry carrier = Entry("None", "None", "", false);
  carrier.SubGroups = {{"Sub", {Entry("A", "a", "x", true), Entry("Idle", "i", "", false)}}};
  return {{"Work", {Entry("A", "a", "", false), Entry("B", "b", "", false), carrier}},
          {"Home", {Entry("C", "c", "", false), Entry("A2", "a", "y", true)}}};
}

bool FitsOneLine(std::string_view field) {
  return field.size() <= kLogLineLimit && field.find('\n') == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TZ", "UTC", 1);
  tzset();
  SetFixedClock(1784116800);  // 2026-07-15 12:00:00 UTC, a Wednesday
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = std::min(input.find('\0'), input.size());
  const std::string_view files[] = {input.substr(0, split),
                                    input.substr(std::min(split + 1, input.size()))};

  // Each computer's blocks pair among themselves: the last of each makes no record.
  const uint32_t secondComputer = !input.empty() && (input[0] & 1) != 0 ? 1 : 0;
  ActivityLog log;
  size_t blocks[2] = {};
  for (uint32_t f = 0; f < 2; ++f) {
    const uint32_t computer = f == 0 ? 0 : secondComputer;
    blocks[computer] += ReadLogBlocks(files[f], [](const LogBlockLines&) {});
    log.AddFile(files[f], computer);
  }
  const ActivityLog::RecordList& records = log.Records();
  size_t expected = 0;
  for (uint32_t computer = 0; computer < 2; ++computer) {
    expected += blocks[computer] < 2 ? 0 : blocks[computer] - 1;
    for (const RecordLines& lines : log.RecordsOf(computer)) Check(lines.computer == computer);
  }
  Check(records.size() == expected);
  for (const RecordLines& lines : records) {
    const RecordView v = lines.View();
    for (std::string_view field :
         {v.DisplayName, v.AppName, v.WindowTitle, v.AppPath, v.StartTime, v.EndTime}) {
      Check(FitsOneLine(field));
    }
  }

  GroupMap indexed = SmallTree();
  PeriodCalendar calendar(ClockNow());
  AggregateActivity(indexed, records, calendar);
  GroupMap literal = SmallTree();
  LiteralAggregate(literal, log.CopyRecords());
  Check(indexed == literal);
  Check(indexed.count(kOtherApplications) == 1);
  return 0;
}

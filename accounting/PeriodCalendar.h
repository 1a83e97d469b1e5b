#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "accounting/LocalTimeConverter.h"
#include "accounting/Periods.h"

// The numbers of a timestamp text, read at their fixed positions.
struct TimestampFields {
  bool hasYear = false;  // the text starts with four digits and a blank
  int64_t year = 0;
  int64_t month = 0;
  int64_t day = 0;
  int64_t hour = 0;
  int64_t minute = 0;
  int64_t second = 0;
};
TimestampFields ReadTimestampFields(std::string_view text);

// Decimal number of `text`: leading blanks skipped, stops at the first non-digit, 0
// without digits.
int64_t LeadingDecimal(std::string_view text);

// The three periods around one "now", worked out once: each is a half-open range of
// local time [start, end). Timestamps are converted through a per-day cache, so a load
// pays for a few local-time lookups, not one per timestamp.
class PeriodCalendar {
 public:
  explicit PeriodCalendar(int64_t now);

  int64_t Now() const { return now_; }
  int64_t Start(ReportPeriod period) const { return ranges_[period].start; }
  int64_t End(ReportPeriod period) const { return ranges_[period].end; }
  bool Contains(ReportPeriod period, int64_t instant) const {
    return instant >= ranges_[period].start && instant < ranges_[period].end;
  }

  // Seconds since 1970 UTC of a timestamp text. Without a year it takes the current
  // local year, or the year before when that would put it more than a day after now
  // (logs written across New Year).
  int64_t TimestampSeconds(std::string_view text);

  // PeriodSeconds for this calendar's now.
  int64_t Seconds(std::string_view start, std::string_view end, ReportPeriod period);
  // The three at once, as a load counts them: the start is converted once, the end only
  // when some period takes the interval, and an end more than a day after now counts
  // as now.
  PeriodTotals AllSeconds(std::string_view start, std::string_view end);

 private:
  struct Range {
    int64_t start = 0;
    int64_t end = 0;
  };

  int64_t Convert(std::string_view text);

  int64_t now_;
  int64_t currentYear_ = 0;
  Range ranges_[3];
  LocalTimeConverter converter_;
  bool hasLast_ = false;
  std::string lastText_;
  int64_t lastSeconds_ = 0;
};

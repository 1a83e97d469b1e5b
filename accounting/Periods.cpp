#include "accounting/Periods.h"

#include <algorithm>
#include <cstdio>

#include "accounting/PeriodCalendar.h"
#include "framework/core/Clock.h"

int64_t PeriodSeconds(const std::string& start, const std::string& end, ReportPeriod period) {
  PeriodCalendar calendar(ClockNow());
  return calendar.Seconds(start, end, period);
}

std::string FormatDuration(int64_t seconds) {
  // No time can be less than none: a negative total (a wrapped 32-bit one) shows as zero.
  const long long s = std::max<int64_t>(seconds, 0);
  char text[40];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

StatisticsLine FormatStatisticsLine(int64_t numerator, int64_t denominator) {
  static const std::string kPrefix = "Work: ";
  if (numerator <= 0) return {kPrefix + FormatDuration(0) + " = 0 percent", 0};
  // Without a reference total (only "None", "Stop" or "Idle" time, which the sums
  // leave out) there is no share to show: a percentage of nothing would read as
  // "infinite" or as a made-up 100, so the line says so and the bar stays empty.
  if (denominator <= 0) return {kPrefix + FormatDuration(numerator) + " = n/a", 0};
  const double percent = static_cast<double>(numerator) * 100.0 / static_cast<double>(denominator);
  char share[64];
  std::snprintf(share, sizeof share, " = %.2f percent", percent);
  int position = static_cast<int>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
  return {kPrefix + FormatDuration(numerator) + share, position};
}

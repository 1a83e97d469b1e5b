#pragma once

#include <cstdint>
#include <string>

// The three reporting periods and the statistics line.

enum ReportPeriod : int { Month = 0, Week = 1, Today = 2 };

struct PeriodTotals {
  int64_t month = 0;
  int64_t week = 0;
  int64_t today = 0;

  bool operator==(const PeriodTotals&) const = default;
};

// Seconds of the interval start..end when its start lies in `period` (local time,
// half-open: this month, the Monday-based week, today); 0 otherwise or when the end
// is before the start. Reads the clock on every call.
int64_t PeriodSeconds(const std::string& start, const std::string& end, ReportPeriod period);

// "Work: hh:mm:ss = p percent" and the bar position 0..100 for `numerator` seconds
// out of `denominator`.
struct StatisticsLine {
  std::string text;
  int position = 0;

  bool operator==(const StatisticsLine&) const = default;
};
StatisticsLine FormatStatisticsLine(int64_t numerator, int64_t denominator);

// "hh:mm:ss"; the hours may exceed 24 and grow beyond two digits; below zero is zero.
std::string FormatDuration(int64_t seconds);

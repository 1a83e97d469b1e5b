#include "accounting/PeriodCalendar.h"

#include <algorithm>
#include <string>

#include "framework/core/CivilTime.h"

namespace {

constexpr int64_t kDay = 86400;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters [first, first + count) of `text`, fewer where it ends early.
std::string_view Field(std::string_view text, size_t first, size_t count) {
  if (first >= text.size()) return {};
  return text.substr(first, count);
}

// The two-character field at `first`; two digits, the usual case, are read directly.
int64_t TwoDigitField(std::string_view text, size_t first) {
  if (first + 1 < text.size() && IsDigit(text[first]) && IsDigit(text[first + 1])) {
    return (text[first] - '0') * 10 + (text[first + 1] - '0');
  }
  return LeadingDecimal(Field(text, first, 2));
}

}  // namespace

int64_t LeadingDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
  return value;
}

TimestampFields ReadTimestampFields(std::string_view text) {
  TimestampFields fields;
  fields.hasYear = text.size() >= 5 && IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2]) &&
                   IsDigit(text[3]) && text[4] == ' ';
  // Without a year the fields sit five characters earlier.
  const size_t shift = fields.hasYear ? 5 : 0;
  if (fields.hasYear) fields.year = LeadingDecimal(text.substr(0, 4));
  fields.month = TwoDigitField(text, shift + 0);
  fields.day = TwoDigitField(text, shift + 3);
  fields.hour = TwoDigitField(text, shift + 6);
  fields.minute = TwoDigitField(text, shift + 9);
  fields.second = TwoDigitField(text, shift + 12);
  return fields;
}

PeriodCalendar::PeriodCalendar(int64_t now) : now_(now) {
  const CivilTime local = SecondsToLocal(now);
  currentYear_ = local.year;
  const int64_t month = local.month;
  const int64_t day = local.day;
  const int64_t mondayOffset = LocalWeekday(now) - 1;  // days since Monday
  auto midnight = [&](int64_t m, int64_t d) {
    return converter_.ToSeconds(currentYear_, m, d, 0, 0, 0);
  };
  ranges_[Month] = {midnight(month, 1), midnight(month + 1, 1)};
  ranges_[Week] = {midnight(month, day - mondayOffset), midnight(month, day - mondayOffset + 7)};
  ranges_[Today] = {midnight(month, day), midnight(month, day + 1)};
}

int64_t PeriodCalendar::TimestampSeconds(std::string_view text) {
  // A record's end is usually the next record's start: remember the last answer.
  if (hasLast_ && text == lastText_) return lastSeconds_;
  lastSeconds_ = Convert(text);
  lastText_.assign(text);
  hasLast_ = true;
  return lastSeconds_;
}

int64_t PeriodCalendar::Convert(std::string_view text) {
  const TimestampFields f = ReadTimestampFields(text);
  const int64_t year = f.hasYear ? f.year : currentYear_;
  const int64_t seconds = converter_.ToSeconds(year, f.month, f.day, f.hour, f.minute, f.second);
  if (f.hasYear || seconds <= now_ + kDay) return seconds;
  return converter_.ToSeconds(year - 1, f.month, f.day, f.hour, f.minute, f.second);
}

int64_t PeriodCalendar::Seconds(std::string_view start, std::string_view end, ReportPeriod period) {
  const int64_t from = TimestampSeconds(start);
  if (!Contains(period, from)) return 0;
  return std::max<int64_t>(0, TimestampSeconds(end) - from);
}

PeriodTotals PeriodCalendar::AllSeconds(std::string_view start, std::string_view end) {
  const int64_t from = TimestampSeconds(start);
  const bool inMonth = Contains(Month, from);
  const bool inWeek = Contains(Week, from);
  const bool inToday = Contains(Today, from);
  if (!inMonth && !inWeek && !inToday) return {};
  // An end more than a day after now cannot have been written by this clock, even one
  // set back since (a damaged or forged end, the year 9999, would count for centuries):
  // it counts as now. Within a day it counts as written, so a clock set back loses no time.
  const int64_t until = TimestampSeconds(end);
  const int64_t length = std::max<int64_t>(0, (until > now_ + kDay ? now_ : until) - from);
  return {inMonth ? length : 0, inWeek ? length : 0, inToday ? length : 0};
}

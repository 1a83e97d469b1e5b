#include "tools/common/LocalTime.h"

#include <cstdio>
#include <ctime>

int64_t LocalToSeconds(const CivilTime& civil) {
  std::tm tm{};
  tm.tm_year = civil.year - 1900;
  tm.tm_mon = civil.month - 1;
  tm.tm_mday = civil.day;
  tm.tm_hour = civil.hour;
  tm.tm_min = civil.minute;
  tm.tm_sec = civil.second;
  tm.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&tm));
}

namespace {

std::tm LocalTm(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

bool AllDigits(const std::string& text, size_t pos, size_t count) {
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

int Digits(const std::string& text, size_t pos, size_t count) {
  int value = 0;
  for (size_t i = pos; i < pos + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace

CivilTime SecondsToLocal(int64_t seconds) {
  const std::tm tm = LocalTm(seconds);
  return CivilTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int LocalWeekday(int64_t seconds) {
  const int wday = LocalTm(seconds).tm_wday;  // Sunday = 0
  return wday == 0 ? 7 : wday;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::optional<int64_t> ParseDateTime(const std::string& text) {
  // "YYYY-MM-DD hh:mm:ss"
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  for (size_t pos : {0, 5, 8, 11, 14, 17}) {
    if (!AllDigits(text, pos, pos == 0 ? 4 : 2)) return std::nullopt;
  }
  const CivilTime civil{Digits(text, 0, 4),  Digits(text, 5, 2),  Digits(text, 8, 2),
                        Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2)};
  if (civil.year < 1971 || civil.month < 1 || civil.month > 12 || civil.day < 1 ||
      civil.day > DaysInMonth(civil.year, civil.month) || civil.hour > 23 || civil.minute > 59 ||
      civil.second > 59) {
    return std::nullopt;
  }
  return LocalToSeconds(civil);
}

std::string FormatDateTime(int64_t seconds) {
  const CivilTime c = SecondsToLocal(seconds);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  return buffer;
}

std::string FormatDate(const CivilTime& c) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.year, c.month, c.day);
  return buffer;
}

std::string FormatLogTimestamp(int64_t seconds) {
  const CivilTime c = SecondsToLocal(seconds);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d %02d %02d %02d %02d", c.month, c.day, c.hour, c.minute,
                c.second);
  return buffer;
}

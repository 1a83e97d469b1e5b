#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Calendar helpers in local time (the TZ of the process), as the tools read and write
// their "--now" values and the logs' timestamps.

struct CivilTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Seconds since 1970 for a local time; the C library decides daylight saving and
// normalises out-of-range fields.
int64_t LocalToSeconds(const CivilTime& civil);

// The local calendar fields of an instant.
CivilTime SecondsToLocal(int64_t seconds);

// Day of the week of an instant in local time, Monday = 1 ... Sunday = 7.
int LocalWeekday(int64_t seconds);

// Strictly "YYYY-MM-DD hh:mm:ss" naming an existing calendar time; nullopt otherwise.
std::optional<int64_t> ParseDateTime(const std::string& text);

// "YYYY-MM-DD hh:mm:ss" in local time.
std::string FormatDateTime(int64_t seconds);

// "YYYY-MM-DD" of a civil day.
std::string FormatDate(const CivilTime& civil);

// The log timestamp "MM DD hh mm ss" (no year) of an instant in local time.
std::string FormatLogTimestamp(int64_t seconds);

int DaysInMonth(int year, int month);

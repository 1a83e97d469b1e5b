#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The local calendar (the TZ of the process): every conversion between instants and
// local dates and times goes through here.

struct CivilTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Seconds since 1970 for a local time; the C library decides daylight saving and
// normalises out-of-range fields (month 13, day 0, hour 25).
int64_t LocalToSeconds(const CivilTime& civil);

// The local calendar fields of an instant.
CivilTime SecondsToLocal(int64_t seconds);

// Day of the week of an instant in local time, Monday = 1 ... Sunday = 7.
int LocalWeekday(int64_t seconds);

// The zone's offset from UTC at an instant, in seconds east; 0 where it is unknown.
int64_t UtcOffsetAt(int64_t seconds);

// The start of the next local day after `seconds`.
int64_t NextLocalMidnight(int64_t seconds);

// Days since 1970-01-01 of a proleptic Gregorian date; month 1..12, any day.
int64_t DaysFromCivil(int64_t year, int month, int64_t day);

// Days since 1970-01-01 of the local calendar day `seconds` falls on.
int64_t LocalDayNumber(int64_t seconds);

int DaysInMonth(int year, int month);

// Strictly "YYYY-MM-DD hh:mm:ss" naming an existing calendar time; nullopt otherwise.
std::optional<int64_t> ParseDateTime(const std::string& text);

// "YYYY-MM-DD hh:mm:ss" in local time.
std::string FormatDateTime(int64_t seconds);

// "YYYY-MM-DD" of a civil day.
std::string FormatDate(const CivilTime& civil);

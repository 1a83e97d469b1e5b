#pragma once

#include <cstdint>
#include <unordered_map>

// Local civil time to seconds since 1970 UTC, daylight saving decided by the system's
// zone data and out-of-range fields normalised, as mktime does, but without a zone
// lookup per call: each local day is examined once, and a day whose UTC offset stays
// the same around it is converted by arithmetic.
//
// On the days the clocks change the answer is fixed, where mktime's depends on the
// calls made before: a wall time that occurs twice is its first occurrence, one in a
// skipped hour moves forward by the gap (as mktime moves it).
class LocalTimeConverter {
 public:
  int64_t ToSeconds(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                    int64_t second);

 private:
  // UTC offsets a day before and a day after local day `dayNumber`.
  struct DayOffsets {
    int64_t before = 0;
    int64_t after = 0;
  };
  const DayOffsets& Offsets(int64_t dayNumber);

  // Timestamps come in runs of the same date.
  int64_t lastYear_ = INT64_MIN;
  int64_t lastMonth_ = 0;
  int64_t lastDayOfMonth_ = 0;
  int64_t lastDayNumber_ = 0;

  std::unordered_map<int64_t, DayOffsets> offsets_;
  int64_t lastDay_ = INT64_MIN;
  DayOffsets lastOffsets_;
};

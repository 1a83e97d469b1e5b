#include "accounting/LocalTimeConverter.h"

#include <algorithm>

#include "framework/core/CivilTime.h"

namespace {

constexpr int64_t kDay = 86400;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

const LocalTimeConverter::DayOffsets& LocalTimeConverter::Offsets(int64_t dayNumber) {
  if (dayNumber != lastDay_) {
    auto found = offsets_.find(dayNumber);
    if (found == offsets_.end()) {
      // Offsets never exceed 14 hours, so these two instants lie before and after
      // every instant of the local day.
      const DayOffsets offsets{UtcOffsetAt(dayNumber * kDay - kDay),
                               UtcOffsetAt((dayNumber + 2) * kDay)};
      found = offsets_.emplace(dayNumber, offsets).first;
    }
    lastDay_ = dayNumber;
    lastOffsets_ = found->second;
  }
  return lastOffsets_;
}

int64_t LocalTimeConverter::ToSeconds(int64_t year, int64_t month, int64_t day, int64_t hour,
                                      int64_t minute, int64_t second) {
  if (year != lastYear_ || month != lastMonth_ || day != lastDayOfMonth_) {
    const int64_t yearShift = FloorDiv(month - 1, 12);
    const int normalMonth = static_cast<int>(month - 1 - yearShift * 12) + 1;
    lastDayNumber_ = DaysFromCivil(year + yearShift, normalMonth, day);
    lastYear_ = year;
    lastMonth_ = month;
    lastDayOfMonth_ = day;
  }
  const int64_t wall = lastDayNumber_ * kDay + hour * 3600 + minute * 60 + second;
  const DayOffsets& offsets = Offsets(FloorDiv(wall, kDay));
  if (offsets.before == offsets.after) return wall - offsets.before;
  // The clocks change near this day: try both offsets.
  const int64_t early = wall - offsets.before;
  const int64_t late = wall - offsets.after;
  const bool earlyShows = UtcOffsetAt(early) == offsets.before;
  const bool lateShows = UtcOffsetAt(late) == offsets.after;
  if (earlyShows && lateShows) return std::min(early, late);  // shown twice: the first
  if (lateShows) return late;
  return early;  // shown once with the old offset, or skipped: forward by the gap
}

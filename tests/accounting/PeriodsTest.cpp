#include <gtest/gtest.h>

#include <random>

#include "AccountingTestSupport.h"
#include "accounting/LocalTimeConverter.h"
#include "accounting/Periods.h"

namespace {

TEST(Periods, SecondsOfEachPeriodAtItsEdges) {
  TimeZoneGuard zone("Europe/Berlin");
  const int64_t wed = LocalTime(2026, 7, 1, 10, 15, 0);   // its week began last month
  const int64_t mid = LocalTime(2026, 7, 15, 10, 15, 0);  // Wednesday
  const int64_t sun = LocalTime(2026, 7, 5, 23, 0, 0), mon = LocalTime(2026, 7, 6, 0, 0, 0);
  const int64_t jan = LocalTime(2027, 1, 1, 0, 30, 0);       // Friday, week from Mon 12-28
  const int64_t spring = LocalTime(2026, 3, 29, 12, 0, 0);   // clocks went forward at 02:00
  const int64_t autumn = LocalTime(2026, 10, 25, 12, 0, 0);  // clocks went back at 03:00
  const struct {
    int64_t now;
    const char *start, *end;
    int64_t month, week, today;
  } cases[] = {
      {wed, "06 28 23 59 59", "06 29 00 09 59", 0, 0, 0},     // Sunday before the week
      {wed, "06 29 00 00 00", "06 29 01 00 00", 0, 3600, 0},  // Monday 00:00 opens the week
      {wed, "06 30 23 59 59", "07 01 00 00 09", 0, 10, 0},    // counted whole by its start
      {wed, "07 01 00 00 00", "07 01 00 30 00", 1800, 1800, 1800},
      {wed, "07 01 10 40 00", "07 01 11 00 00", 1200, 1200, 1200},  // later today, to now + 24 h
      {wed, "07 01 09 00 00", "07 01 08 00 00", 0, 0, 0},           // end before start
      {wed, "07 02 10 14 00", "07 02 10 15 00", 60, 60, 0},         // up to a day ahead: this year
      {wed, "07 02 10 15 01", "07 02 10 16 01", 0, 0, 0},           // further ahead: last year
      {wed, "2026 07 05 23 59 59", "2026 07 06 00 00 09", 10, 10, 0},  // Sunday closes the week
      {wed, "2026 07 06 00 00 00", "2026 07 06 00 00 10", 10, 0, 0},   // next Monday
      {wed, "2026 07 31 23 59 59", "2026 08 01 00 00 01", 2, 0, 0},    // the month's last second
      {wed, "2026 08 01 00 00 00", "2026 08 01 00 00 10", 0, 0, 0},
      {wed, "2025 07 01 10 00 00", "2025 07 01 11 00 00", 0, 0, 0},  // same month, other year
      {wed, "2026 06 30 22 00 00", "07 01 02 00 00", 0, 14400, 0},   // year-less end, same year
      // Yesterday 10:40 is less than a day ago and its hour is not later than now's.
      {mid, "07 14 10 40 00", "07 14 11 00 00", 1200, 1200, 0},
      {mid, "07 15 23 59 59", "07 16 00 00 01", 2, 2, 2},
      {mid, "07 16 00 00 00", "07 16 00 00 02", 2, 2, 0},
      {sun, "06 29 00 00 00", "06 29 00 01 00", 0, 60, 0},
      {sun, "06 28 12 00 00", "06 28 12 01 00", 0, 0, 0},
      {mon, "07 05 23 59 59", "07 06 00 00 01", 2, 0, 0},
      {mon, "07 06 00 00 00", "07 06 00 00 01", 1, 1, 1},
      {jan, "12 31 23 50 00", "01 01 00 10 00", 0, 1200, 0},
      {jan, "01 01 00 10 00", "01 01 00 20 00", 600, 600, 600},
      {jan, "12 27 23 00 00", "12 28 01 00 00", 0, 0, 0},
      {jan, "2026 12 31 23 50 00", "2027 01 01 00 10 00", 0, 1200, 0},
      {spring, "03 29 01 30 00", "03 29 03 30 00", 3600, 3600, 3600},  // real seconds
      {spring, "03 29 00 00 00", "03 30 00 00 00", 82800, 82800, 82800},
      {autumn, "10 25 01 30 00", "10 25 03 30 00", 10800, 10800, 10800},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " .. " + c.end);
    FixedClockGuard clock(c.now);
    EXPECT_EQ(PeriodSeconds(c.start, c.end, Month), c.month);
    EXPECT_EQ(PeriodSeconds(c.start, c.end, Week), c.week);
    EXPECT_EQ(PeriodSeconds(c.start, c.end, Today), c.today);
  }
}

// The per-day cache must agree with mktime everywhere, above all on the days the
// clocks change and in zones with half-hour changes.
TEST(Periods, ConverterAgreesWithTheCLibrary) {
  std::mt19937 random(20260701);
  for (const char* zoneName : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "UTC"}) {
    TimeZoneGuard zone(zoneName);
    SCOPED_TRACE(zoneName);
    LocalTimeConverter converter;
    // Only a wall time shown twice may differ, and then the first is taken.
    auto check = [&](int y, int mo, int d, int h, int mi, int s) {
      const int64_t converted = converter.ToSeconds(y, mo, d, h, mi, s);
      const int64_t reference = LocalTime(y, mo, d, h, mi, s);
      if (converted == reference) return;
      EXPECT_EQ(FormatDateTime(converted), FormatDateTime(reference))
          << y << ' ' << mo << ' ' << d << ' ' << h << ' ' << mi << ' ' << s;
      EXPECT_LT(converted, reference);
    };
    const std::pair<int, int> changeDays[] = {{3, 7}, {3, 28}, {10, 3}, {10, 24}, {11, 1}, {4, 4}};
    for (int minute = 0; minute < 3 * 24 * 60; minute += 10) {  // the days around each change
      for (const auto& [month, day] : changeDays) check(2026, month, day, 0, minute, 0);
    }
    std::uniform_int_distribution<int> year(1969, 2100), field(0, 99);
    for (int i = 0; i < 3000; ++i) {
      const int y = year(random), mo = field(random), d = field(random), h = field(random),
                mi = field(random), s = field(random);
      check(y, mo, d, h, mi, s);
      if (testing::Test::HasFailure()) return;
    }
  }
}

TEST(Periods, StatisticsLineTexts) {
  const struct {
    int64_t numerator, denominator;
    const char* text;
    int position;
  } cases[] = {
      {0, 0, "Work: 00:00:00 = 0 percent", 0},
      {-5, 100, "Work: 00:00:00 = 0 percent", 0},
      {3723, 29784, "Work: 01:02:03 = 12.50 percent", 12},
      {25 * 3600, 25 * 3600, "Work: 25:00:00 = 100.00 percent", 100},
      {2, 3, "Work: 00:00:02 = 66.67 percent", 66},
      {360000, 720000, "Work: 100:00:00 = 50.00 percent", 50},
      {59, 0, "Work: 00:00:59 = n/a", 0},  // only left-out time: no share to show
  };
  for (const auto& c : cases) {
    const StatisticsLine line = FormatStatisticsLine(c.numerator, c.denominator);
    EXPECT_EQ(line.text, c.text);
    EXPECT_EQ(line.position, c.position) << c.text;
  }
  EXPECT_EQ(FormatDuration(86399), "23:59:59");
  EXPECT_EQ(FormatDuration(-61), "00:00:00");
}

}  // namespace

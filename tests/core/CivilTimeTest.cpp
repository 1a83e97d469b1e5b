#include <gtest/gtest.h>

#include "framework/core/CivilTime.h"

namespace {

TEST(CivilTime, ParseDateTimeIsStrictAndRoundTrips) {
  const auto t = ParseDateTime("2026-03-18 15:20:05");
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(FormatDateTime(*t), "2026-03-18 15:20:05");
  EXPECT_TRUE(ParseDateTime("2024-02-29 00:00:00").has_value());
  for (const char* bad :
       {"", "2026-03-18", "2026-03-18T15:20:05", "2026-3-18 15:20:05", "2026-03-18 15:20:5",
        "2026-13-01 00:00:00", "2026-00-10 00:00:00", "2026-02-29 00:00:00", "2026-04-31 00:00:00",
        "2026-03-18 24:00:00", "2026-03-18 23:60:00", "2026-03-18 23:59:60", "1970-01-01 00:00:00",
        "2026-03-18 15:20:05 ", "abcd-ef-gh ij:kl:mn"}) {
    EXPECT_FALSE(ParseDateTime(bad).has_value()) << bad;
  }
}

}  // namespace

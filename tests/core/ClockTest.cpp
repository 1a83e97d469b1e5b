#include <gtest/gtest.h>

#include <ctime>

#include "framework/core/Clock.h"

namespace {

TEST(Clock, FixedTimeAndBackToTheRealClock) {
  SetFixedClock(86400 * 365);
  EXPECT_EQ(ClockNow(), 86400 * 365);
  SetFixedClock(-1);  // before 1970 is a time like any other
  EXPECT_EQ(ClockNow(), -1);
  SetFixedClock(std::nullopt);
  const int64_t before = static_cast<int64_t>(std::time(nullptr));
  const int64_t now = ClockNow();
  EXPECT_GE(now, before);
  EXPECT_LE(now, static_cast<int64_t>(std::time(nullptr)));
}

}  // namespace

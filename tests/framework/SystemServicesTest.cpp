#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "framework/app/SystemServices.h"

namespace {

TEST(SystemServices, SleepGoesThroughTheReplaceableSleeper) {
  std::vector<DWORD> waits;
  const Sleeper real = SetSleeperForTesting([&](DWORD ms) { waits.push_back(ms); });
  EXPECT_FALSE(real);  // the thread's own sleep until someone replaces it
  Sleep(50);
  EXPECT_NE(SetSleeperForTesting(nullptr), nullptr);
  EXPECT_EQ(waits, std::vector<DWORD>{50});
  const auto start = std::chrono::steady_clock::now();
  Sleep(5);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5));
  EXPECT_EQ(waits.size(), 1u);
}

}  // namespace

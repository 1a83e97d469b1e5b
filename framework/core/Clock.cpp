#include "framework/core/Clock.h"

#include <atomic>
#include <ctime>

namespace {

// Read from the user-interface thread and from tools; atomics keep a test that fixes
// the time from another thread well defined.
std::atomic<bool> g_fixed{false};
std::atomic<int64_t> g_fixedNow{0};
std::atomic<bool> g_steadyFixed{false};
std::atomic<int64_t> g_fixedAwake{0};
std::atomic<int64_t> g_fixedSinceBoot{0};

int64_t Milliseconds(clockid_t clock) {
  timespec now{};
  ::clock_gettime(clock, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

int64_t ClockNow() {
  if (g_fixed.load(std::memory_order_acquire)) return g_fixedNow.load(std::memory_order_relaxed);
  return static_cast<int64_t>(std::time(nullptr));
}

void SetFixedClock(std::optional<int64_t> now) {
  if (now) {
    g_fixedNow.store(*now, std::memory_order_relaxed);
    g_fixed.store(true, std::memory_order_release);
  } else {
    g_fixed.store(false, std::memory_order_release);
  }
}

SteadyClocks SteadyNow() {
  if (g_steadyFixed.load(std::memory_order_acquire)) {
    return {g_fixedAwake.load(std::memory_order_relaxed),
            g_fixedSinceBoot.load(std::memory_order_relaxed)};
  }
  if (g_fixed.load(std::memory_order_acquire)) {
    const int64_t now = g_fixedNow.load(std::memory_order_relaxed) * 1000;
    return {now, now};
  }
  return {Milliseconds(CLOCK_MONOTONIC), Milliseconds(CLOCK_BOOTTIME)};
}

void SetFixedSteadyClocks(std::optional<SteadyClocks> clocks) {
  if (clocks) {
    g_fixedAwake.store(clocks->awake, std::memory_order_relaxed);
    g_fixedSinceBoot.store(clocks->sinceBoot, std::memory_order_relaxed);
    g_steadyFixed.store(true, std::memory_order_release);
  } else {
    g_steadyFixed.store(false, std::memory_order_release);
  }
}

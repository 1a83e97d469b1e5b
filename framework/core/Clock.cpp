#include "framework/core/Clock.h"

#include <atomic>
#include <ctime>

namespace {

// Read from the user-interface thread and from tools; atomics keep a test that fixes
// the time from another thread well defined.
std::atomic<bool> g_fixed{false};
std::atomic<int64_t> g_fixedNow{0};

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

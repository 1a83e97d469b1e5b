#include "recorder/ClockWatch.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int64_t kRoundingSeconds = 2;

}  // namespace

ClockChange ClockWatch::Read(int64_t wall, const SteadyClocks& steady) {
  ClockChange change{wall, wall, wall, wall};
  if (last_) {
    const int64_t awake = steady.awake - last_->steady.awake;
    const int64_t passed = steady.sinceBoot - last_->steady.sinceBoot;
    const int64_t unsetNow = last_->wall + passed / 1000;
    if (passed - awake > kRoundingSeconds * 1000) {
      change.sleepStart = last_->wall + awake / 1000;
      change.sleepEnd = std::max(change.sleepStart, unsetNow);
    }
    if (std::abs(wall - unsetNow) > kRoundingSeconds) change.unsetNow = unsetNow;
  }
  last_ = Reading{wall, steady};
  return change;
}

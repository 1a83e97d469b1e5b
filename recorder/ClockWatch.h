#pragma once

#include <cstdint>
#include <optional>

#include "framework/core/Clock.h"

// What happened to the wall clock since the reading before, in wall seconds. The sleep
// and the unset "now" are on the clock as it ran before it was set.
struct ClockChange {
  int64_t sleepStart = 0;  // the machine went to sleep then,
  int64_t sleepEnd = 0;    // and woke then; equal: it did not sleep
  int64_t unsetNow = 0;    // where the wall clock would be had nobody set it
  int64_t now = 0;         // where it is

  bool Slept() const { return sleepEnd > sleepStart; }
  bool Set() const { return unsetNow != now; }
  bool operator==(const ClockChange&) const = default;
};

// Follows the wall clock against the steady clocks, reading by reading: a wall clock
// that moved by more or less than the time that passed was set, and the time the
// awake clock missed was spent asleep. Differences of a second or two are the rounding
// of whole seconds.
class ClockWatch {
 public:
  ClockChange Read(int64_t wall, const SteadyClocks& steady);
  // Forgets the last reading: the next one only starts again.
  void Reset() { last_.reset(); }

 private:
  struct Reading {
    int64_t wall;
    SteadyClocks steady;
  };
  std::optional<Reading> last_;
};

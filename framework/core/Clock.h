#pragma once

#include <cstdint>
#include <optional>

// The one clock of the process. Everything that asks for "now" (the log cutoff, the
// reporting periods) reads it here, so tests and tools can fix the time.

// Seconds since 1970-01-01 00:00 UTC; the real clock unless a fixed time is set.
int64_t ClockNow();

// Fixes "now" for the whole process; std::nullopt goes back to the real clock.
void SetFixedClock(std::optional<int64_t> now);

// The machine's steady clocks in milliseconds, which nobody sets: `awake` stands still
// while the machine sleeps, `sinceBoot` goes on. Comparing them with ClockNow tells a
// suspend and a clock that was set from time that passed.
struct SteadyClocks {
  int64_t awake = 0;
  int64_t sinceBoot = 0;
};
SteadyClocks SteadyNow();

// Fixes the steady clocks for the whole process; std::nullopt goes back to the real
// ones. While they are not fixed but "now" is, both follow the fixed "now", so moving
// it reads as time passing.
void SetFixedSteadyClocks(std::optional<SteadyClocks> clocks);

#pragma once

#include <cstdint>
#include <optional>

// The one clock of the process. Everything that asks for "now" (the log cutoff, the
// reporting periods) reads it here, so tests and tools can fix the time.

// Seconds since 1970-01-01 00:00 UTC; the real clock unless a fixed time is set.
int64_t ClockNow();

// Fixes "now" for the whole process; std::nullopt goes back to the real clock.
void SetFixedClock(std::optional<int64_t> now);

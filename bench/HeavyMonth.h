#pragma once

#include <cstdint>
#include <filesystem>

// A generated month of heavy use for the benchmarks: 31 daily logs and a home whose
// preferences point at them. The files live in $TASKMETER_BENCH_DIR when set (kept,
// and reused by the next run), else in a temporary folder removed at exit.

// "now" of every run: the evening of the last logged day, local time.
int64_t BenchNow();

// The folder of 31 daily logs holding `records` switches in all, as computer number
// `computer` of the same user logs them (each computer its own sequence of switches).
std::filesystem::path LogFolder(int records, int computer = 0);

// A folder to use as $XDG_DATA_HOME whose computers folder holds the logs of `others`
// further computers (numbers 1 to `others`) of `records` switches each.
std::filesystem::path DataHome(int records, int others);

// A home whose tree holds `entries` entries in 3/10 as many groups and whose
// preferences name the log folder of `records`.
std::filesystem::path Home(int records, int entries);

#pragma once

#include <cstdint>
#include <filesystem>

#include "tree/GroupTree.h"

// Generated homes for the benchmarks: a month of heavy use as daily logs, and a tree of
// groups over the logged applications. Kept in $TASKMETER_BENCH_DIR when it is set (and
// reused by the next run), else in a temporary folder removed at exit.

// "now" of every run: the evening of the last logged day.
int64_t BenchNow();

// 31 daily logs holding `records` switches in all, working hours 07:00 to 19:00.
std::filesystem::path LogFolder(int records);

// A tree of `entries` entries in 3/10 as many groups: top-level groups, each carrying
// two sub-groups; a third of the entries divide their application by project, and
// most applications stand in several groups.
GroupMap MakeTree(int entries);

// A home folder whose preferences name the log folder of `records`.
std::filesystem::path Home(int records, int entries);

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/LocalTime.h"

struct SimulationSettings {
  int days = 14;             // today and the days before it
  int switchesPerDay = 120;  // blocks on a full working day
  uint64_t seed = 1;
  int64_t now = 0;  // nothing is written after this instant
  // A computer of the same user: each one has its own working times and uses its own
  // share of the programs. Empty: the plain mix of programs.
  std::string machine;
};

// One block as the host writes it when the foreground application changes: the
// interval that just ended (it belongs to the application of the block before) and
// the application that now comes to the foreground.
struct LogBlock {
  int64_t start = 0;
  int64_t end = 0;
  std::string displayName;
  std::string windowTitle;
  std::string appName;
  std::string appPath;

  bool operator==(const LogBlock&) const = default;
};

struct DayLog {
  CivilTime date;
  std::string fileName;  // "YYYY-MM-DD.log"
  std::vector<LogBlock> blocks;
};

// Generates the logs of a user's recent days: working hours on weekdays with a lunch
// pause, short idle moments, occasional short weekend sessions, and a "Stop" block
// where tracking ends each day. Each day's content depends only on the seed and the
// date (and on `now` for today), so the same seed gives the same files.
class ActivitySimulator {
 public:
  explicit ActivitySimulator(SimulationSettings settings) : settings_(settings) {}

  // The calendar days to simulate, oldest first, today last.
  std::vector<CivilTime> Dates() const;
  // The days with activity, oldest first.
  std::vector<DayLog> Run() const;
  // One day's blocks, cut at `now`; empty when nothing happened that day (yet).
  DayLog SimulateDay(const CivilTime& date) const;

 private:
  SimulationSettings settings_;
};

// How often each program of ApplicationMix() comes to the front on `machine`: the
// mix's weights for no machine; otherwise each weight scaled by 0, 1 or 2 as the name
// decides, the editor and the browser always in use.
std::vector<int> MachineWeights(const std::string& machine);

// The seven-line blocks of `blocks`, LF line ends, timestamps "MM DD hh mm ss".
std::string FormatLogBlocks(const std::vector<LogBlock>& blocks);

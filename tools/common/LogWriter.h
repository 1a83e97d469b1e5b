#pragma once

#include <string>
#include <vector>

#include "framework/core/Status.h"
#include "tools/common/ActivitySimulator.h"

// Writes simulated days into a log folder, one file a day, each file's modification
// time set to its last block.
class LogFolderWriter {
 public:
  explicit LogFolderWriter(std::string folder) : folder_(std::move(folder)) {}

  // Creates the folder when missing. Without `overwrite` it refuses when a file for
  // any of `dates` exists, before anything is written, so real logs are never
  // replaced by accident.
  Status Prepare(const std::vector<CivilTime>& dates, bool overwrite);

  // Writes one day (days without blocks are skipped).
  Status Write(const DayLog& day);

 private:
  std::string folder_;
};

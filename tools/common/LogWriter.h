#pragma once

#include <string>
#include <vector>

#include "tools/common/ActivitySimulator.h"

// Writes simulated days into a log folder, one file a day, each file's modification
// time set to its last block.
class LogFolderWriter {
 public:
  explicit LogFolderWriter(std::string folder) : folder_(std::move(folder)) {}

  // Creates the folder when missing. Without `overwrite` it refuses when a file for
  // any of `dates` exists, before anything is written, so real logs are never
  // replaced by accident. False with `error` set.
  bool Prepare(const std::vector<CivilTime>& dates, bool overwrite, std::string& error);

  // Writes one day (days without blocks are skipped). False with `error` set.
  bool Write(const DayLog& day, std::string& error);

 private:
  std::string folder_;
};

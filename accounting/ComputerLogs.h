#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/ComputerFolders.h"
#include "framework/core/LogFileFinder.h"

// Where one scan reads activity logs: this computer's data folder, then the data
// folders of the user's other computers that a synchronisation tool keeps in the
// computers folder.

struct ComputerLogSource {
  std::string name;    // unique among the computers of one scan
  std::string folder;  // absolute, ending with '/'
  bool thisComputer = false;
};

struct ComputerLogFiles {
  std::vector<ComputerLogSource> computers;      // this computer first, the others by name
  std::vector<std::vector<LogFileEntry>> files;  // per computer, in reading order
  std::vector<SkippedComputerFolder> skipped;    // other computers' folders not read
};

// This computer's files are those created within the 31 days before `now`; another
// computer's those whose names date them on or after the first of those days.
ComputerLogFiles FindComputerLogs(const std::string& dataFolder, const std::string& computersFolder,
                                  int64_t now);

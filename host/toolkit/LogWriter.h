#pragma once

#include <string>
#include <vector>

#include "host/toolkit/ActivitySimulator.h"

// Writes the simulated days into `folder` (created when missing), one file a day,
// each file's modification time set to its last block. Without `overwrite` nothing
// is written when any of the files already exists, so real logs are never replaced
// by accident. False with `error` set when anything fails.
bool WriteDayLogs(const std::string& folder, const std::vector<DayLog>& days, bool overwrite,
                  std::string& error);

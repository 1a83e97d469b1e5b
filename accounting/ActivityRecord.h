#pragma once

#include <string>

// One interval of work on one application: the application fields of one log block
// and the times of the block after it.
struct ActivityRecord {
  std::string DisplayName;
  std::string AppName;
  std::string WindowTitle;
  std::string AppPath;
  std::string StartTime;
  std::string EndTime;

  bool operator==(const ActivityRecord&) const = default;
};

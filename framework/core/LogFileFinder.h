#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One found log file.
struct LogFileEntry {
  std::string FullPath;
  std::string FileName;      // name and extension, no folder
  int64_t CreationTime = 0;  // seconds since 1970 UTC
};

// Birth time where the file system records it (statx), else the modification time;
// 0 when the file cannot be examined.
int64_t FileCreationTime(const std::string& path);

// Lists the regular files named "*.log" (case-sensitive suffix) in `folder`, sorted by
// name so that a listing never depends on the folder's internal order. A folder that
// cannot be read gives no entries.
std::vector<LogFileEntry> FindLogFiles(const std::string& folder);

// Tests replace how a creation time is found, because a birth time cannot be set.
// An empty function restores the real one.
using CreationTimeSource = std::function<int64_t(const std::string& fullPath)>;
void SetCreationTimeSourceForTesting(CreationTimeSource source);

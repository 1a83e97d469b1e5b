#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// What a file synchronisation tool leaves beside the files it copies, which must never
// be read as logs: conflict copies (Syncthing's "*.sync-conflict-*", the "conflicted
// copy" of Nextcloud and Dropbox), which hold blocks already counted, and the
// temporary files of a transfer ("~syncthing~*", ".syncthing.*").
bool IsSyncLeftover(std::string_view name);

// Lists the regular files named "*.log" (case-sensitive suffix) in `folder`, sync
// leftovers left out, sorted by name so that a listing never depends on the folder's
// internal order. Nothing when the folder cannot be listed.
std::optional<std::vector<LogFileEntry>> ListLogFiles(const std::string& folder);

// The same, a folder that cannot be read giving no entries.
std::vector<LogFileEntry> FindLogFiles(const std::string& folder);

// Tests replace how a creation time is found, because a birth time cannot be set.
// An empty function restores the real one.
using CreationTimeSource = std::function<int64_t(const std::string& fullPath)>;
void SetCreationTimeSourceForTesting(CreationTimeSource source);

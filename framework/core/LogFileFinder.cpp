#include "framework/core/LogFileFinder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

CreationTimeSource& TestSource() {
  static CreationTimeSource source;
  return source;
}

bool HasLogSuffix(const std::string& name) {
  static const std::string kSuffix = ".log";
  return name.size() >= kSuffix.size() &&
         name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

int64_t FileCreationTime(const std::string& path) {
  struct statx info {};
  if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0) return 0;
  if ((info.stx_mask & STATX_BTIME) != 0) return info.stx_btime.tv_sec;
  return info.stx_mtime.tv_sec;
}

bool IsSyncLeftover(std::string_view name) {
  return name.find(".sync-conflict-") != std::string_view::npos ||
         name.find("conflicted copy") != std::string_view::npos ||
         name.starts_with("~syncthing~") || name.starts_with(".syncthing.");
}

std::optional<std::vector<LogFileEntry>> ListLogFiles(const std::string& folder) {
  std::vector<LogFileEntry> found;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) return std::nullopt;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
  while (const dirent* item = ::readdir(dir.get())) {
    std::string name = item->d_name;
    if (!HasLogSuffix(name) || IsSyncLeftover(name)) continue;
    std::string full = prefix + name;
    if (!IsRegularFile(full)) continue;
    found.push_back({std::move(full), std::move(name), 0});
  }
  const CreationTimeSource& source = TestSource();
  for (LogFileEntry& entry : found) {
    entry.CreationTime = source ? source(entry.FullPath) : FileCreationTime(entry.FullPath);
  }
  std::sort(found.begin(), found.end(),
            [](const LogFileEntry& a, const LogFileEntry& b) { return a.FileName < b.FileName; });
  return found;
}

std::vector<LogFileEntry> FindLogFiles(const std::string& folder) {
  return ListLogFiles(folder).value_or(std::vector<LogFileEntry>{});
}

void SetCreationTimeSourceForTesting(CreationTimeSource source) {
  TestSource() = std::move(source);
}

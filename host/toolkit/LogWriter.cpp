#include "host/toolkit/LogWriter.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "framework/core/FileIO.h"

namespace {

void SetModificationTime(const std::string& path, int64_t seconds) {
  timespec times[2];
  times[0].tv_sec = static_cast<time_t>(seconds);
  times[0].tv_nsec = 0;
  times[1] = times[0];
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);  // a file that keeps "now" is still fine
}

}  // namespace

bool WriteDayLogs(const std::string& folder, const std::vector<DayLog>& days, bool overwrite,
                  std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    error = "cannot create the folder " + folder;
    return false;
  }
  const fs::path base(folder);
  if (!overwrite) {
    for (const DayLog& day : days) {
      if (fs::exists(base / day.fileName, ec)) {
        error = (base / day.fileName).string() + " exists (use --overwrite to replace it)";
        return false;
      }
    }
  }
  for (const DayLog& day : days) {
    const std::string path = (base / day.fileName).string();
    if (!WriteFileAtomically(path, FormatLogBlocks(day.blocks))) {
      error = "cannot write " + path;
      return false;
    }
    if (!day.blocks.empty()) SetModificationTime(path, day.blocks.back().end);
  }
  return true;
}

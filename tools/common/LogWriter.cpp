#include "tools/common/LogWriter.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "framework/core/FileIO.h"

namespace fs = std::filesystem;

namespace {

void SetModificationTime(const std::string& path, int64_t seconds) {
  timespec times[2];
  times[0].tv_sec = static_cast<time_t>(seconds);
  times[0].tv_nsec = 0;
  times[1] = times[0];
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);  // a file that keeps "now" is still fine
}

}  // namespace

bool LogFolderWriter::Prepare(const std::vector<CivilTime>& dates, bool overwrite,
                              std::string& error) {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (!fs::is_directory(folder_, ec)) {
    error = "cannot create the folder " + folder_;
    return false;
  }
  if (overwrite) return true;
  for (const CivilTime& date : dates) {
    const fs::path file = fs::path(folder_) / (FormatDate(date) + ".log");
    if (fs::exists(file, ec)) {
      error = file.string() + " exists (use --overwrite to replace it)";
      return false;
    }
  }
  return true;
}

bool LogFolderWriter::Write(const DayLog& day, std::string& error) {
  if (day.blocks.empty()) return true;
  const std::string path = (fs::path(folder_) / day.fileName).string();
  if (!WriteFileAtomically(path, FormatLogBlocks(day.blocks))) {
    error = "cannot write " + path;
    return false;
  }
  SetModificationTime(path, day.blocks.back().end);
  return true;
}

#include "tools/common/LogWriter.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "accounting/LogFormat.h"
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

Status LogFolderWriter::Prepare(const std::vector<CivilTime>& dates, bool overwrite) {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (!fs::is_directory(folder_, ec)) {
    return Status::Failure(ErrorCode::CannotCreate, "cannot create the folder " + folder_);
  }
  if (overwrite) return {};
  for (const CivilTime& date : dates) {
    const fs::path file =
        fs::path(folder_) / LogFileName(LocalToSeconds({date.year, date.month, date.day, 12}));
    if (fs::exists(file, ec)) {
      return Status::Failure(ErrorCode::AlreadyExists,
                             file.string() + " exists (use --overwrite to replace it)");
    }
  }
  return {};
}

Status LogFolderWriter::Write(const DayLog& day) {
  if (day.blocks.empty()) return {};
  const std::string path = (fs::path(folder_) / day.fileName).string();
  if (!WriteFileAtomically(path, FormatLogBlocks(day.blocks))) {
    return Status::Failure(ErrorCode::CannotWrite, "cannot write " + path);
  }
  SetModificationTime(path, day.blocks.back().end);
  return {};
}

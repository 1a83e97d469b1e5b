#include "recorder/ActivityLogFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace {

constexpr int kLinesPerBlock = 7;

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// Makes each missing folder of `folder`, for its user alone. False with errno set
// when one cannot be made (a read-only mount, a file in the way).
bool MakePrivateFolders(const std::filesystem::path& folder) {
  std::filesystem::path path;
  for (const std::filesystem::path& part : folder.lexically_normal()) {
    path /= part;
    if (part.empty() || part == "/") continue;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
      if (S_ISDIR(info.st_mode)) continue;
      errno = ENOTDIR;
      return false;
    }
    if (::mkdir(path.c_str(), kPrivateFolder) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// Writes all of `bytes` at the end of the file; on a short write the file is cut back
// to where it was, so no half block stays behind.
bool AppendWhole(int fd, std::string_view bytes) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<size_t>(written);
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      const int saved = errno;
      if (done > 0 && ::ftruncate(fd, info.st_size) != 0) {
        // Nothing more can be done here; the next start completes the tail.
      }
      errno = saved;
      return false;
    }
  }
  return true;
}

std::string ReadAll(int fd, bool& ok) {
  std::string bytes;
  char buffer[65536];
  off_t offset = 0;
  for (;;) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ok = false;
      return bytes;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    offset += got;
  }
  ok = true;
  return bytes;
}

}  // namespace

FileHandle::~FileHandle() {
  if (fd_ >= 0) ::close(fd_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

int FileHandle::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool CompleteTornTail(int fd) {
  bool ok = false;
  const std::string bytes = ReadAll(fd, ok);
  if (!ok) return false;
  if (bytes.empty()) return true;
  size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  const bool openLine = bytes.back() != '\n';
  if (openLine) ++lines;
  std::string fill = openLine ? "\n" : "";
  // The filler's last line takes the terminator's place, and being empty it is not one.
  const size_t missing = (kLinesPerBlock - lines % kLinesPerBlock) % kLinesPerBlock;
  fill.append(missing, '\n');
  return fill.empty() || AppendWhole(fd, fill);
}

Status ActivityLogFolder::Open(const std::string& folder) {
  dayFile_ = FileHandle();
  dayPath_.clear();
  lock_ = FileHandle();
  folder_ = folder;
  if (!MakePrivateFolders(folder)) {
    return Status::Failure(ErrorCode::CannotCreate,
                           SystemError("cannot make the data folder " + folder));
  }
  const std::string lockPath = (std::filesystem::path(folder) / kLockFileName).string();
  FileHandle lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kPrivateFile));
  if (!lock.IsOpen()) {
    return Status::Failure(ErrorCode::CannotWrite,
                           SystemError("cannot write to the data folder " + folder));
  }
  if (::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) {
      return Status::Failure(ErrorCode::Busy, "another TaskMeter already records into " + folder);
    }
    return Status::Failure(ErrorCode::CannotWrite,
                           SystemError("cannot lock the data folder " + folder));
  }
  lock_ = std::move(lock);
  return {};
}

void ActivityLogFolder::Close() {
  dayFile_ = FileHandle();
  dayPath_.clear();
  lock_ = FileHandle();
}

bool ActivityLogFolder::DayFileAtItsPath() const {
  struct stat atPath {};
  struct stat open {};
  return ::stat(dayPath_.c_str(), &atPath) == 0 && ::fstat(dayFile_.Get(), &open) == 0 &&
         atPath.st_dev == open.st_dev && atPath.st_ino == open.st_ino;
}

bool ActivityLogFolder::OpenDayFile(const std::string& path) {
  if (path == dayPath_ && dayFile_.IsOpen() && DayFileAtItsPath()) return true;
  dayFile_ = FileHandle();
  dayPath_.clear();
  FileHandle file(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, kPrivateFile));
  if (!file.IsOpen()) {
    lastError_ = SystemError("cannot write " + path);
    return false;
  }
  // A device or a pipe under a log's name would never end when read.
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    lastError_ = "cannot write " + path + ": not a regular file";
    return false;
  }
  if (!CompleteTornTail(file.Get())) {
    lastError_ = SystemError("cannot repair the end of " + path);
    return false;
  }
  dayFile_ = std::move(file);
  dayPath_ = path;
  return true;
}

bool ActivityLogFolder::Append(const RecordedBlock& block) {
  if (!lock_.IsOpen()) {
    lastError_ = "no data folder is open";
    return false;
  }
  const std::string path = (std::filesystem::path(folder_) / LogFileName(block.start)).string();
  if (!OpenDayFile(path)) return false;
  if (!AppendWhole(dayFile_.Get(), BlockText(block))) {
    lastError_ = SystemError("cannot write " + path);
    // Opened again (and its tail checked) by the next block.
    dayFile_ = FileHandle();
    return false;
  }
  lastError_.clear();
  return true;
}

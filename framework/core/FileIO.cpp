#include "framework/core/FileIO.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

long long gFailAfterBytes = -1;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (it can report a late write error).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  size_t limit = bytes.size();
  const bool injectFailure = gFailAfterBytes >= 0 && static_cast<size_t>(gFailAfterBytes) < limit;
  if (injectFailure) limit = static_cast<size_t>(gFailAfterBytes);
  size_t done = 0;
  while (done < limit) {
    const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return !injectFailure;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

FileRead ReadWholeFile(const std::string& path) {
  FileRead result;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    result.status = (errno == ENOENT || errno == ENOTDIR) ? OpenStatus::Missing : OpenStatus::Unreadable;
    return result;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) == 0 && S_ISDIR(info.st_mode)) {
    result.status = OpenStatus::Unreadable;
    return result;
  }
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      result.status = OpenStatus::Unreadable;
      result.bytes.clear();
      return result;
    }
    result.bytes.append(buffer.data(), static_cast<size_t>(n));
  }
  result.status = OpenStatus::Opened;
  return result;
}

bool CreateEmptyFileIfMissing(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  return fd.get() >= 0 && fd.Close();
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode) {
  std::string pattern = path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;
  const std::string temporary = name.data();
  const bool written = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) &&
                       ::fsync(fd.get()) == 0 && fd.Close();
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

void SetWriteFailureAfterBytesForTesting(long long bytes) { gFailAfterBytes = bytes; }

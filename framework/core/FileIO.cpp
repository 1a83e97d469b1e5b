#include "framework/core/FileIO.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
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

bool IsSymbolicLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

std::optional<std::string> SymbolicLinkTarget(const std::string& path) {
  if (!IsSymbolicLink(path)) return std::nullopt;
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

FileRead ReadWholeFile(const std::string& path) {
  FileRead result;
  // Non-blocking, so that opening a fifo does not wait for a writer.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    const bool missing = (errno == ENOENT || errno == ENOTDIR) && !IsSymbolicLink(path);
    result.status = missing ? OpenStatus::Missing : OpenStatus::Unreadable;
    return result;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = OpenStatus::Unreadable;
    return result;
  }
  // Straight into the result, sized by the file (a file that grows meanwhile is read
  // to its new end).
  size_t used = 0;
  result.bytes.resize(static_cast<size_t>(info.st_size) + 1);  // +1 sees the end at once
  for (;;) {
    if (used == result.bytes.size()) result.bytes.resize(result.bytes.size() * 2 + 4096);
    const ssize_t n = ::read(fd.get(), result.bytes.data() + used, result.bytes.size() - used);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      result.status = OpenStatus::Unreadable;
      result.bytes.clear();
      return result;
    }
    used += static_cast<size_t>(n);
  }
  result.bytes.resize(used);
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

NewFile WriteNewFile(const std::string& path, std::string_view bytes, mode_t mode) {
  std::string pattern = path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
  if (fd.get() < 0) return NewFile::Failed;
  const std::string temporary = name.data();
  const bool written = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) &&
                       ::fsync(fd.get()) == 0 && fd.Close();
  // Whole or not at all, and never over anything: a rename that refuses to replace, or
  // a second name where a file system knows no such rename.
  bool renamed = false, linked = false;
  if (written) {
    renamed =
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0;
    if (!renamed && errno == EINVAL) linked = ::link(temporary.c_str(), path.c_str()) == 0;
  }
  const bool exists = !renamed && !linked && errno == EEXIST;
  if (!renamed) ::unlink(temporary.c_str());
  if (renamed || linked) {
    SyncFolder(FolderOf(path));
    return NewFile::Written;
  }
  return written && exists ? NewFile::Exists : NewFile::Failed;
}

bool ReplaceRegularFile(const std::string& path, std::string_view bytes,
                        std::optional<mode_t> mode) {
  // Through a link at its target, so that the link stays; never over a dangling one.
  const std::optional<std::string> linked = SymbolicLinkTarget(path);
  if (!linked && IsSymbolicLink(path)) return false;
  const std::string target = linked.value_or(path);
  struct stat info {};
  const bool exists = ::stat(target.c_str(), &info) == 0;
  // Renaming over a file needs no write permission on it, so a file the user made
  // read-only is checked for here.
  if (exists && (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;
  const mode_t kept = exists ? (info.st_mode & 07777) : 0644;
  return WriteFileAtomically(target, bytes, mode.value_or(kept));
}

void SetWriteFailureAfterBytesForTesting(long long bytes) { gFailAfterBytes = bytes; }

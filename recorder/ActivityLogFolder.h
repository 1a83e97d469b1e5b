#pragma once

#include <string>

#include "framework/core/Status.h"
#include "recorder/ActivityRecorder.h"

// An open file descriptor, closed with its owner.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept : fd_(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  int Release();

 private:
  int fd_ = -1;
};

// The data folder as the recorder writes it: one "YYYY-MM-DD.log" a day, named by the
// day each block starts in. Only the holder of the lock file in the folder writes there.
// Each block goes in one write, and a write that stops short is taken back, so a block
// the reader accepted is never misaligned by what follows it. Captions are private:
// what the recorder creates (folders, logs, the lock file) only its user may read, and
// what existed keeps its mode. A day file that was deleted, or replaced by a rename,
// is noticed before the next block, which goes into the file now at the path.
class ActivityLogFolder : public BlockSink {
 public:
  static constexpr const char* kLockFileName = ".taskmeter-recorder.lock";

  // Creates the folder when missing and takes its lock. Fails Busy when another
  // recorder holds the lock, CannotCreate or CannotWrite when the folder or its lock
  // file cannot be made.
  Status Open(const std::string& folder);
  bool IsOpen() const { return lock_.IsOpen(); }
  // Lets the lock go; nothing is written until the next Open.
  void Close();

  bool Append(const RecordedBlock& block) override;
  // Why the last Append failed; empty after a success.
  const std::string& LastError() const { return lastError_; }

 private:
  bool OpenDayFile(const std::string& path);
  // Whether `dayPath_` still names the open day file.
  bool DayFileAtItsPath() const;

  std::string folder_;
  FileHandle lock_;
  FileHandle dayFile_;
  std::string dayPath_;
  std::string lastError_;
};

// Completes a block cut off by the end of `fd`'s file (a host killed while writing it)
// with empty lines, so that the reader drops it and the next block starts aligned.
// False when the file cannot be read or written.
bool CompleteTornTail(int fd);

#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

// File access shared by the options files and the logs.

enum class OpenStatus {
  Opened,      // the file exists and was read
  Missing,     // no file of that name
  Unreadable,  // it exists but cannot be opened (permissions, no descriptors, ...)
};

struct FileRead {
  OpenStatus status = OpenStatus::Missing;
  std::string bytes;
};

// Reads a whole file in binary. Tells a missing file from one that cannot be opened,
// because only a missing file may be created empty in its place. Anything but a
// regular file (a fifo, a device, a folder, a link that leads nowhere) counts as
// unreadable: a fifo would make the read wait for a writer, and a file put where a
// dangling link is would break the link.
FileRead ReadWholeFile(const std::string& path);

// The file a symbolic link at `path` leads to (through every link on the way); nothing
// when `path` is no link or the link leads nowhere.
std::optional<std::string> SymbolicLinkTarget(const std::string& path);

// Creates an empty file only where none exists (never truncates one that does).
bool CreateEmptyFileIfMissing(const std::string& path);

// Replaces `path` with `bytes` so that the old content survives every failure: the
// bytes go to a temporary file in the same folder, which is flushed, synced and then
// renamed over the old file. Returns false, leaving the old file untouched and no
// temporary behind, when any step fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode = 0644);

// Saves an options file: through a symbolic link at its target, atomically, and only
// over a regular file that may be written (a fifo, a folder, a read-only file or a
// link that leads nowhere stays as it is). `mode` nullopt keeps the mode of the file replaced (0644
// for a new one). False, with nothing changed, when the file may not or cannot be replaced.
bool ReplaceRegularFile(const std::string& path, std::string_view bytes,
                        std::optional<mode_t> mode = std::nullopt);

enum class NewFile { Written, Exists, Failed };

// Writes `bytes` to a file that must not exist yet (nothing is ever replaced, not even a
// link). Exists when something has that name; Failed, with no file left, otherwise.
NewFile WriteNewFile(const std::string& path, std::string_view bytes, mode_t mode = 0644);

// Test seam: when set, the atomic writer fails after writing this many bytes of the
// temporary file, as a full disk or a dying process would. Negative disables it.
void SetWriteFailureAfterBytesForTesting(long long bytes);

#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "accounting/ActivityRecord.h"
#include "accounting/BigAllocation.h"
#include "accounting/LogFormat.h"
#include "framework/core/LogFileFinder.h"

// The seven-line blocks of the activity logs and how neighbouring blocks become records.

inline constexpr int64_t kLogWindowSeconds = 2678400;  // 31 days

// One record as views into the bytes of the logs it was read from.
struct RecordView {
  std::string_view DisplayName;
  std::string_view AppName;
  std::string_view WindowTitle;
  std::string_view AppPath;
  std::string_view StartTime;
  std::string_view EndTime;
};
ActivityRecord ToRecord(const RecordView& view);

// One record as where its lines lie in the log bytes, half the size of six views: the
// application lines of block k and the time lines of block k + 1 of one computer's
// logs. Lines are at most kLogLineLimit characters, so their lengths fit 16 bits.
struct RecordLines {
  const char* app = nullptr;    // line 3 of block k
  const char* times = nullptr;  // line 1 of block k + 1
  uint32_t appOffsets[3] = {};  // of lines 4, 5 and 6 from `app`
  uint32_t endOffset = 0;       // of line 2 from `times`
  uint16_t lengths[6] = {};     // of lines 3, 4, 5, 6, 1 and 2
  uint32_t computer = 0;        // whose logs: 0 this computer, then the others in turn

  RecordView View() const;
};
// The computer fills what was padding: the record list stays as compact as it was.
static_assert(sizeof(RecordLines) <= 6 * sizeof(std::string_view) / 2);

namespace log_detail {

// Cuts bytes into lines: LF ends a line, a CR right before it is dropped, and a line
// keeps at most kLogLineLimit characters. A last line without LF still counts.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : next_(bytes.data()), end_(next_ + bytes.size()) {}

  bool Next(std::string_view& line) {
    if (next_ == end_) return false;
    const char* begin = next_;
    const char* feed = static_cast<const char*>(std::memchr(begin, '\n', end_ - begin));
    size_t length = (feed ? feed : end_) - begin;
    next_ = feed ? feed + 1 : end_;
    if (feed && length > 0 && begin[length - 1] == '\r') --length;
    line = std::string_view(begin, length < kLogLineLimit ? length : kLogLineLimit);
    return true;
  }

 private:
  const char* next_;
  const char* end_;
};

}  // namespace log_detail

// Calls `onBlock(const LogBlockLines&)` for each block of one file's bytes, in reading
// order. Seven lines at a time; a group whose seventh line is not "~~~" is dropped
// whole, and an incomplete group at the end of the file too. Returns the block count.
template <typename OnBlock>
size_t ReadLogBlocks(std::string_view bytes, OnBlock&& onBlock) {
  log_detail::LineCursor cursor(bytes);
  std::string_view lines[7];
  size_t blocks = 0;
  for (;;) {
    int count = 0;
    while (count < 7 && cursor.Next(lines[count])) ++count;
    if (count < 7) return blocks;  // cut off by the end of the file
    const std::string_view& last = lines[6];
    if (last.size() != 3 || last[0] != '~' || last[1] != '~' || last[2] != '~') continue;
    onBlock(LogBlockLines{lines[0], lines[1], lines[2], lines[3], lines[4], lines[5]});
    ++blocks;
  }
}

// Bytes read from the log files: a buffer that is never cleared before a read fills
// it, owned so that the records viewing into it can outlive the read.
struct LogBytes {
  BigBytes data;
  size_t capacity = 0;
  size_t size = 0;

  // Room for `more` bytes after `size`; growing moves the bytes.
  void Reserve(size_t more);
};

// Where one file's bytes lie in a LogBytes, and whose log it is.
struct ByteRange {
  size_t begin = 0;
  size_t end = 0;
  uint32_t computer = 0;
};

// The logs of one scan: the bytes of every file read, and the records as views into
// them. Block k gives the application of record k, block k + 1 its interval, so
// pairing runs across the files of one computer and the last block of each computer
// gives no record of its own. Each computer's blocks are paired in a run of their own:
// its records follow those of the computer before.
class ActivityLog {
 public:
  using RecordList = std::vector<RecordLines, BigAllocator<RecordLines>>;

  ActivityLog() = default;
  // Moving keeps the views valid; a copy would point into the original's bytes.
  ActivityLog(ActivityLog&&) = default;
  ActivityLog& operator=(ActivityLog&&) = default;
  ActivityLog(const ActivityLog&) = delete;
  ActivityLog& operator=(const ActivityLog&) = delete;

  // Takes the bytes of the files read, `files` in reading order (each computer's
  // together, computers in increasing order), and makes their records; the record
  // list is sized by the number of lines.
  ActivityLog(LogBytes bytes, const std::vector<ByteRange>& files);
  // Keeps a copy of `bytes` and appends the records their blocks complete; a file of
  // another computer than the last one starts that computer's run (computers in
  // increasing order, as above).
  void AddFile(std::string_view bytes, uint32_t computer = 0);
  const RecordList& Records() const { return records_; }
  // The records of one computer's logs.
  std::span<const RecordLines> RecordsOf(uint32_t computer) const;
  std::vector<ActivityRecord> CopyRecords() const;

 private:
  void AddBlocksOf(std::string_view file, uint32_t computer);
  void AddBlock(const LogBlockLines& block);

  std::vector<LogBytes> buffers_;  // moving a buffer never moves its bytes
  RecordList records_;
  bool hasPending_ = false;
  RecordLines pending_;  // application lines of the last block
};

// Keeps the files created at or after `cutoff` and puts them in reading order: by the
// date in their names (names before 1970, or without digits, first), equal dates in
// byte order of the names.
std::vector<LogFileEntry> SelectLogFiles(std::vector<LogFileEntry> files, int64_t cutoff);

// The same for another computer's files, whose creation times only tell when a
// synchronisation tool copied them: a file is kept when its name begins with a date
// (YYYY-MM-DD, any separators) on or after the local day of `cutoff`.
std::vector<LogFileEntry> SelectComputerLogFiles(std::vector<LogFileEntry> files, int64_t cutoff);

// The day number (days since 1970, local calendar) a log file name gives, from the
// characters 1-4, 6-7 and 9-10 with out-of-range months and days normalised;
// INT64_MIN for a year before 1970.
int64_t LogNameDay(std::string_view fileName);

// Reads the selected files in order; files that cannot be opened are skipped.
ActivityLog ReadActivityLog(const std::vector<LogFileEntry>& files);
// The same for several computers, each one's files in reading order: the records of
// computer i carry i.
ActivityLog ReadActivityLog(const std::vector<std::vector<LogFileEntry>>& computers);

#include "accounting/LogReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <tuple>

#include "accounting/PeriodCalendar.h"
#include "framework/core/CivilTime.h"

namespace {

// Names that give a year before 1970 (or no digits) come before every dated name.
constexpr int64_t kBefore1970 = INT64_MIN;

// Appends the whole file to `bytes`, which grows if the file has grown since it was
// measured (it is read to its new end). False when it cannot be opened or read.
bool AppendLogFile(const std::string& path, LogBytes& bytes) {
  // Non-blocking: a fifo put in place of a log must not stall the load.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok) bytes.Reserve(static_cast<size_t>(info.st_size) + 1);  // +1 sees the end at once
  while (ok) {
    if (bytes.size == bytes.capacity) bytes.Reserve(bytes.capacity + 4096);
    const ssize_t n = ::read(fd, bytes.data.get() + bytes.size, bytes.capacity - bytes.size);
    if (n > 0) {
      bytes.size += static_cast<size_t>(n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
    }
  }
  ::close(fd);
  return ok;
}

// The bytes all computers' files take now, so that one buffer holds them.
size_t TotalSize(const std::vector<std::vector<LogFileEntry>>& computers) {
  size_t total = 0;
  for (const std::vector<LogFileEntry>& files : computers) {
    for (const LogFileEntry& file : files) {
      struct stat info {};
      if (::stat(file.FullPath.c_str(), &info) == 0) {
        total += static_cast<size_t>(info.st_size) + 1;
      }
    }
  }
  return total;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits where LogNameDay reads the year, month and day, and a month and day that can
// be; "2026-07-29.log" does, "notes.log" does not.
bool NameHoldsDate(std::string_view name) {
  if (name.size() < 10) return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!IsDigit(name[i])) return false;
  }
  const int64_t month = LeadingDecimal(name.substr(5, 2));
  const int64_t day = LeadingDecimal(name.substr(8, 2));
  return LeadingDecimal(name.substr(0, 4)) >= 1970 && month >= 1 && month <= 12 && day >= 1 &&
         day <= 31;
}

// Both sides of the search for one computer's records.
uint32_t ComputerOf(const RecordLines& record) { return record.computer; }
uint32_t ComputerOf(uint32_t computer) { return computer; }

// The line feeds in [begin, end), eight bytes at a time: a plain byte loop is not
// vectorised at this optimisation level, and this count runs over every byte read.
size_t CountLineFeeds(const char* begin, const char* end) {
  constexpr uint64_t kLow7 = 0x7f7f7f7f7f7f7f7full;
  constexpr uint64_t kFeeds = 0x0a0a0a0a0a0a0a0aull;
  size_t count = 0;
  for (; end - begin >= 8; begin += 8) {
    uint64_t word;
    std::memcpy(&word, begin, 8);
    const uint64_t x = word ^ kFeeds;  // a zero byte where a line feed was
    // The high bit of each byte is set exactly where that byte is zero (no carry
    // crosses bytes); moved to the low bit, the multiplication adds the bytes up.
    const uint64_t zeros = ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;
    count += static_cast<size_t>((zeros * 0x0101010101010101ull) >> 56);
  }
  for (; begin != end; ++begin) count += *begin == '\n' ? 1 : 0;
  return count;
}

}  // namespace

RecordView RecordLines::View() const {
  return {{app, lengths[0]},
          {app + appOffsets[1], lengths[2]},
          {app + appOffsets[0], lengths[1]},
          {app + appOffsets[2], lengths[3]},
          {times, lengths[4]},
          {times + endOffset, lengths[5]}};
}

ActivityRecord ToRecord(const RecordView& v) {
  return {std::string(v.DisplayName), std::string(v.AppName),   std::string(v.WindowTitle),
          std::string(v.AppPath),     std::string(v.StartTime), std::string(v.EndTime)};
}

void LogBytes::Reserve(size_t more) {
  if (capacity - size >= more) return;
  const size_t wanted = size + more;
  BigBytes larger = MakeBigBytes(wanted);
  if (size > 0) std::memcpy(larger.get(), data.get(), size);
  data = std::move(larger);
  capacity = wanted;
}

ActivityLog::ActivityLog(LogBytes bytes, const std::vector<ByteRange>& files) {
  const LogBytes& kept = buffers_.emplace_back(std::move(bytes));
  const std::string_view all(kept.data.get(), kept.size);
  // Seven lines make a block, so the line count bounds the records from above; for
  // logs as the host writes them it is exact. Counting bytes is far cheaper than a
  // second walk through the lines.
  size_t blocks = 0;
  for (const ByteRange& r : files) {
    const size_t lines =
        CountLineFeeds(all.data() + r.begin, all.data() + r.end) + (r.end > r.begin ? 1 : 0);
    blocks += lines / 7;
  }
  records_.reserve(blocks > 0 ? blocks - 1 : 0);
  for (const ByteRange& r : files) {
    AddBlocksOf(all.substr(r.begin, r.end - r.begin), r.computer);
  }
}

void ActivityLog::AddFile(std::string_view bytes, uint32_t computer) {
  LogBytes& copy = buffers_.emplace_back();
  copy.Reserve(bytes.size());
  if (!bytes.empty()) std::memcpy(copy.data.get(), bytes.data(), bytes.size());
  copy.size = bytes.size();
  AddBlocksOf({copy.data.get(), copy.size}, computer);
}

void ActivityLog::AddBlocksOf(std::string_view file, uint32_t computer) {
  // The last block of one computer's logs must not lend its application to the first
  // interval of the next computer's: their clocks and applications are unrelated.
  if (computer != pending_.computer) hasPending_ = false;
  pending_.computer = computer;
  ReadLogBlocks(file, [this](const LogBlockLines& block) { AddBlock(block); });
}

std::span<const RecordLines> ActivityLog::RecordsOf(uint32_t computer) const {
  const auto [first, last] =
      std::equal_range(records_.begin(), records_.end(), computer,
                       [](const auto& a, const auto& b) { return ComputerOf(a) < ComputerOf(b); });
  return {first, last};
}

void ActivityLog::AddBlock(const LogBlockLines& block) {
  const char* app = block.DisplayName.data();
  const auto offset = [](const char* from, std::string_view line) {
    return static_cast<uint64_t>(line.data() - from);
  };
  // Lines of any length are read whole, so a block may in theory span more than 32
  // bits of offsets; such a block is dropped like one without its terminator.
  const uint64_t last =
      std::max(offset(app, block.AppPath), offset(block.StartTime.data(), block.EndTime));
  if (last > UINT32_MAX) return;
  if (hasPending_) {
    pending_.times = block.StartTime.data();
    pending_.endOffset = static_cast<uint32_t>(offset(pending_.times, block.EndTime));
    pending_.lengths[4] = static_cast<uint16_t>(block.StartTime.size());
    pending_.lengths[5] = static_cast<uint16_t>(block.EndTime.size());
    records_.push_back(pending_);
  }
  hasPending_ = true;
  pending_.app = app;
  pending_.appOffsets[0] = static_cast<uint32_t>(offset(app, block.WindowTitle));
  pending_.appOffsets[1] = static_cast<uint32_t>(offset(app, block.AppName));
  pending_.appOffsets[2] = static_cast<uint32_t>(offset(app, block.AppPath));
  pending_.lengths[0] = static_cast<uint16_t>(block.DisplayName.size());
  pending_.lengths[1] = static_cast<uint16_t>(block.WindowTitle.size());
  pending_.lengths[2] = static_cast<uint16_t>(block.AppName.size());
  pending_.lengths[3] = static_cast<uint16_t>(block.AppPath.size());
}

std::vector<ActivityRecord> ActivityLog::CopyRecords() const {
  std::vector<ActivityRecord> records;
  records.reserve(records_.size());
  for (const RecordLines& lines : records_) records.push_back(ToRecord(lines.View()));
  return records;
}

int64_t LogNameDay(std::string_view fileName) {
  auto field = [&](size_t first, size_t count) {
    return first < fileName.size() ? LeadingDecimal(fileName.substr(first, count)) : 0;
  };
  const int64_t year = field(0, 4);
  if (year < 1970) return kBefore1970;
  const int64_t monthIndex = field(5, 2) - 1;  // month 0 is December of the year before
  const int64_t yearShift = monthIndex < 0 ? -1 : monthIndex / 12;
  const int month = static_cast<int>(monthIndex - yearShift * 12) + 1;
  return DaysFromCivil(year + yearShift, month, field(8, 2));
}

std::vector<LogFileEntry> SelectLogFiles(std::vector<LogFileEntry> files, int64_t cutoff) {
  std::erase_if(files, [cutoff](const LogFileEntry& f) { return f.CreationTime < cutoff; });
  struct Keyed {
    int64_t day;
    LogFileEntry* file;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(files.size());
  for (LogFileEntry& f : files) keyed.push_back({LogNameDay(f.FileName), &f});
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    return std::tie(a.day, a.file->FileName) < std::tie(b.day, b.file->FileName);
  });
  std::vector<LogFileEntry> ordered;
  ordered.reserve(files.size());
  for (const Keyed& k : keyed) ordered.push_back(std::move(*k.file));
  return ordered;
}

std::vector<LogFileEntry> SelectComputerLogFiles(std::vector<LogFileEntry> files, int64_t cutoff) {
  const int64_t firstDay = LocalDayNumber(cutoff);
  std::erase_if(files, [firstDay](const LogFileEntry& f) {
    return !NameHoldsDate(f.FileName) || LogNameDay(f.FileName) < firstDay;
  });
  // Dated names only: the order of SelectLogFiles, which keeps every file left.
  return SelectLogFiles(std::move(files), INT64_MIN);
}

ActivityLog ReadActivityLog(const std::vector<LogFileEntry>& files) {
  return ReadActivityLog(std::vector<std::vector<LogFileEntry>>{files});
}

ActivityLog ReadActivityLog(const std::vector<std::vector<LogFileEntry>>& computers) {
  LogBytes bytes;
  bytes.Reserve(TotalSize(computers));
  std::vector<ByteRange> ranges;
  for (uint32_t computer = 0; computer < computers.size(); ++computer) {
    for (const LogFileEntry& file : computers[computer]) {
      const size_t begin = bytes.size;
      if (AppendLogFile(file.FullPath, bytes)) {
        ranges.push_back({begin, bytes.size, computer});
      } else {
        bytes.size = begin;  // a file cut short leaves nothing behind
      }
    }
  }
  return ActivityLog(std::move(bytes), ranges);
}

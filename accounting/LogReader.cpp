#include "accounting/LogReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <tuple>

#include "accounting/LocalTimeConverter.h"
#include "accounting/PeriodCalendar.h"

namespace {

// Names that give a year before 1970 (or no digits) come before every dated name.
constexpr int64_t kBefore1970 = INT64_MIN;

// The whole file in one allocation of its size (a log written meanwhile is read to
// its new end). False when it cannot be opened or read.
bool ReadLogFile(const std::string& path, std::string& bytes) {
  // Non-blocking: a fifo put in place of a log must not stall the load.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  size_t used = 0;
  if (ok) bytes.resize(static_cast<size_t>(info.st_size) + 1);  // +1 sees the end at once
  while (ok) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n > 0) {
      used += static_cast<size_t>(n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
    }
  }
  ::close(fd);
  bytes.resize(ok ? used : 0);
  return ok;
}

}  // namespace

RecordView ViewOf(const ActivityRecord& r) {
  return {r.DisplayName, r.AppName, r.WindowTitle, r.AppPath, r.StartTime, r.EndTime};
}

ActivityRecord ToRecord(const RecordView& v) {
  return {std::string(v.DisplayName), std::string(v.AppName),   std::string(v.WindowTitle),
          std::string(v.AppPath),     std::string(v.StartTime), std::string(v.EndTime)};
}

void ActivityLog::Reserve(size_t bytes) {
  // Blocks written by the host take 80 bytes and more; room the records never use
  // costs address space only.
  records_.reserve(records_.size() + bytes / 64);
}

void ActivityLog::AddFile(std::string bytes) {
  const std::string& kept = files_.emplace_back(std::move(bytes));
  ReadLogBlocks(kept, [this](const LogBlockLines& block) { AddBlock(block); });
}

void ActivityLog::AddBlock(const LogBlockLines& block) {
  if (hasPending_) {
    pending_.StartTime = block.StartTime;
    pending_.EndTime = block.EndTime;
    records_.push_back(pending_);
  }
  hasPending_ = true;
  pending_ = {block.DisplayName, block.AppName, block.WindowTitle, block.AppPath, {}, {}};
}

std::vector<ActivityRecord> ActivityLog::CopyRecords() const {
  std::vector<ActivityRecord> records;
  records.reserve(records_.size());
  for (const RecordView& view : records_) records.push_back(ToRecord(view));
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

ActivityLog ReadActivityLog(const std::vector<LogFileEntry>& files) {
  std::vector<std::string> contents;
  size_t total = 0;
  for (const LogFileEntry& file : files) {
    std::string bytes;
    if (!ReadLogFile(file.FullPath, bytes)) continue;
    total += bytes.size();
    contents.push_back(std::move(bytes));
  }
  ActivityLog log;
  log.Reserve(total);
  for (std::string& bytes : contents) log.AddFile(std::move(bytes));
  return log;
}

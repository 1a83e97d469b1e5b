#include "accounting/LogReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <tuple>

#include "accounting/LocalTimeConverter.h"
#include "accounting/PeriodCalendar.h"
#include "framework/core/FileIO.h"

namespace {

// Names that give a year before 1970 (or no digits) come before every dated name.
constexpr int64_t kBefore1970 = INT64_MIN;

// Cuts the bytes into lines: LF ends a line, a CR right before it is dropped, and a
// line keeps at most kLogLineLimit characters. A last line without LF still counts.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

  bool Next(std::string_view& line) {
    if (pos_ >= bytes_.size()) return false;
    const char* begin = bytes_.data() + pos_;
    const size_t rest = bytes_.size() - pos_;
    const void* feed = std::memchr(begin, '\n', rest);
    size_t length = feed ? static_cast<const char*>(feed) - begin : rest;
    pos_ += feed ? length + 1 : length;
    if (feed && length > 0 && begin[length - 1] == '\r') --length;
    line = std::string_view(begin, std::min(length, kLogLineLimit));
    return true;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

}  // namespace

void ReadLogBlocks(std::string_view bytes, std::vector<LogBlock>& blocks) {
  LineCursor cursor(bytes);
  std::string_view lines[7];
  for (;;) {
    int count = 0;
    while (count < 7 && cursor.Next(lines[count])) ++count;
    if (count < 7) return;  // cut off by the end of the file
    if (lines[6] != "~~~") continue;
    blocks.push_back({std::string(lines[0]), std::string(lines[1]), std::string(lines[2]),
                      std::string(lines[3]), std::string(lines[4]), std::string(lines[5])});
  }
}

std::vector<ActivityRecord> PairBlocks(std::vector<LogBlock>&& blocks) {
  std::vector<ActivityRecord> records;
  if (blocks.size() < 2) return records;
  records.reserve(blocks.size() - 1);
  for (size_t k = 0; k + 1 < blocks.size(); ++k) {
    LogBlock& app = blocks[k];
    LogBlock& times = blocks[k + 1];
    records.push_back({std::move(app.DisplayName), std::move(app.AppName),
                       std::move(app.WindowTitle), std::move(app.AppPath),
                       std::move(times.StartTime), std::move(times.EndTime)});
  }
  blocks.clear();
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

std::vector<ActivityRecord> ReadActivityRecords(const std::vector<LogFileEntry>& files) {
  std::vector<LogBlock> blocks;
  for (const LogFileEntry& file : files) {
    const FileRead read = ReadWholeFile(file.FullPath);
    if (read.status == OpenStatus::Opened) ReadLogBlocks(read.bytes, blocks);
  }
  return PairBlocks(std::move(blocks));
}

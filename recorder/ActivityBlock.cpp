#include "recorder/ActivityBlock.h"

#include <cstdio>
#include <ctime>

namespace {

std::tm LocalFields(int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string SafeLogLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (line.size() <= kMaxLogLineBytes) return line;
  size_t cut = kMaxLogLineBytes;
  // Back to the lead byte of the sequence the cut falls into; a sequence is at most four
  // bytes, so anything longer was not UTF-8 and is cut where it is.
  size_t back = cut;
  while (back > 0 && cut - back < 3 && IsContinuationByte(line[back])) --back;
  if (!IsContinuationByte(line[back])) cut = back;
  line.resize(cut);
  return line;
}

std::string LogTimestamp(int64_t seconds) {
  const std::tm t = LocalFields(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d %02d %02d %02d %02d %02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::string LogFileName(int64_t seconds) {
  const std::tm t = LocalFields(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d.log", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return text;
}

int64_t NextLocalMidnight(int64_t seconds) {
  std::tm t = LocalFields(seconds);
  t.tm_mday += 1;
  t.tm_hour = t.tm_min = t.tm_sec = 0;
  t.tm_isdst = -1;  // whatever daylight saving says on that day
  return static_cast<int64_t>(std::mktime(&t));
}

std::string BlockText(const RecordedBlock& block) {
  std::string text;
  for (const std::string& line :
       {LogTimestamp(block.start), LogTimestamp(block.end), SafeLogLine(block.subject.displayName),
        SafeLogLine(block.subject.windowTitle), SafeLogLine(block.subject.appName),
        SafeLogLine(block.subject.appPath), std::string("~~~")}) {
    text += line;
    text += '\n';
  }
  return text;
}

#include "recorder/ActivityBlock.h"

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at the start of `text`; 0 when there is none.
// Overlong forms, surrogates and code points past U+10FFFF are not valid.
size_t ValidSequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuationByte(text[i])) return 0;
  }
  return length;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const size_t length = ValidSequenceLength(text);
    if (length == 0) {
      valid += kReplacement;
      text.remove_prefix(1);
      continue;
    }
    if (text.front() != '\0') valid.append(text.substr(0, length));
    text.remove_prefix(length);
  }
  return valid;
}

std::string SafeLogLine(std::string_view text) {
  std::string line = ValidUtf8(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (line.size() <= kLogLineLimit) return line;
  // Valid UTF-8: back to the lead byte of the character the cut falls into.
  size_t cut = kLogLineLimit;
  while (cut > 0 && IsContinuationByte(line[cut])) --cut;
  line.resize(cut);
  return line;
}

std::string BlockText(const RecordedBlock& block) {
  const std::string start = LogTimestamp(block.start), end = LogTimestamp(block.end);
  const ActivitySubject& subject = block.subject;
  const std::string display = SafeLogLine(subject.displayName);
  const std::string title = SafeLogLine(subject.windowTitle);
  const std::string app = SafeLogLine(subject.appName), path = SafeLogLine(subject.appPath);
  return LogBlockText({start, end, display, title, app, path});
}

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "accounting/LogFormat.h"

// What is in front of the user: the four names a block carries after its timestamps.
struct ActivitySubject {
  std::string displayName;
  std::string windowTitle;
  std::string appName;
  std::string appPath;

  bool operator==(const ActivitySubject&) const = default;

  // The pauses, named as the module expects them: no caption, no program.
  static ActivitySubject Idle() { return {"Idle", "", "Idle", ""}; }
  static ActivitySubject Stop() { return {"Stop", "", "Stop", ""}; }
};

// One seven-line block: the interval that has just ended, and the subject now in front.
struct RecordedBlock {
  int64_t start = 0;
  int64_t end = 0;
  ActivitySubject subject;
};

// `text` as valid UTF-8: each byte that does not belong to a valid sequence becomes
// U+FFFD, and NUL bytes are dropped.
std::string ValidUtf8(std::string_view text);

// A line the reader cannot misread and any viewer can show: valid UTF-8 (ValidUtf8),
// CR and LF as blanks, cut to kLogLineLimit without splitting a character.
std::string SafeLogLine(std::string_view text);

// The block's seven lines, each ending in LF: timestamps with the year, names made safe.
std::string BlockText(const RecordedBlock& block);

#include "accounting/LogFormat.h"

#include <cstdio>

#include "framework/core/CivilTime.h"

void AppendLogBlock(std::string& text, const LogBlockLines& block, std::string_view lineEnd) {
  for (std::string_view line : {block.StartTime, block.EndTime, block.DisplayName,
                                block.WindowTitle, block.AppName, block.AppPath}) {
    text += line;
    text += lineEnd;
  }
  text += "~~~";
  text += lineEnd;
}

std::string LogBlockText(const LogBlockLines& block, std::string_view lineEnd) {
  std::string text;
  AppendLogBlock(text, block, lineEnd);
  return text;
}

std::string LogTimestamp(int64_t seconds, bool withYear) {
  const CivilTime t = SecondsToLocal(seconds);
  char text[64];
  if (withYear) {
    std::snprintf(text, sizeof text, "%04d %02d %02d %02d %02d %02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
  } else {
    std::snprintf(text, sizeof text, "%02d %02d %02d %02d %02d", t.month, t.day, t.hour, t.minute,
                  t.second);
  }
  return text;
}

std::string LogFileName(int64_t seconds) { return FormatDate(SecondsToLocal(seconds)) + ".log"; }

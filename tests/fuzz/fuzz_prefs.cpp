// Feeds arbitrary bytes to the preferences reader and checks that what it makes of
// them survives being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/MainPrefs.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Key lengths of the string lines: "db path=", "last/current open db file=",
// "Language=", "Pass=". A longer value is cut when its line is read back.
bool StringsFitTheirLines(const MainPrefs& p) {
  constexpr size_t kLine = 1023;
  return p.DbPath.size() + 8 <= kLine && p.LastOpenDbFile.size() + 26 <= kLine &&
         p.Language.size() + 9 <= kLine && p.Pass.size() + 5 <= kLine;
}

size_t CountCrLf(const std::string& text) {
  size_t count = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  MainPrefs read;
  ParseMainPrefsText(text, read);
  for (const std::string* value :
       {&read.DbPath, &read.LastOpenDbFile, &read.Language, &read.Pass}) {
    Check(value->find('\n') == std::string::npos);
    Check(value->size() <= 1023);
  }

  const std::string written = MainPrefsText(read);
  Check(CountCrLf(written) == 13);
  MainPrefs reread;
  ParseMainPrefsText(written, reread);
  // Values that fit their lines come back unchanged; longer ones are cut once and are
  // then stable.
  if (StringsFitTheirLines(read)) Check(reread == read);
  MainPrefs again;
  ParseMainPrefsText(MainPrefsText(reread), again);
  Check(again == reread);
  Check(MainPrefsText(again) == MainPrefsText(reread));
  return 0;
}

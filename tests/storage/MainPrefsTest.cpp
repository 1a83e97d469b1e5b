#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/core/Autostart.h"
#include "framework/core/FileIO.h"
#include "storage/MainPrefs.h"
#include "support/TempDir.h"

// Failures show the record as its file text rather than as raw bytes.
void PrintTo(const MainPrefs& prefs, std::ostream* out) {
  *out << ::testing::PrintToString(MainPrefsText(prefs));
}

namespace {

namespace fs = std::filesystem;

// A record with no field at its initial value, so that every field read is visible.
const MainPrefs kSample = {.DbPath = "/data/logs/",
                           .LastOpenDbFile = "2026-12-06.log",
                           .Language = "Deutsch",
                           .LoadOnStartup = true,
                           .bPauseTimeTrackingOnUserInActive = false,
                           .bPauseTimeTrackingOnScreenSaverActive = false,
                           .bEnableFilter = true,
                           .bAnimatedIconInSysTray = false,
                           .isPass = true,
                           .iShowpProgrUsedMoreSec = -5,
                           .iShowpProgrUsedMorePercent = 12,
                           .IdleTime = 45,
                           .Pass = "s3cret"};

const char kSampleText[] =
    "db path=/data/logs/\r\n"
    "idle time=45\r\n"
    "last/current open db file=2026-12-06.log\r\n"
    "Language=Deutsch\r\n"
    "LoadOnStartup=1\r\n"
    "bPauseTimeTrackingOnUserInActive=0\r\n"
    "bPauseTimeTrackingOnScreenSaverActive=0\r\n"
    "bEnableFilter=1\r\n"
    "iShowpProgrUsedMoreSec=-5\r\n"
    "iShowpProgrUsedMorePercent=12\r\n"
    "bAnimatedIconInSysTray=0\r\n"
    "Pass=s3cret\r\n"
    "isPass=1\r\n";

MainPrefs Parsed(const std::string& text, MainPrefs prefs = {}) {
  ParseMainPrefsText(text, prefs);
  return prefs;
}

TEST(MainPrefsText, IsTheThirteenKeyedLinesWithCrLf) {
  EXPECT_EQ(MainPrefsText(kSample), kSampleText);
  EXPECT_EQ(Parsed(kSampleText), kSample);
  // A line end inside a value cannot shift the lines.
  MainPrefs p = kSample;
  p.Pass = "first\nisPass=0";
  EXPECT_EQ(Parsed(MainPrefsText(p)).Pass, "first");
  EXPECT_TRUE(Parsed(MainPrefsText(p)).isPass);
}

// Hand-edited files: the nth line feeds the nth field whatever its key. Integers take the
// leading-decimal rule and clamp beyond 32 bits; a flag is on for every integer but 0.
TEST(MainPrefsParse, IntegersAndFlagsFollowTheLeadingDecimalRule) {
  // clang-format off
  const std::pair<std::string, int32_t> cases[] = {
      {"abc", 0}, {"15sec", 15}, {"", 0}, {"  42", 42}, {"\t-7x", -7}, {"+8", 8}, {"- 8", 0},
      {"0x1F", 0}, {"00", 0}, {"2147483648", INT32_MAX}, {"-99999999999999999999999", INT32_MIN}};
  // clang-format on
  for (const auto& [t, value] : cases) {
    const std::string lines[] = {"x", t, "x", "x", t, t, t, t, t, t, t, "pw", t};
    std::string text;
    for (const std::string& v : lines) text += "k=" + v + "\n";
    const MainPrefs r = Parsed(text);
    for (const int32_t number :
         {r.IdleTime, r.iShowpProgrUsedMoreSec, r.iShowpProgrUsedMorePercent})
      EXPECT_EQ(number, value) << t;
    for (const bool flag : {r.LoadOnStartup, r.bPauseTimeTrackingOnUserInActive,
                            r.bPauseTimeTrackingOnScreenSaverActive, r.bEnableFilter,
                            r.bAnimatedIconInSysTray, r.isPass})
      EXPECT_EQ(flag, value != 0) << t;
  }
}

// The value follows the first '=' or is the whole line; only the one CR that ends a line
// goes. A long line is cut and the next lines still read; empty text reads nothing, and
// otherwise every missing line reads as empty, zero or off.
TEST(MainPrefsParse, OddLinesShiftNoOtherField) {
  MainPrefs read = Parsed("no equals here\n\n==\nLanguage=\nx\nx\nx\nx\nx\nx\nx\nPass=a=b\n");
  EXPECT_EQ(std::tie(read.DbPath, read.LastOpenDbFile, read.Language, read.Pass),
            std::tie("no equals here", "=", "", "a=b"));
  read = Parsed("db path=a\rb\r\r\nidle time=1\r");
  EXPECT_EQ(read.DbPath, "a\rb\r");
  EXPECT_EQ(read.IdleTime, 1);

  const std::string key = "db path=", text = kSampleText;
  MainPrefs expected = kSample;
  expected.DbPath = std::string(1023 - key.size(), 'p');
  EXPECT_EQ(Parsed(key + std::string(3000, 'p') + text.substr(text.find('\r'))), expected);
  for (const std::string end : {"\n", "\r\n"}) {  // at the limit nothing is lost
    read = Parsed(key + expected.DbPath + end + "idle time=3" + end);
    EXPECT_EQ(read.DbPath, expected.DbPath);
    EXPECT_EQ(read.IdleTime, 3);
  }

  EXPECT_EQ(Parsed("", kSample), kSample);
  expected = MainPrefs{};  // every line after the second missing
  expected.DbPath = "/d/";
  expected.IdleTime = 9;
  expected.Language.clear();
  expected.bPauseTimeTrackingOnUserInActive = expected.bPauseTimeTrackingOnScreenSaverActive =
      expected.bAnimatedIconInSysTray = false;
  expected.iShowpProgrUsedMoreSec = expected.iShowpProgrUsedMorePercent = 0;
  EXPECT_EQ(Parsed("db path=/d/\r\nidle time=9", kSample), expected);
}

class MainPrefsFile : public ::testing::Test {
 protected:
  TempDir dir_;
  const std::string path_ = (dir_.Path() / "options" / "mainpref.ini").string();
};

// Writing through a link keeps the link and replaces what it points to, owner-only; a
// failed write keeps the old file and leaves no temporary.
TEST_F(MainPrefsFile, WritesGoThroughALinkAndFailuresKeepTheOldFile) {
  const fs::path target = dir_.Write("elsewhere/prefs.ini", "old");
  fs::create_directories(dir_.Path() / "options");
  fs::create_symlink(target, path_);
  ASSERT_TRUE(WriteMainPrefs(path_, kSample));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(ReadBytes(target), kSampleText);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  SetWriteFailureAfterBytesForTesting(20);
  EXPECT_FALSE(WriteMainPrefs(path_, {}));
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(ReadBytes(target), kSampleText);
  EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), {}), 1);
  EXPECT_FALSE(WriteMainPrefs((dir_.Path() / "no-folder" / "mainpref.ini").string(), {}));
  EXPECT_FALSE(fs::exists(dir_.Path() / "no-folder"));
}

// A missing file changes nothing and leaves the autostart entry alone, even one we did not
// write; a file that cannot be opened is in the odd files' tests.
TEST_F(MainPrefsFile, AMissingFileLeavesTheAutostartEntryAlone) {
  const std::string foreign = "[Desktop Entry]\nExec=\"/elsewhere\"\n";
  fs::create_directories(fs::path(GetAutostartEntryPath()).parent_path());
  std::ofstream(GetAutostartEntryPath()) << foreign;
  MainPrefs read = kSample;
  EXPECT_EQ(LoadMainPrefsWithAutostart(path_, read), OpenStatus::Missing);
  EXPECT_EQ(read, kSample);
  EXPECT_EQ(ReadBytes(GetAutostartEntryPath()), foreign);
}

}  // namespace

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/core/Autostart.h"
#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
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

// The nth line feeds the nth field whatever its key. Integers take the leading-decimal rule
// and clamp beyond 32 bits; a flag is on for every integer but 0.
TEST(MainPrefsParse, IntegersAndFlagsFollowTheLeadingDecimalRule) {
  const std::pair<std::string, int32_t> cases[] = {{"abc", 0},
                                                   {"15sec", 15},
                                                   {"", 0},
                                                   {"  42", 42},
                                                   {"\t-7x", -7},
                                                   {"+8", 8},
                                                   {"- 8", 0},
                                                   {"0x1F", 0},
                                                   {"00", 0},
                                                   {"2147483648", INT32_MAX},
                                                   {"-99999999999999999999999", INT32_MIN}};
  for (const auto& [t, value] : cases) {
    std::string text;
    for (const std::string& v :
         std::initializer_list<std::string>{"x", t, "x", "x", t, t, t, t, t, t, t, "pw", t}) {
      text += "k=" + v + "\n";
    }
    const MainPrefs read = Parsed(text);
    for (const int32_t number :
         {read.IdleTime, read.iShowpProgrUsedMoreSec, read.iShowpProgrUsedMorePercent}) {
      EXPECT_EQ(number, value) << t;
    }
    for (const bool flag : {read.LoadOnStartup, read.bPauseTimeTrackingOnUserInActive,
                            read.bPauseTimeTrackingOnScreenSaverActive, read.bEnableFilter,
                            read.bAnimatedIconInSysTray, read.isPass}) {
      EXPECT_EQ(flag, value != 0) << t;
    }
  }
}

// The value follows the first '=' or is the whole line; only the one CR that ends a line
// goes, others belong to the value.
TEST(MainPrefsParse, ValueIsAfterTheFirstEqualsOrTheWholeLine) {
  MainPrefs read = Parsed("no equals here\n\n==\nLanguage=\nx\nx\nx\nx\nx\nx\nx\nPass=a=b\n");
  EXPECT_EQ(read.DbPath, "no equals here");
  EXPECT_EQ(read.LastOpenDbFile, "=");
  EXPECT_EQ(read.Language, "");
  EXPECT_EQ(read.Pass, "a=b");
  read = Parsed("db path=a\rb\r\r\nidle time=1\r");
  EXPECT_EQ(read.DbPath, "a\rb\r");
  EXPECT_EQ(read.IdleTime, 1);
}

// Empty text reads nothing; otherwise every missing line reads as empty, zero or off.
TEST(MainPrefsParse, MissingLinesReadAsEmptyZeroAndOff) {
  EXPECT_EQ(Parsed("", kSample), kSample);
  MainPrefs expected;  // every line after the second missing
  expected.DbPath = "/d/";
  expected.IdleTime = 9;
  expected.Language.clear();
  expected.bPauseTimeTrackingOnUserInActive = expected.bPauseTimeTrackingOnScreenSaverActive =
      expected.bAnimatedIconInSysTray = false;
  expected.iShowpProgrUsedMoreSec = expected.iShowpProgrUsedMorePercent = 0;
  EXPECT_EQ(Parsed("db path=/d/\r\nidle time=9", kSample), expected);
}

TEST(MainPrefsParse, ALongLineIsCutAndTheNextLinesStillRead) {
  const std::string key = "db path=", text = kSampleText;
  MainPrefs expected = kSample;
  expected.DbPath = std::string(1023 - key.size(), 'p');
  EXPECT_EQ(Parsed(key + std::string(3000, 'p') + text.substr(text.find('\r'))), expected);
  // At the limit nothing is lost, with or without the CR.
  for (const std::string end : {"\n", "\r\n"}) {
    const MainPrefs read = Parsed(key + expected.DbPath + end + "idle time=3" + end);
    EXPECT_EQ(read.DbPath, expected.DbPath);
    EXPECT_EQ(read.IdleTime, 3);
  }
}

class MainPrefsFile : public ::testing::Test {
 protected:
  TempDir dir_;
  const std::string path_ = (dir_.Path() / "options" / "mainpref.ini").string();
};

// Writing through a link keeps the link and replaces what it points to.
TEST_F(MainPrefsFile, WriteGivesTheExactBytesOwnerOnlyThroughALink) {
  const fs::path target = dir_.Write("elsewhere/prefs.ini", "old");
  fs::create_directories(dir_.Path() / "options");
  fs::create_symlink(target, path_);
  ASSERT_TRUE(WriteMainPrefs(path_, kSample));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(ReadBytes(target), kSampleText);
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(MainPrefsFile, FailedWritesKeepTheOldFile) {
  dir_.Write("options/mainpref.ini", "old content\n");
  SetWriteFailureAfterBytesForTesting(20);
  EXPECT_FALSE(WriteMainPrefs(path_, kSample));
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(ReadBytes(path_), "old content\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path() / "options"), {}), 1);
  EXPECT_FALSE(WriteMainPrefs((dir_.Path() / "no-folder" / "mainpref.ini").string(), {}));
  EXPECT_FALSE(fs::exists(dir_.Path() / "no-folder"));
}

TEST_F(MainPrefsFile, EmptyDbPathBecomesTheDefaultDataFolder) {
  const std::string data = getenv("XDG_DATA_HOME");
  dir_.Write("options/mainpref.ini", "db path=\r\nidle time=10\r\n");
  MainPrefs read;
  ASSERT_TRUE(ReadMainPrefs(path_, read));
  EXPECT_EQ(read.DbPath, data + "/Kestrel Works/TaskMeter/DB/");
  EXPECT_TRUE(fs::is_directory(data + "/Kestrel Works/TaskMeter/DB"));
  EXPECT_EQ(read.IdleTime, 10);
}

// A file that cannot be opened is in the odd files' tests.
TEST_F(MainPrefsFile, LoadingMakesTheAutostartEntryFollowTheFile) {
  const fs::path entry = GetAutostartEntryPath();
  dir_.Write("options/mainpref.ini", kSampleText);
  MainPrefs read;
  ASSERT_EQ(LoadMainPrefsWithAutostart(path_, read), OpenStatus::Opened);
  EXPECT_NE(ReadBytes(entry).find("Exec=\"" + GetExecutablePath() + "\"\n"), std::string::npos);

  // A missing file changes nothing and leaves the entry alone, even one we did not write.
  fs::remove(path_);
  fs::remove(entry);
  const std::string foreign = "[Desktop Entry]\nExec=\"/elsewhere\"\n";
  std::ofstream(entry) << foreign;
  EXPECT_FALSE(ReadMainPrefs(path_, read));
  EXPECT_EQ(LoadMainPrefsWithAutostart(path_, read), OpenStatus::Missing);
  EXPECT_EQ(read, kSample);
  EXPECT_EQ(ReadBytes(entry), foreign);
}

}  // namespace

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
MainPrefs SampleRecord() {
  MainPrefs p;
  p.DbPath = "/data/logs/";
  p.IdleTime = 45;
  p.LastOpenDbFile = "2026-12-06.log";
  p.Language = "Deutsch";
  p.LoadOnStartup = true;
  p.bPauseTimeTrackingOnUserInActive = false;
  p.bPauseTimeTrackingOnScreenSaverActive = false;
  p.bEnableFilter = true;
  p.iShowpProgrUsedMoreSec = -5;
  p.iShowpProgrUsedMorePercent = 12;
  p.bAnimatedIconInSysTray = false;
  p.Pass = "s3cret";
  p.isPass = true;
  return p;
}

// What a file with every line present but empty reads as.
MainPrefs Empty() {
  MainPrefs p;
  p.Language.clear();
  p.bPauseTimeTrackingOnUserInActive = p.bPauseTimeTrackingOnScreenSaverActive = false;
  p.bAnimatedIconInSysTray = false;
  p.iShowpProgrUsedMoreSec = p.iShowpProgrUsedMorePercent = p.IdleTime = 0;
  return p;
}

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

// LF lines with the given values, each behind a key that means nothing.
std::string Lines(std::initializer_list<std::string> values) {
  std::string text;
  for (const std::string& v : values) text += "k=" + v + "\n";
  return text;
}

class MainPrefsFile : public ::testing::Test {
 protected:
  fs::path Options() const { return dir_.Path() / "options"; }
  std::string PrefsPath() const { return (Options() / "mainpref.ini").string(); }
  fs::path WritePrefs(const std::string& bytes) const {
    return dir_.Write("options/mainpref.ini", bytes);
  }
  TempDir dir_;
};

TEST(MainPrefsText, IsTheThirteenKeyedLinesWithCrLf) {
  EXPECT_EQ(MainPrefsText(SampleRecord()), kSampleText);
  MainPrefs read;
  ParseMainPrefsText(kSampleText, read);
  EXPECT_EQ(read, SampleRecord());
  // The nth line feeds the nth field whatever its key.
  MainPrefs byPosition;
  ParseMainPrefsText(Lines({"/data/logs/", "45", "2026-12-06.log", "Deutsch", "1", "0", "0", "1",
                            "-5", "12", "0", "s3cret", "1"}),
                     byPosition);
  EXPECT_EQ(byPosition, SampleRecord());
}

TEST(MainPrefsText, ALineEndInsideAValueCannotShiftTheLines) {
  MainPrefs p = SampleRecord();
  p.Pass = "first\nisPass=0";
  MainPrefs read;
  ParseMainPrefsText(MainPrefsText(p), read);
  EXPECT_EQ(read.Pass, "first");
  EXPECT_TRUE(read.isPass);
}

// Integers take the leading-decimal rule; a flag is on for every integer but 0.
TEST(MainPrefsParse, IntegersAndFlagsFollowTheLeadingDecimalRule) {
  // Beyond 32 bits clamps, never wraps.
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
  for (const auto& [text, value] : cases) {
    MainPrefs read;
    const std::string& t = text;
    ParseMainPrefsText(Lines({"x", t, "x", "x", t, t, t, t, t, t, t, "pw", t}), read);
    for (const int32_t number :
         {read.IdleTime, read.iShowpProgrUsedMoreSec, read.iShowpProgrUsedMorePercent}) {
      EXPECT_EQ(number, value) << text;
    }
    for (const bool flag : {read.LoadOnStartup, read.bPauseTimeTrackingOnUserInActive,
                            read.bPauseTimeTrackingOnScreenSaverActive, read.bEnableFilter,
                            read.bAnimatedIconInSysTray, read.isPass}) {
      EXPECT_EQ(flag, value != 0) << text;
    }
  }
}

TEST(MainPrefsParse, ValueIsAfterTheFirstEqualsOrTheWholeLine) {
  MainPrefs read;
  ParseMainPrefsText("no equals here\n\n==\nLanguage=\nx\nx\nx\nx\nx\nx\nx\nPass=a=b\n", read);
  EXPECT_EQ(read.DbPath, "no equals here");
  EXPECT_EQ(read.LastOpenDbFile, "=");
  EXPECT_EQ(read.Language, "");
  EXPECT_EQ(read.Pass, "a=b");
}

// Empty text reads nothing; otherwise every missing line reads as empty, zero or off.
TEST(MainPrefsParse, MissingLinesReadAsEmptyZeroAndOff) {
  MainPrefs read = SampleRecord();
  ParseMainPrefsText("", read);
  EXPECT_EQ(read, SampleRecord());
  ParseMainPrefsText("db path=/d/\r\nidle time=9", read);
  MainPrefs expected = Empty();
  expected.DbPath = "/d/";
  expected.IdleTime = 9;
  EXPECT_EQ(read, expected);
}

TEST(MainPrefsParse, LfAndCrLfFilesReadTheSame) {
  std::string lf = kSampleText;
  for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  MainPrefs fromLf;
  ParseMainPrefsText(lf, fromLf);
  EXPECT_EQ(fromLf, SampleRecord());
  // Only the one CR that ends a line goes; others belong to the value.
  MainPrefs read;
  ParseMainPrefsText("db path=a\rb\r\r\nidle time=1\r", read);
  EXPECT_EQ(read.DbPath, "a\rb\r");
  EXPECT_EQ(read.IdleTime, 1);
}

TEST(MainPrefsParse, ALongLineIsCutAndTheNextLinesStillRead) {
  const std::string key = "db path=";
  const std::string longValue(3000, 'p');
  std::string text = key + longValue + "\r\n" +
                     std::string(kSampleText).substr(std::string(kSampleText).find('\n') + 1);
  MainPrefs read;
  ParseMainPrefsText(text, read);
  MainPrefs expected = SampleRecord();
  expected.DbPath = std::string(1023 - key.size(), 'p');
  EXPECT_EQ(read, expected);

  // At the limit nothing is lost, with or without the CR.
  for (const std::string end : {"\n", "\r\n"}) {
    const std::string exact = key + std::string(1023 - key.size(), 'q');
    ParseMainPrefsText(exact + end + "idle time=3" + end, read);
    EXPECT_EQ(read.DbPath, exact.substr(key.size()));
    EXPECT_EQ(read.IdleTime, 3);
  }
}

// Writing through a link keeps the link and replaces what it points to.
TEST_F(MainPrefsFile, WriteGivesTheExactBytesOwnerOnlyThroughALink) {
  const fs::path target = dir_.Write("elsewhere/prefs.ini", "old");
  fs::create_directories(Options());
  fs::create_symlink(target, PrefsPath());
  ASSERT_TRUE(WriteMainPrefs(PrefsPath(), SampleRecord()));
  EXPECT_TRUE(fs::is_symlink(PrefsPath()));
  EXPECT_EQ(ReadBytes(target), kSampleText);
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(MainPrefsFile, FailedWritesKeepTheOldFile) {
  WritePrefs("old content\n");
  SetWriteFailureAfterBytesForTesting(20);
  EXPECT_FALSE(WriteMainPrefs(PrefsPath(), SampleRecord()));
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(ReadBytes(PrefsPath()), "old content\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Options()), {}), 1);
  EXPECT_FALSE(WriteMainPrefs((dir_.Path() / "no-folder" / "mainpref.ini").string(), {}));
  EXPECT_FALSE(fs::exists(dir_.Path() / "no-folder"));
}

// A file that cannot be opened is in the odd files' tests.
TEST_F(MainPrefsFile, MissingFileChangesNothing) {
  MainPrefs read = SampleRecord();
  EXPECT_FALSE(ReadMainPrefs(PrefsPath(), read));
  EXPECT_EQ(read, SampleRecord());
}

TEST_F(MainPrefsFile, EmptyDbPathBecomesTheDefaultDataFolder) {
  const std::string data = getenv("XDG_DATA_HOME");
  WritePrefs("db path=\r\nidle time=10\r\n");
  MainPrefs read;
  ASSERT_TRUE(ReadMainPrefs(PrefsPath(), read));
  EXPECT_EQ(read.DbPath, data + "/Kestrel Works/TaskMeter/DB/");
  EXPECT_TRUE(fs::is_directory(data + "/Kestrel Works/TaskMeter/DB"));
  EXPECT_EQ(read.IdleTime, 10);
}

TEST_F(MainPrefsFile, LoadingMakesTheAutostartEntryFollowTheFile) {
  const fs::path entry = GetAutostartEntryPath();
  WritePrefs(kSampleText);
  MainPrefs read;
  ASSERT_EQ(LoadMainPrefsWithAutostart(PrefsPath(), read), OpenStatus::Opened);
  EXPECT_NE(ReadBytes(entry).find("Exec=\"" + GetExecutablePath() + "\"\n"), std::string::npos);

  // A file that cannot be read leaves the entry alone, even one we did not write.
  fs::remove(PrefsPath());
  fs::remove(entry);
  const std::string foreign = "[Desktop Entry]\nExec=\"/elsewhere\"\n";
  std::ofstream(entry) << foreign;
  EXPECT_EQ(LoadMainPrefsWithAutostart(PrefsPath(), read), OpenStatus::Missing);
  EXPECT_EQ(ReadBytes(entry), foreign);
}

}  // namespace

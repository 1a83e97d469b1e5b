#include <gtest/gtest.h>
#include <sys/stat.h>

#include "AccountingTestSupport.h"
#include "accounting/LogReader.h"
#include "support/TempDir.h"

namespace {

// Blocks copied out of the bytes, so the bytes may go away.
struct Block {
  std::string StartTime, EndTime, DisplayName, WindowTitle, AppName, AppPath;
};

std::vector<Block> Blocks(const std::string& bytes) {
  std::vector<Block> blocks;
  const size_t count = ReadLogBlocks(bytes, [&](const LogBlockLines& b) {
    blocks.push_back({std::string(b.StartTime), std::string(b.EndTime), std::string(b.DisplayName),
                      std::string(b.WindowTitle), std::string(b.AppName), std::string(b.AppPath)});
  });
  EXPECT_EQ(count, blocks.size());
  return blocks;
}

std::vector<ActivityRecord> Records(const std::vector<std::string>& files) {
  ActivityLog log;
  for (const std::string& bytes : files) log.AddFile(bytes);
  return log.CopyRecords();
}

const std::string kBlock1 =
    LogBlockText({"07 29 09 00 00", "07 29 09 00 00", "Text Editor", "notes.txt - Text Editor",
                  "editor.exe", "C:\\Apps\\editor.exe"});
const std::string kBlock2 = LogBlockText({"07 29 09 00 00", "07 29 09 30 00", "Web Browser",
                                          "Start page", "browser.exe", "C:\\Apps\\browser.exe"});
const std::string kBlock3 =
    LogBlockText({"07 29 09 30 00", "07 29 09 45 00", "Text Editor", "notes.txt - Text Editor",
                  "editor.exe", "C:\\Apps\\editor.exe"});

TEST(LogReader, BlockFraming) {
  const std::string six = "a\nb\nc\nd\ne\nf\n";
  const struct {
    const char* name;
    std::string bytes;
    size_t blocks;
  } cases[] = {
      {"three blocks", kBlock1 + kBlock2 + kBlock3, 3},
      {"empty file", "", 0},
      {"CR LF line ends", LogBlockText({"s", "e", "d", "t", "a", "p"}, "\r\n"), 1},
      {"terminator without line end", six + "~~~", 1},
      {"two tildes drop the block", six + "~~\n" + kBlock2, 1},
      {"terminator with a trailing blank", six + "~~~ \n", 0},
      {"cut off by the end", kBlock1 + six, 1},
      {"cut off before its terminator line ends", kBlock1 + six + "~~", 1},
      {"surplus line misaligns the rest", "x\n" + kBlock1 + kBlock2, 0},
      {"realigned after seven surplus lines", six + "x\n" + kBlock1, 1},
      {"empty lines are fields", "\n\n\n\n\n\n~~~\n", 1},
      {"lone CR stays in the line", "a\rb\nb\nc\nd\ne\nf\n~~~\r\n", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Blocks(c.bytes).size(), c.blocks) << c.name;
}

TEST(LogReader, FieldsAndLineLimits) {
  const std::string longTitle(3000, 'T');
  const std::string exact(kLogLineLimit, 'E');
  const auto blocks = Blocks(
      LogBlockText({"07 29 09 00 00", "07 29 09 30 00", "", longTitle, exact, "a\rb"}, "\r\n") +
      LogBlockText({"s", "e", std::string("nul\0byte", 8), "", "", ""}));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].StartTime, "07 29 09 00 00");
  EXPECT_EQ(blocks[0].EndTime, "07 29 09 30 00");
  EXPECT_EQ(blocks[0].DisplayName, "");
  EXPECT_EQ(blocks[0].WindowTitle, std::string(kLogLineLimit, 'T'));  // the rest is skipped
  EXPECT_EQ(blocks[0].AppName, exact);  // its CR before LF is not part of it
  EXPECT_EQ(blocks[0].AppPath, "a\rb");
  EXPECT_EQ(blocks[1].DisplayName, std::string("nul\0byte", 8));
}

TEST(LogReader, PairingTakesTheTimesOfTheNextBlock) {
  const std::vector<ActivityRecord> records = Records({kBlock1 + kBlock2 + kBlock3});
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0],
            (ActivityRecord{"Text Editor", "editor.exe", "notes.txt - Text Editor",
                            "C:\\Apps\\editor.exe", "07 29 09 00 00", "07 29 09 30 00"}));
  EXPECT_EQ(records[1],
            (ActivityRecord{"Web Browser", "browser.exe", "Start page", "C:\\Apps\\browser.exe",
                            "07 29 09 30 00", "07 29 09 45 00"}));
  EXPECT_TRUE(Records({kBlock1}).empty());
  EXPECT_EQ(Records({kBlock1 + kBlock2}).size(), 1u);
  // Pairing runs across files, also across one without blocks.
  EXPECT_EQ(Records({kBlock1, "", kBlock2, kBlock3}), records);
}

// Day number of a date by the C library's UTC conversion.
int64_t UtcDay(int year, int month, int day) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  return static_cast<int64_t>(timegm(&fields)) / 86400;
}

TEST(LogReader, NameDates) {
  TimeZoneGuard zone("Europe/Berlin");
  EXPECT_EQ(LogNameDay("2026_07_29_extra.log"), UtcDay(2026, 7, 29));
  EXPECT_EQ(LogNameDay("2026-13-01.log"), UtcDay(2027, 1, 1));
  EXPECT_EQ(LogNameDay("2026-00-00.log"), UtcDay(2025, 11, 30));
  EXPECT_EQ(LogNameDay("1969-12-31.log"), INT64_MIN);
  EXPECT_EQ(LogNameDay("notes.log"), INT64_MIN);
  EXPECT_EQ(LogNameDay("2026"), UtcDay(2025, 11, 30));
}

TEST(LogReader, SelectionByCreationTimeAndOrderByNameDate) {
  const int64_t cutoff = 1'000'000'000;
  std::vector<LogFileEntry> found = {
      {"/d/2026-07-29.log", "2026-07-29.log", cutoff},
      {"/d/2026-07-28.log", "2026-07-28.log", cutoff + 5},
      {"/d/2020-01-01.log", "2020-01-01.log", cutoff - 1},  // 31 days and a second old
      {"/d/2026-07-28-b.log", "2026-07-28-b.log", cutoff},
      {"/d/2026-07-28-B.log", "2026-07-28-B.log", cutoff},
      {"/d/notes.log", "notes.log", cutoff},
      {"/d/2026-13-01.log", "2026-13-01.log", cutoff},
  };
  std::vector<std::string> order;
  for (const LogFileEntry& f : SelectLogFiles(found, cutoff)) order.push_back(f.FileName);
  const std::vector<std::string> expected = {"notes.log",        "2026-07-28-B.log",
                                             "2026-07-28-b.log", "2026-07-28.log",
                                             "2026-07-29.log",   "2026-13-01.log"};
  EXPECT_EQ(order, expected);
}

TEST(LogReader, FilesAreReadInOrderAndPairedAcrossThem) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir.Path() / "fifo.log").c_str(), 0600), 0);
  const std::string day28 = kBlock1 + kBlock2;
  const std::string day29 = kBlock3;
  std::vector<LogFileEntry> files = {
      {dir.Write("2026-07-28.log", day28).string(), "2026-07-28.log", 0},
      {(dir.Path() / "missing.log").string(), "missing.log", 0},
      {(dir.Path() / "fifo.log").string(), "fifo.log", 0},  // skipped, never waited on
      {dir.Write("2026-07-29.log", day29).string(), "2026-07-29.log", 0},
  };
  const std::vector<ActivityRecord> records = ReadActivityLog(files).CopyRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].AppName, "browser.exe");       // last block of the 28th ...
  EXPECT_EQ(records[1].StartTime, "07 29 09 30 00");  // ... timed by the first of the 29th
}

}  // namespace

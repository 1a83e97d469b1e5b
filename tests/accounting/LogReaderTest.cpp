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

// Block k is timed from 09:0k and names application k.
std::string BlockOf(int k) {
  const std::string at = "07 29 09 0" + std::to_string(k) + " 00";
  return LogBlockText({at, at, "D", "T", "app" + std::to_string(k), "/p"});
}
const std::string kBlock1 = BlockOf(1), kBlock2 = BlockOf(2), kBlock3 = BlockOf(3);

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

TEST(LogReader, FilesAreReadInOrderAndPairedAcrossThem) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir.Path() / "fifo.log").c_str(), 0600), 0);
  auto entry = [&](const std::string& name) {
    return LogFileEntry{(dir.Path() / name).string(), name, 0};
  };
  dir.Write("2026-07-28.log", kBlock1 + kBlock2);
  dir.Write("2026-07-29.log", kBlock3);
  // A missing file and a fifo are skipped, the fifo never waited on.
  const std::vector<ActivityRecord> records =
      ReadActivityLog({entry("2026-07-28.log"), entry("missing.log"), entry("fifo.log"),
                       entry("2026-07-29.log")})
          .CopyRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].AppName, "app2");              // last block of the 28th ...
  EXPECT_EQ(records[1].StartTime, "07 29 09 03 00");  // ... timed by the first of the 29th
}

// Files older than the cutoff go; the rest are read by the dates in their names, names
// without a date first, equal dates by name.
TEST(LogReader, SelectionByCreationTimeAndOrderByNameDate) {
  const int64_t cutoff = 1'000'000'000;
  std::vector<LogFileEntry> found;
  for (const auto& [name, created] : {std::pair{"2026-07-29.log", cutoff},
                                      {"2026-07-28.log", cutoff + 5},
                                      {"2020-01-01.log", cutoff - 1},
                                      {"2026-07-28-b.log", cutoff},
                                      {"2026-07-28-B.log", cutoff},
                                      {"notes.log", cutoff},
                                      {"2026-13-01.log", cutoff}})
    found.push_back({std::string("/d/") + name, name, created});
  std::vector<std::string> order;
  for (const LogFileEntry& f : SelectLogFiles(found, cutoff)) order.push_back(f.FileName);
  EXPECT_EQ(order,
            (std::vector<std::string>{"notes.log", "2026-07-28-B.log", "2026-07-28-b.log",
                                      "2026-07-28.log", "2026-07-29.log", "2026-13-01.log"}));
}

}  // namespace

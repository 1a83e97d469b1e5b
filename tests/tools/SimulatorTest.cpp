#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "LogSums.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"
#include "tools/common/ActivitySimulator.h"
#include "tools/common/LocalTime.h"
#include "tools/common/SimulateTool.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

const char* kNow = "2026-03-18 15:20:00";  // a Wednesday afternoon

SimulationSettings Settings(uint64_t seed, int days = 10, int switches = 120) {
  SimulationSettings s;
  s.seed = seed;
  s.days = days;
  s.switchesPerDay = switches;
  s.now = *ParseDateTime(kNow);
  return s;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

ToolRun Simulate(const std::vector<std::string>& args) { return RunTool(RunSimulateTool, args); }

std::map<std::string, std::string> FolderBytes(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  }
  return files;
}

// The days are the last ones up to now, and each block closes the interval of the
// application before it: a finished day's intervals follow each other without gaps
// within working hours, the first one is empty, the last one hands over to "Stop", and
// the application changes at every block.
TEST(Simulator, DaysEndAtNowAndTheirBlocksChain) {
  const int64_t now = *ParseDateTime(kNow);
  const auto days = ActivitySimulator(Settings(5, 10, 300)).Run();
  ASSERT_GE(days.size(), 6u);  // at least the weekdays
  std::set<std::string> names;
  int idle = 0;
  for (const DayLog& day : days) {
    names.insert(day.fileName);
    const std::vector<LogBlock>& blocks = day.blocks;
    ASSERT_GE(blocks.size(), 3u);
    for (const LogBlock& block : blocks) {
      EXPECT_LE(block.end, now);
      EXPECT_EQ(FormatDate(SecondsToLocal(block.start)) + ".log", day.fileName);
    }
    // Today is cut at now: the day is not over, so it does not end with "Stop" yet.
    EXPECT_EQ(blocks.back().displayName == "Stop", &day != &days.back()) << day.fileName;
    if (&day == &days.back()) continue;
    EXPECT_EQ(blocks.front().start, blocks.front().end);
    for (size_t k = 1; k < blocks.size(); ++k) {
      SCOPED_TRACE(day.fileName + " block " + std::to_string(k));
      EXPECT_LT(blocks[k].start, blocks[k].end);
      EXPECT_EQ(blocks[k].start, blocks[k - 1].end);
      EXPECT_NE(blocks[k].appName, blocks[k - 1].appName);
      if (blocks[k].displayName == "Idle") {
        ++idle;
        EXPECT_TRUE(blocks[k].appPath.empty());
      }
      const int hour = SecondsToLocal(blocks[k].end).hour;
      EXPECT_TRUE(hour >= 8 && hour <= 18) << hour;
    }
  }
  EXPECT_GT(idle, 0);
  EXPECT_GE(*names.begin(), "2026-03-09.log");
  EXPECT_EQ(*names.rbegin(), "2026-03-18.log");
  for (const char* weekday : {"2026-03-09.log", "2026-03-13.log", "2026-03-16.log"}) {
    EXPECT_TRUE(names.count(weekday)) << weekday;
  }
}

TEST(Simulator, SwitchesPerDayDecidesTheBlockCountOfAWorkingDay) {
  for (int switches : {3, 400, 3300}) {
    const auto days = ActivitySimulator(Settings(9, 3, switches)).Run();
    ASSERT_EQ(days.at(1).fileName, "2026-03-17.log");  // a Tuesday: a full working day
    const double count = static_cast<double>(days[1].blocks.size());
    EXPECT_GE(count, switches * 0.85) << switches;
    EXPECT_LE(count, switches * 1.15 + 3) << switches;
  }
}

TEST(Simulator, FilesHoldValidSevenLineBlocks) {
  TempDir dir;
  const std::string data = (dir.Path() / "data").string();
  ASSERT_EQ(Simulate({"--data", data, "--days", "5", "--now", kNow, "--seed", "21"}).status, 0);
  const std::regex timestamp(
      "(0[1-9]|1[0-2]) (0[1-9]|[12][0-9]|3[01]) ([01][0-9]|2[0-3]) [0-5][0-9] [0-5][0-9]");
  const std::regex fileName("2026-03-1[4-8]\\.log");
  size_t files = 0;
  for (const auto& [name, bytes] : FolderBytes(data)) {
    ++files;
    EXPECT_TRUE(std::regex_match(name, fileName)) << name;
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    const std::vector<std::string> lines = Lines(bytes);
    ASSERT_EQ(lines.size() % 7, 0u) << name;
    for (size_t i = 0; i < lines.size(); i += 7) {
      EXPECT_TRUE(std::regex_match(lines[i], timestamp)) << name << ": " << lines[i];
      EXPECT_TRUE(std::regex_match(lines[i + 1], timestamp)) << name << ": " << lines[i + 1];
      EXPECT_EQ(lines[i].substr(0, 5), name.substr(5, 2) + " " + name.substr(8, 2));
      EXPECT_LE(lines[i], lines[i + 1]);
      EXPECT_FALSE(lines[i + 2].empty());
      EXPECT_FALSE(lines[i + 4].empty());
      EXPECT_EQ(lines[i + 6], "~~~");
      for (int k = 0; k < 7; ++k) EXPECT_LE(lines[i + k].size(), 1025u);
    }
  }
  EXPECT_GE(files, 3u);  // the weekend may be quiet
  // A file's time is the end of its last block, as if the host had just written it.
  for (const DayLog& day : ActivitySimulator(Settings(21, 5)).Run()) {
    struct stat st {};
    ASSERT_EQ(::stat((fs::path(data) / day.fileName).c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, day.blocks.back().end) << day.fileName;
  }
}

TEST(Simulator, SameSeedGivesTheSameFilesAndOtherSeedsDiffer) {
  TempDir dir;
  const std::string a = (dir.Path() / "a").string();
  const std::string b = (dir.Path() / "b").string();
  ASSERT_EQ(Simulate({"--data", a, "--now", kNow, "--seed", "99"}).status, 0);
  ASSERT_EQ(Simulate({"--data=" + b, "--now=" + std::string(kNow), "--seed=99"}).status, 0);
  const auto filesA = FolderBytes(a);
  EXPECT_GE(filesA.size(), 9u);  // 14 days, weekends may be quiet
  EXPECT_EQ(filesA, FolderBytes(b));
  const std::string c = (dir.Path() / "c").string();
  ASSERT_EQ(Simulate({"--data", c, "--now", kNow, "--seed", "98"}).status, 0);
  EXPECT_NE(filesA, FolderBytes(c));
}

TEST(Simulator, ExistingFilesAreNeverReplacedWithoutOverwrite) {
  TempDir dir;
  const fs::path data = dir.Path() / "data";
  dir.Write("data/2026-03-18.log", "real log\n");
  const ToolRun run = Simulate({"--data", data.string(), "--days", "3", "--now", kNow});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("2026-03-18.log exists"), std::string::npos) << run.err;
  EXPECT_EQ(FolderBytes(data).size(), 1u);  // nothing else written either
  EXPECT_EQ(ReadBytes(data / "2026-03-18.log"), "real log\n");

  EXPECT_EQ(Simulate({"--data", data.string(), "--days", "3", "--now", kNow, "--overwrite"}).status,
            0);
  EXPECT_NE(ReadBytes(data / "2026-03-18.log"), "real log\n");
}

TEST(Simulator, SampleHomeHasOptionsThatPointAtItsLogs) {
  TempDir dir;
  const fs::path home = dir.Path() / "home";
  const ToolRun run = Simulate({"--sample-home", home.string(), "--now", kNow});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string prefs = ReadBytes(home / "options/mainpref.ini");
  EXPECT_EQ(prefs.substr(0, prefs.find("\r\n")), "db path=" + (home / "data").string() + "/");
  EXPECT_EQ(Lines(prefs).size(), 13u);
  EXPECT_GE(FolderBytes(home / "data").size(), 9u);
  const std::string xml = ReadBytes(home / "options/viewopt.xml");
  EXPECT_EQ(xml.find('\n'), xml.find("\r\n") + 1);
  // The tree reads back with title filters; its groups are checked by the report tool's tests.
  GroupMap tree;
  ASSERT_EQ(ViewOptionsFile((home / "options/viewopt.xml").string()).Load(tree),
            TreeFileStatus::Read);
  const AppList* apollo = FindGroupList(tree, {"Work", "Project Apollo"});
  ASSERT_NE(apollo, nullptr);
  EXPECT_EQ(apollo->at(0).TitleFilter, "apollo");
  EXPECT_TRUE(apollo->at(0).isCheckTitleFilter);
  GroupMap catalogue;
  ASSERT_EQ(LoadPredefinedGroups((home / "options/predefgroups.xml").string(), catalogue),
            TreeFileStatus::Read);
  EXPECT_EQ(catalogue.size(), 4u);
  EXPECT_NE(FindGroupList(catalogue, {"Development", "Review"}), nullptr);
  // A second run keeps the home as it is, and so does one whose logs are new but whose
  // options exist already.
  EXPECT_EQ(Simulate({"--sample-home", home.string(), "--now", kNow}).status, 1);
  const fs::path data2 = dir.Path() / "data2";
  const ToolRun again =
      Simulate({"--sample-home", home.string(), "--data", data2.string(), "--now", kNow});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("mainpref.ini exists"), std::string::npos) << again.err;
  EXPECT_TRUE(fs::is_empty(data2));
}

// What the option parser itself refuses is tested with it; these are the tool's own checks.
TEST(SimulateTool, BadOptionsPrintUsageAndExitTwoButHelpDoesNot) {
  const std::vector<std::vector<std::string>> cases = {
      {},  // no folder
      {"--data", "x", "--days", "0"},
      {"--data", "x", "--days", "3661"},
      {"--data", "x", "--switches-per-day", "2"},
      {"--data", "x", "--seed", "-1"},
      {"--data", "x", "--now", "2026-02-30 10:00:00"},
      {"--data", "x", "--days", "3660", "--switches-per-day", "100000"},  // terabytes
      {"--data", "x", "--bogus"},
  };
  for (const auto& args : cases) {
    const ToolRun run = Simulate(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "(none)" : args.back());
    EXPECT_NE(run.err.find("Usage: taskmeter-simulate"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_FALSE(fs::exists("x"));
  const ToolRun help = Simulate({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--switches-per-day"), std::string::npos);
  EXPECT_TRUE(help.err.empty());
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/toolkit/ActivitySimulator.h"
#include "host/toolkit/LocalTime.h"
#include "host/toolkit/SampleHome.h"
#include "host/toolkit/SimulateTool.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"
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

struct ToolRun {
  int status = 0;
  std::string out, err;
};

ToolRun Simulate(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  ToolRun run;
  run.status = RunSimulateTool(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::map<std::string, std::string> FolderBytes(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  }
  return files;
}

TEST(Simulator, SameSeedGivesSameDaysAndOtherSeedsDiffer) {
  const auto a = ActivitySimulator(Settings(7)).Run();
  const auto b = ActivitySimulator(Settings(7)).Run();
  const auto c = ActivitySimulator(Settings(8)).Run();
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].fileName, b[i].fileName);
    EXPECT_EQ(a[i].blocks, b[i].blocks);
  }
  EXPECT_NE(FormatLogBlocks(a.back().blocks), FormatLogBlocks(c.back().blocks));
}

TEST(Simulator, ADayDoesNotDependOnHowManyDaysAreWritten) {
  const auto shortRun = ActivitySimulator(Settings(3, 2)).Run();
  const auto longRun = ActivitySimulator(Settings(3, 9)).Run();
  ASSERT_FALSE(shortRun.empty());
  EXPECT_EQ(shortRun.back().blocks, longRun.back().blocks);
}

TEST(Simulator, DaysAreTheLastOnesUpToNowAndNothingLiesAhead) {
  const int64_t now = *ParseDateTime(kNow);
  const auto days = ActivitySimulator(Settings(11, 10)).Run();
  ASSERT_GE(days.size(), 6u);  // at least the weekdays
  std::set<std::string> names;
  for (const DayLog& day : days) {
    names.insert(day.fileName);
    EXPECT_GE(day.fileName, "2026-03-09.log");
    EXPECT_LE(day.fileName, "2026-03-18.log");
    for (const LogBlock& block : day.blocks) {
      EXPECT_LE(block.end, now);
      EXPECT_EQ(FormatDate(SecondsToLocal(block.start)) + ".log", day.fileName);
    }
  }
  for (const char* weekday :
       {"2026-03-09.log", "2026-03-13.log", "2026-03-16.log", "2026-03-18.log"}) {
    EXPECT_TRUE(names.count(weekday)) << weekday;
  }
  EXPECT_EQ(days.back().fileName, "2026-03-18.log");
  // Today is cut at now: the day is not over, so it does not end with "Stop" yet.
  EXPECT_NE(days.back().blocks.back().displayName, "Stop");
}

// Each block closes the interval of the application before it: the intervals of a
// day follow each other without gaps, the first one is empty, the last one hands over
// to "Stop", and the application changes at every block.
TEST(Simulator, BlocksChainSoThatPairingCreditsTheRightApplication) {
  SimulationSettings settings = Settings(5, 7, 300);
  const auto days = ActivitySimulator(settings).Run();
  int idle = 0;
  for (size_t d = 0; d + 1 < days.size(); ++d) {
    const std::vector<LogBlock>& blocks = days[d].blocks;
    ASSERT_GE(blocks.size(), 3u);
    EXPECT_EQ(blocks.front().start, blocks.front().end);
    EXPECT_EQ(blocks.back().displayName, "Stop");
    for (size_t k = 1; k < blocks.size(); ++k) {
      EXPECT_LT(blocks[k].start, blocks[k].end) << days[d].fileName << " block " << k;
      EXPECT_EQ(blocks[k].start, blocks[k - 1].end) << days[d].fileName << " block " << k;
      EXPECT_NE(blocks[k].appName, blocks[k - 1].appName) << days[d].fileName << " block " << k;
      if (blocks[k].displayName == "Idle") {
        ++idle;
        EXPECT_TRUE(blocks[k].appPath.empty());
      }
      const int hour = SecondsToLocal(blocks[k].end).hour;
      EXPECT_GE(hour, 8);
      EXPECT_LE(hour, 18);
    }
  }
  EXPECT_GT(idle, 0);
}

TEST(Simulator, SwitchesPerDayDecidesTheBlockCountOfAWorkingDay) {
  for (int switches : {3, 50, 400, 3300}) {
    const auto days = ActivitySimulator(Settings(9, 3, switches)).Run();
    // 2026-03-17 is a Tuesday: a full working day.
    const DayLog* tuesday = nullptr;
    for (const DayLog& day : days) {
      if (day.fileName == "2026-03-17.log") tuesday = &day;
    }
    ASSERT_NE(tuesday, nullptr);
    const double count = static_cast<double>(tuesday->blocks.size());
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
}

TEST(Simulator, FileTimesAreTheLastBlocks) {
  TempDir dir;
  const std::string data = (dir.Path() / "data").string();
  ASSERT_EQ(Simulate({"--data", data, "--days", "3", "--now", kNow}).status, 0);
  const auto days = ActivitySimulator(Settings(1, 3)).Run();
  ASSERT_FALSE(days.empty());
  for (const DayLog& day : days) {
    struct stat st {};
    ASSERT_EQ(::stat((fs::path(data) / day.fileName).c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, day.blocks.back().end) << day.fileName;
  }
}

TEST(Simulator, ToolOutputIsTheSameForTheSameSeed) {
  TempDir dir;
  const std::string a = (dir.Path() / "a").string();
  const std::string b = (dir.Path() / "b").string();
  ASSERT_EQ(Simulate({"--data", a, "--now", kNow, "--seed", "99"}).status, 0);
  ASSERT_EQ(Simulate({"--data=" + b, "--now=" + std::string(kNow), "--seed=99"}).status, 0);
  const auto filesA = FolderBytes(a);
  EXPECT_GE(filesA.size(), 9u);  // 14 days, weekends may be quiet
  EXPECT_EQ(filesA, FolderBytes(b));
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
  EXPECT_EQ(ReadBytes(home / "options/viewopt.xml"), SampleViewOptionsText());
  EXPECT_EQ(ReadBytes(home / "options/predefgroups.xml"), SamplePredefinedGroupsText());
  const std::string prefs = ReadBytes(home / "options/mainpref.ini");
  EXPECT_EQ(prefs.substr(0, prefs.find("\r\n")), "db path=" + (home / "data").string() + "/");
  EXPECT_EQ(Lines(prefs).size(), 13u);
  EXPECT_GE(FolderBytes(home / "data").size(), 9u);
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

TEST(Simulator, SampleTreeUsesTitleFiltersAndSubGroups) {
  const std::string xml = SampleViewOptionsText();
  for (const char* part :
       {"<Name>Project Apollo</Name>", "<Name>Project Zephyr</Name>", "<Name>Breaks</Name>",
        "<Name>Communication</Name>", "<isCheckTitleFilter>1</isCheckTitleFilter>",
        "<TitleFilter>zephyr</TitleFilter>", "<Options>\r\n<Group>\r\n<Name>Project Apollo"}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(xml.find('\n'), xml.find("\r\n") + 1);
}

TEST(Simulator, SampleOptionsReadBackAsTheIntendedTrees) {
  TempDir dir;
  const fs::path viewopt = dir.Write("viewopt.xml", SampleViewOptionsText());
  GroupMap tree;
  ASSERT_EQ(ViewOptionsFile(viewopt.string()).Load(tree), TreeFileStatus::Read);
  std::vector<std::string> top;
  for (const auto& [name, list] : tree) top.push_back(name);
  EXPECT_EQ(top, (std::vector<std::string>{"Breaks", "Communication", "Work"}));
  const AppList* apollo = FindGroupList(tree, {"Work", "Project Apollo"});
  ASSERT_NE(apollo, nullptr);
  ASSERT_EQ(apollo->size(), 4u);
  EXPECT_EQ((*apollo)[0].ShowAs, "Apollo code");
  EXPECT_EQ((*apollo)[0].Name, "editor");
  EXPECT_EQ((*apollo)[0].TitleFilter, "apollo");
  EXPECT_TRUE((*apollo)[0].isCheckTitleFilter);
  EXPECT_NE(FindGroupList(tree, {"Work", "Project Zephyr"}), nullptr);
  EXPECT_EQ(tree.at("Breaks").front().Name, "Idle");

  const fs::path catalogueFile = dir.Write("predefgroups.xml", SamplePredefinedGroupsText());
  GroupMap catalogue;
  ASSERT_EQ(LoadPredefinedGroups(catalogueFile.string(), catalogue), TreeFileStatus::Read);
  EXPECT_EQ(catalogue.size(), 4u);
  EXPECT_NE(FindGroupList(catalogue, {"Development", "Review"}), nullptr);
  EXPECT_NE(FindGroupList(catalogue, {"Office", "Spreadsheets"}), nullptr);
  EXPECT_TRUE(FindSubGroups(catalogue, std::string("Leisure")) == nullptr);
}

TEST(SimulateTool, BadOptionsPrintUsageAndExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {},  // no folder
      {"--data"},
      {"--data", "x", "--days", "0"},
      {"--data", "x", "--days", "ten"},
      {"--data", "x", "--days", "3661"},
      {"--data", "x", "--switches-per-day", "2"},
      {"--data", "x", "--seed", "-1"},
      {"--data", "x", "--now", "2026-02-30 10:00:00"},
      {"--data", "x", "--now", "yesterday"},
      {"--data", "x", "extra"},
      {"--data", "x", "--data", "y"},
      {"--data", "x", "--days", "3660", "--switches-per-day", "100000"},  // terabytes
  };
  for (const auto& args : cases) {
    const ToolRun run = Simulate(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_NE(run.err.find("Usage: taskmeter-simulate"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_FALSE(fs::exists("x"));
}

TEST(SimulateTool, HelpGoesToStandardOutput) {
  const ToolRun run = Simulate({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--switches-per-day"), std::string::npos);
  EXPECT_TRUE(run.err.empty());
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "LogSums.h"
#include "accounting/LogFormat.h"
#include "framework/core/CivilTime.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"
#include "tools/common/ActivitySimulator.h"
#include "tools/common/SimulateTool.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

const char* kNow = "2026-03-18 15:20:00";  // a Wednesday afternoon

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

// The days are the last ones up to now, in files of valid seven-line blocks, each block
// closing the interval of the application before it: a finished day's intervals follow
// each other without gaps within working hours, the first one is empty, the last one
// hands over to "Stop", and the application changes at every block. A file's time is
// the end of its last block, as if the host had just written it.
TEST(Simulator, DaysEndAtNowInFilesOfChainedBlocks) {
  TempDir dir;
  const fs::path data = dir.Path() / "data";
  ASSERT_EQ(Simulate({"--data", data.string(), "--days", "10", "--now", kNow, "--seed", "5",
                      "--switches-per-day", "300"})
                .status,
            0);
  const std::regex timestamp(
      "(0[1-9]|1[0-2]) (0[1-9]|[12][0-9]|3[01]) ([01][0-9]|2[0-3]) [0-5][0-9] [0-5][0-9]");
  const auto files = FolderBytes(data);
  ASSERT_GE(files.size(), 6u);  // at least the weekdays
  EXPECT_EQ(files.begin()->first, "2026-03-09.log");
  for (const char* day : {"13", "16", "18"})
    EXPECT_EQ(files.count("2026-03-" + std::string(day) + ".log"), 1u);
  int idle = 0;
  for (const auto& [name, bytes] : files) {
    EXPECT_TRUE(std::regex_match(name, std::regex("2026-03-(09|1[0-8])\\.log"))) << name;
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    const std::vector<std::string> lines = Lines(bytes);
    const bool today = name == "2026-03-18.log";
    ASSERT_EQ(lines.size() % 7, 0u) << name;
    ASSERT_GE(lines.size(), 21u) << name;
    for (size_t i = 0; i < lines.size(); i += 7) {
      SCOPED_TRACE(name + " line " + std::to_string(i));
      for (int k : {0, 1}) EXPECT_TRUE(std::regex_match(lines[i + k], timestamp)) << lines[i + k];
      EXPECT_EQ(lines[i].substr(0, 5), name.substr(5, 2) + " " + name.substr(8, 2));
      EXPECT_FALSE(lines[i + 2].empty() || lines[i + 4].empty());
      EXPECT_EQ(lines[i + 6], "~~~");
      for (int k = 0; k < 7; ++k) EXPECT_LE(lines[i + k].size(), kLogLineLimit);
      if (today) continue;
      if (i == 0) {
        EXPECT_EQ(lines[0], lines[1]);
        continue;
      }
      EXPECT_LT(lines[i], lines[i + 1]);
      EXPECT_EQ(lines[i], lines[i - 6]);
      EXPECT_NE(lines[i + 4], lines[i - 3]);
      if (lines[i + 2] == "Idle") {
        ++idle;
        EXPECT_EQ(lines[i + 5], "");
      }
      EXPECT_TRUE(lines[i + 1].substr(6, 2) >= "08" && lines[i + 1].substr(6, 2) <= "18");
    }
    // Today is cut at now: the day is not over, so it does not end with "Stop" yet.
    EXPECT_EQ(lines[lines.size() - 5] == "Stop", !today) << name;
    EXPECT_LE(lines[lines.size() - 6], "03 18 15 20 00");
    struct stat st {};
    ASSERT_EQ(::stat((data / name).c_str(), &st), 0);
    EXPECT_EQ(LogTimestamp(st.st_mtime, false), lines[lines.size() - 6]) << name;
  }
  EXPECT_GT(idle, 0);
}

TEST(Simulator, SwitchesPerDayDecidesTheBlockCountOfAWorkingDay) {
  for (int switches : {3, 400, 3300}) {
    SimulationSettings s;
    s.seed = 9;
    s.days = 3;
    s.switchesPerDay = switches;
    s.now = *ParseDateTime(kNow);
    const auto days = ActivitySimulator(s).Run();
    ASSERT_EQ(days.at(1).fileName, "2026-03-17.log");  // a Tuesday: a full working day
    const double count = static_cast<double>(days[1].blocks.size());
    EXPECT_GE(count, switches * 0.85) << switches;
    EXPECT_LE(count, switches * 1.15 + 3) << switches;
  }
}

// The same seed gives the same files; files already there are kept unless told.
TEST(Simulator, SameSeedGivesTheSameFilesWhichReplaceNothingWithoutOverwrite) {
  TempDir dir;
  const std::string a = (dir.Path() / "a").string(), b = (dir.Path() / "b").string();
  ASSERT_EQ(Simulate({"--data", a, "--now", kNow, "--seed", "99"}).status, 0);
  ASSERT_EQ(Simulate({"--data=" + b, "--now=" + std::string(kNow), "--seed=99"}).status, 0);
  EXPECT_GE(FolderBytes(a).size(), 9u);  // 14 days, weekends may be quiet
  EXPECT_EQ(FolderBytes(a), FolderBytes(b));
  const fs::path c = dir.Write("c/2026-03-18.log", "real log\n").parent_path();
  const ToolRun run = Simulate({"--data", c.string(), "--now", kNow, "--seed", "98"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("2026-03-18.log exists"), std::string::npos) << run.err;
  EXPECT_EQ(FolderBytes(c), (std::map<std::string, std::string>{{"2026-03-18.log", "real log\n"}}));
  ASSERT_EQ(Simulate({"--data", c.string(), "--now", kNow, "--seed", "98", "--overwrite"}).status,
            0);
  EXPECT_NE(FolderBytes(a), FolderBytes(c));
}

TEST(Simulator, SampleHomeHasOptionsThatPointAtItsLogs) {
  TempDir dir;
  const fs::path home = dir.Path() / "home";
  const ToolRun run = Simulate({"--sample-home", home.string(), "--now", kNow});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string prefs = ReadBytes(home / "options/mainpref.ini");
  EXPECT_EQ(prefs.substr(0, prefs.find("\r\n")), "db path=" + (home / "data").string() + "/");
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
  // A second run keeps the home as it is, even one whose logs would go elsewhere.
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

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ToolRun.h"
#include "support/TempDir.h"
#include "tools/common/SimulateTool.h"

namespace fs = std::filesystem;

namespace {

const char* kNow = "2026-03-18 15:20:00";  // a Wednesday afternoon

ToolRun Simulate(const std::vector<std::string>& args) { return RunTool(RunSimulateTool, args); }

// Real logs and options are kept unless told: a day file or a home's preferences that are
// there stop the run before anything is written.
TEST(Simulator, ReplacesNoFileWithoutOverwrite) {
  TempDir dir;
  const fs::path c = dir.Write("c/2026-03-18.log", "real log\n").parent_path();
  const ToolRun run = Simulate({"--data", c.string(), "--now", kNow, "--seed", "98"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("2026-03-18.log exists"), std::string::npos) << run.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(c), {}), 1);
  EXPECT_EQ(ReadBytes(c / "2026-03-18.log"), "real log\n");
  ASSERT_EQ(Simulate({"--data", c.string(), "--now", kNow, "--overwrite"}).status, 0);
  EXPECT_NE(ReadBytes(c / "2026-03-18.log"), "real log\n");
  const std::string home = (dir.Path() / "home").string(), data2 = (dir.Path() / "d2").string();
  ASSERT_EQ(Simulate({"--sample-home", home, "--now", kNow}).status, 0);
  const ToolRun again = Simulate({"--sample-home", home, "--data", data2, "--now", kNow});
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

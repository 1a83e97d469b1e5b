#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "ToolRun.h"
#include "core/ScopedEnv.h"
#include "framework/core/Clock.h"
#include "framework/core/ComputerFolders.h"
#include "support/TempDir.h"
#include "tools/common/CsvWriter.h"
#include "tools/common/SimulateTool.h"
#include "tools/report/ReportTool.h"

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

// The report tool changes the clock and the current directory of the process, as it
// does when it runs alone; each test gets them back. It never steers lookups through
// the environment.
class ReportToolTest : public testing::Test {
 protected:
  void SetUp() override { savedHome_ = std::getenv("TASKMETER_HOME"); }
  void TearDown() override {
    EXPECT_EQ(std::getenv("TASKMETER_HOME"), savedHome_);
    fs::current_path(savedCwd_);
    SetFixedClock(std::nullopt);
  }
  static ToolRun Report(const std::vector<std::string>& args) {
    return RunTool(RunReportTool, args);
  }
  // A sample home with simulated logs up to `now`.
  fs::path MakeHome(const std::string& now, int days, int seed, const std::string& machine = "") {
    const fs::path home = dir_.Path() / ("home-" + std::to_string(homes_++));
    std::vector<std::string> args{
        "--sample-home", home.string(),        "--now",  now,
        "--days",        std::to_string(days), "--seed", std::to_string(seed)};
    if (!machine.empty()) args.insert(args.end(), {"--machine", machine});
    const ToolRun run = RunTool(RunSimulateTool, args);
    EXPECT_EQ(run.status, 0) << run.err;
    return home;
  }

  TempDir dir_;

 private:
  std::string savedHome_;
  fs::path savedCwd_ = fs::current_path();
  int homes_ = 0;
};

int64_t Number(const Json& v, const char* key) {
  EXPECT_TRUE(v.at(key).is_number_integer()) << key;
  return v.at(key).get<int64_t>();
}

std::string Text(const Json& v, const char* key) { return v.at(key).get<std::string>(); }

// Control characters, DEL included, are escaped as they always were.
TEST_F(ReportToolTest, BytesThatAreNotUtf8BecomeReplacementCharactersAndControlsAreEscaped) {
  const fs::path home = dir_.Path() / "latin1";
  dir_.Write("latin1/options/viewopt.xml", "<Options/>\r\n");
  dir_.Write("latin1/options/mainpref.ini", "db path=" + (home / "data").string() + "/\r\n");
  dir_.Write("latin1/data/2026-03-18.log",
             "03 18 09 00 00\n03 18 09 00 00\nCaf\xE9\nMen\xFC \"today\"\ncafe\n"
             "/opt/caf\xE9\x7f\x01\n~~~\n03 18 09 00 00\n03 18 09 30 00\nIdle\n\nIdle\n\n~~~\n");
  const ToolRun run =
      Report({"--home", home.string(), "--now", "2026-03-18 10:00:00", "--format", "json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Json doc = Json::parse(run.out);
  const Json& app = doc.at("groups").at(0).at("applications").at(0);  // Other Applications
  EXPECT_FALSE(app.at("filter_on").get<bool>());
  EXPECT_EQ(Number(doc.at("groups").at(0), "today"), 1800);
  EXPECT_EQ(Number(doc.at("totals"), "today"), 1800);
  EXPECT_EQ(Text(app, "show_as"), "Caf\xEF\xBF\xBD");
  EXPECT_EQ(Text(app, "path"), "/opt/caf\xEF\xBF\xBD\x7f\x01");
  EXPECT_NE(run.out.find("/opt/caf\xEF\xBF\xBD\\u007f\\u0001\""), std::string::npos);
  EXPECT_EQ(Number(app, "today"), 1800);
  EXPECT_EQ(Number(doc, "records"), 1);
}

// Each refusal says why on stderr and prints no report; an options file that cannot be
// read gives the report all the same, with one line saying it is not what the file holds.
TEST_F(ReportToolTest, BadHomesOptionsAndArgumentsAreToldWithTheirExitStatus) {
  const fs::path missing = dir_.Path() / "missing", file = dir_.Write("plain-file", "x");
  fs::create_directories(dir_.Path() / "bare");
  const std::string usage = "Usage: taskmeter-report";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  std::vector<Case> cases{
      {{"--home", missing.string()}, 2, "does not exist or cannot be read"},
      {{"--home", file.string()}, 2, "does not exist or cannot be read"},
      {{"--format", "xml"}, 2, usage},
      {{"--home", ""}, 2, usage},
      {{"--output="}, 2, usage},
      {{"--bogus"}, 2, usage},
      {{"--home", "bare", "--now", "2024-02-29 00:00:00", "--format", "json"},
       0,
       "bare/options/ does not exist"},
  };
  for (const char* now :
       {"", "2026-03-18", "2026-03-18T15:20:05", "2026-3-18 15:20:05", "2026-03-18 15:20:5",
        "2026-13-01 00:00:00", "2026-00-10 00:00:00", "2026-02-29 00:00:00", "2026-04-31 00:00:00",
        "2026-03-18 24:00:00", "2026-03-18 23:60:00", "2026-03-18 23:59:60", "1970-01-01 00:00:00",
        "2026-03-18 15:20:05 ", "abcd-ef-gh ij:kl:mn"}) {
    cases.push_back({{"--now", now}, 2, usage});
  }
  for (const char* name : {"viewopt.xml", "mainpref.ini"}) {
    const fs::path home = MakeHome("2026-03-18 17:30:00", 1, 1), path = home / "options" / name;
    fs::remove(path);
    fs::create_directory(path);
    cases.push_back({{"--home", home.string()},
                     1,
                     "taskmeter-report: Cannot read " + path.string() + ". It was left"});
  }
  fs::current_path(dir_.Path());  // "bare" is relative to here
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const ToolRun run = Report(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.out.empty(), c.status == 2);
    if (c.status == 1) {
      EXPECT_EQ(run.err.rfind(c.err, 0), 0u);
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
    if (c.args.back() == "json") {
      const Json bare = Json::parse(run.out);
      EXPECT_TRUE(bare.at("groups").empty());
      EXPECT_EQ(Number(bare, "records"), 0);
    }
  }
  const ToolRun unwritable = Report({"--home", (dir_.Path() / "bare").string(), "--output",
                                     (dir_.Path() / "no-such-folder/r").string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
  EXPECT_FALSE(fs::exists(dir_.Path() / "bare/options"));  // never created
  EXPECT_FALSE(fs::exists(missing));
  const ToolRun help = Report({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--format"), std::string::npos);
  EXPECT_TRUE(help.err.empty());
}

// Every group and application below `groups`, by its place and names.
void CollectItems(const Json& groups, const std::string& parent,
                  std::map<std::string, Json>& items) {
  for (const Json& group : groups) {
    const std::string path = parent + "/" + Text(group, "name");
    items[path] = group;
    for (const Json& app : group.at("applications")) {
      items[path + "/" + Text(app, "show_as") + "/" + Text(app, "name")] = app;
    }
    CollectItems(group.at("groups"), path, items);
  }
}

std::map<std::string, Json> Items(const Json& doc) {
  std::map<std::string, Json> items;
  CollectItems(doc.at("groups"), "", items);
  return items;
}

// Two and three computers used on the same days, each simulated as its own: the report
// over all of them gives each item's time on a computer as that computer's own report
// does, and their sum as its total. This computer's folder shared back counts once; a
// computer folder that has gone is named.
TEST_F(ReportToolTest, ComputersAddUpToTheirOwnReports) {
  const char* now = "2026-03-18 15:20:00";
  const std::vector<std::vector<std::string>> setups{{"desktop", "laptop"},
                                                     {"desktop", "laptop", "tablet"}};
  for (const std::vector<std::string>& machines : setups) {
    SCOPED_TRACE(machines.size());
    const fs::path share = dir_.Path() / ("share-" + std::to_string(machines.size()));
    const fs::path computers = share / "Kestrel Works/TaskMeter/Computers";
    fs::create_directories(computers);
    std::vector<fs::path> homes;
    std::vector<Json> own;  // each computer's report of its own logs
    std::vector<std::string> names = {ThisComputerName()};
    for (const std::string& machine : machines) {
      homes.push_back(MakeHome(now, 10, 1, machine));
      own.push_back(Json::parse(
          Report({"--home", homes.back().string(), "--now", now, "--format", "json"}).out));
      if (homes.size() == 1) continue;
      fs::create_directory_symlink(homes.back() / "data", computers / machine);
      names.push_back(machine);
    }
    EXPECT_NE(own[0].at("totals"), own[1].at("totals"));  // each machine its own programs
    fs::create_directory_symlink(homes[0] / "data", computers / "mine");
    fs::create_directory_symlink(dir_.Path() / "unmounted", computers / "gone");
    ScopedEnv xdg("XDG_DATA_HOME", share.string());
    auto as = [&](const char* format) {
      return Report(
          {"--home", homes[0].string(), "--now", now, "--by-computer", "--format", format});
    };
    const ToolRun run = as("json");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("Computers/gone/ cannot be read"), std::string::npos) << run.err;
    const Json all = Json::parse(run.out);
    std::vector<std::string> listed;
    int64_t records = 0;
    for (const Json& computer : all.at("computers")) listed.push_back(Text(computer, "name"));
    for (const Json& report : own) records += Number(report, "records");
    EXPECT_EQ(listed, names);
    EXPECT_EQ(Number(all, "records"), records);
    std::vector<std::map<std::string, Json>> ownItems;
    for (const Json& report : own) ownItems.push_back(Items(report));
    for (const auto& [key, item] : Items(all)) {
      for (const char* period : {"month", "week", "today"}) {
        int64_t sum = 0;
        for (size_t c = 0; c < own.size(); ++c) {
          const auto found = ownItems[c].find(key);
          const int64_t seconds = found == ownItems[c].end() ? 0 : Number(found->second, period);
          EXPECT_EQ(Number(item.at("by_computer").at(names[c]), period), seconds) << key;
          sum += seconds;
        }
        EXPECT_EQ(Number(item, period), sum) << key << " " << period;
      }
    }
    // Text and csv carry the same numbers: a row under each item, columns after the totals.
    if (machines.size() > 2) continue;
    const Json& first = all.at("groups").at(0);
    std::vector<std::string> header{"group_path", "kind", "show_as", "name", "app_path"};
    std::vector<std::string> row{Text(first, "name"), "group", "", "", ""};
    for (const std::string& name : {std::string(), names[0], names[1]}) {
      const Json& totals = name.empty() ? first : first.at("by_computer").at(name);
      for (const char* period : {"month", "week", "today"}) {
        header.push_back(name.empty() ? period : name + " " + period);
        row.push_back(std::to_string(Number(totals, period)));
      }
    }
    const std::string csv = as("csv").out;
    EXPECT_EQ(csv.substr(0, csv.find("\r\n", csv.find("\r\n") + 2) + 2),
              CsvRecord(header) + CsvRecord(row));
    const std::string text = as("text").out;
    EXPECT_NE(text.find("Computers: " + names[0] + " (this computer, " +
                        std::to_string(Number(all.at("computers").at(0), "records")) +
                        " records), laptop ("),
              std::string::npos)
        << text;
    // A row for the laptop under "All groups" and under every group and application.
    size_t laptopRows = 0;
    for (size_t at = 0; (at = text.find(" on laptop ", at)) != std::string::npos; ++at) {
      ++laptopRows;
    }
    EXPECT_EQ(laptopRows, Items(all).size() + 1);
  }
}

#ifdef TASKMETER_REPORT_PROGRAM
// What the program prints must be what the tool gives in this process.
TEST_F(ReportToolTest, TheProgramPrintsWhatTheToolGives) {
  const std::string now = "2026-03-18 17:30:00";
  const fs::path home = MakeHome(now, 10, 4);
  const std::vector<std::string> args = {"--home", home.string(), "--now", now, "--format", "json"};
  const ToolRun inProcess = Report(args);  // also settles the tree file
  ASSERT_EQ(inProcess.status, 0) << inProcess.err;
  const fs::path printed = dir_.Path() / "printed.json";
  std::string command = TASKMETER_REPORT_PROGRAM;
  for (const std::string& arg : args) command += " '" + arg + "'";
  EXPECT_EQ(std::system((command + " >'" + printed.string() + "'").c_str()), 0);
  EXPECT_EQ(ReadBytes(printed), inProcess.out);
}
#endif

}  // namespace

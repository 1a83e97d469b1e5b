#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "LogSums.h"
#include "core/ScopedEnv.h"
#include "framework/core/Autostart.h"
#include "framework/core/CivilTime.h"
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
  static Json ReportJson(const fs::path& home, const std::string& now) {
    return Json::parse(Report({"--home", home.string(), "--now", now, "--format", "json"}).out);
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

// The object's keys, in order, joined by spaces.
std::string Keys(const Json& object) {
  std::string keys;
  for (const auto& [key, value] : object.items()) keys += (keys.empty() ? "" : " ") + key;
  return keys;
}

void ExpectTotals(const Json& v, const ExpectedTotals& e, const std::string& what) {
  EXPECT_EQ(Number(v, "month"), e.month) << what;
  EXPECT_EQ(Number(v, "week"), e.week) << what;
  EXPECT_EQ(Number(v, "today"), e.today) << what;
}

// Checks a group of the json against sums made from the logs; returns its sums.
ExpectedTotals CheckGroup(const Json& group, const std::vector<LoggedInterval>& intervals,
                          int64_t now, const std::string& parentPath, size_t& appsSeen) {
  EXPECT_EQ(Keys(group), "name month week today applications groups");
  const std::string path = parentPath + "/" + Text(group, "name");
  ExpectedTotals sum;
  for (const Json& app : group.at("applications")) {
    EXPECT_EQ(Keys(app), "show_as name path title_filter filter_on month week today");
    const ExpectedTotals expected =
        SumForEntry(intervals, now, Text(app, "name"), app.at("filter_on").get<bool>(),
                    Text(app, "title_filter"));
    ExpectTotals(app, expected, path + "/" + Text(app, "show_as"));
    sum += expected;
    ++appsSeen;
  }
  for (const Json& sub : group.at("groups")) sum += CheckGroup(sub, intervals, now, path, appsSeen);
  ExpectTotals(group, sum, path);
  return sum;
}

TEST_F(ReportToolTest, JsonNumbersEqualSumsMadeFromTheLogs) {
  const struct {
    const char* now;
    int days;
  } cases[] = {
      {"2026-03-18 15:20:00", 20},  // Wednesday; the logs reach into February
      {"2026-01-06 11:00:00", 14},  // the logs of December carry no year
      {"2026-03-02 09:30:00", 10},  // Monday morning: the week has only just begun
      {"2026-03-01 16:00:00", 10},  // Sunday: the week began in the previous month
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.now);
    const fs::path home = MakeHome(c.now, c.days, static_cast<int>(&c - cases) + 1);
    const Json doc = ReportJson(home, c.now);
    EXPECT_EQ(Keys(doc), "now data_folder records totals groups");
    EXPECT_EQ(Text(doc, "now"), c.now);
    const std::string folder = Text(doc, "data_folder");
    ASSERT_EQ(folder.substr(0, 1), "/");
    EXPECT_TRUE(fs::equivalent(folder, home / "data"));
    const int64_t now = *ParseDateTime(c.now);
    const auto intervals = ReadLoggedIntervals((home / "data").string(), now);
    EXPECT_EQ(Number(doc, "records"), static_cast<int64_t>(intervals.size()));
    std::string names;
    for (const Json& g : doc.at("groups")) names += Text(g, "name") + ";";
    EXPECT_EQ(names, "Breaks;Communication;Other Applications;Work;");
    ExpectedTotals all;
    size_t apps = 0;
    for (const Json& g : doc.at("groups")) all += CheckGroup(g, intervals, now, "", apps);
    ExpectTotals(doc.at("totals"), all, "totals");
    EXPECT_EQ(apps, 14u);  // the sample tree's 13 and the file manager it does not know
    EXPECT_GT(all.month, 0);
    // The captions divide the editor between the projects by their title filters (seen
    // where the month is well under way).
    for (const Json& project : doc.at("groups").at(3).at("groups")) {
      if (&c != cases) break;
      EXPECT_GT(Number(project.at("applications").at(0), "month"), 0) << Text(project, "name");
    }
  }
}

// The csv rows the json stands for: a group, its applications, then its sub-groups.
void FlattenJson(const Json& group, const std::string& parent, std::string& csv) {
  const std::string path = (parent.empty() ? "" : parent + "/") + Text(group, "name");
  auto row = [&](std::vector<std::string> text, const Json& v) {
    for (const char* period : {"month", "week", "today"}) {
      text.push_back(std::to_string(Number(v, period)));
    }
    csv += CsvRecord(text);
  };
  row({path, "group", "", "", ""}, group);
  for (const Json& app : group.at("applications")) {
    row({path, "application", Text(app, "show_as"), Text(app, "name"), Text(app, "path")}, app);
  }
  for (const Json& sub : group.at("groups")) FlattenJson(sub, path, csv);
}

// One home in every format, its preferences asking to start with the session: the load
// rewrites the tree as the module's does, but the report never writes an autostart entry.
TEST_F(ReportToolTest, TextAndCsvShowWhatTheJsonHolds) {
  const char* now = "2026-03-18 15:20:00";
  const fs::path home = MakeHome(now, 3, 6);
  std::string prefs = ReadBytes(home / "options/mainpref.ini");
  prefs.replace(prefs.find("LoadOnStartup=0"), 15, "LoadOnStartup=1");
  dir_.Write(fs::relative(home / "options/mainpref.ini", dir_.Path()).string(), prefs);
  const fs::path file = dir_.Path() / "report.json";
  const std::vector<std::string> args{"--home", home.string(), "--now", now};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), args.begin(), args.end());
    return Report(more);
  };
  const ToolRun json = with({"--format", "json", "--output", file.string()});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_TRUE(json.out.empty());
  EXPECT_FALSE(fs::exists(GetAutostartEntryPath()));
  EXPECT_NE(ReadBytes(home / "options/viewopt.xml").find("<Name>Other Applications</Name>"),
            std::string::npos);

  std::string expected = "group_path,kind,show_as,name,app_path,month,week,today\r\n";
  const Json doc = Json::parse(ReadBytes(file));
  for (const Json& g : doc.at("groups")) FlattenJson(g, "", expected);
  EXPECT_EQ(with({"--format", "csv"}).out, expected);
  const ToolRun text = with({});
  ASSERT_EQ(text.status, 0) << text.err;
  for (const char* part :
       {"TaskMeter report at 2026-03-18 15:20:00", "All groups", "\n+ Work ",
        "\n    + Project Apollo ", "\n        - Apollo code ", "\n    - Mail ", " percent"}) {
    EXPECT_NE(text.out.find(part), std::string::npos) << part;
  }
  // Breaks holds only "Idle", "Stop" (never shown) and the news reading.
  EXPECT_EQ(text.out.find("- Idle"), std::string::npos);
  const ToolRun failed = with({"--output", (dir_.Path() / "no-such-folder/r.txt").string()});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("cannot write"), std::string::npos);
}

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
  const Json& other = doc.at("groups").at(0);  // the tree was empty
  EXPECT_EQ(Text(other, "name"), "Other Applications");
  const Json& app = other.at("applications").at(0);
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
      {{"--now", "2026-03-18"}, 2, usage},
      {{"--now", "2026-03-18 25:00:00"}, 2, usage},
      {{"--home", ""}, 2, usage},
      {{"--output="}, 2, usage},
      {{"--bogus"}, 2, usage},
      {{"--home", "bare", "--format", "json"}, 0, "bare/options/ does not exist"},
  };
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
  EXPECT_FALSE(fs::exists(dir_.Path() / "bare/options"));  // never created
  EXPECT_FALSE(fs::exists(missing));
  const ToolRun help = Report({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--format"), std::string::npos);
  EXPECT_TRUE(help.err.empty());
}

// Every group and application of a report, by its place and names.
void CollectItems(const Json& group, const std::string& parent,
                  std::map<std::string, Json>& items) {
  const std::string path = parent + "/" + Text(group, "name");
  items[path] = group;
  for (const Json& app : group.at("applications")) {
    items[path + "/" + Text(app, "show_as") + "/" + Text(app, "name")] = app;
  }
  for (const Json& sub : group.at("groups")) CollectItems(sub, path, items);
}

std::map<std::string, Json> Items(const Json& doc) {
  std::map<std::string, Json> items;
  for (const Json& group : doc.at("groups")) CollectItems(group, "", items);
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
      own.push_back(ReportJson(homes.back(), now));
      if (homes.size() == 1) continue;
      fs::create_directory_symlink(homes.back() / "data", computers / machine);
      names.push_back(machine);
    }
    EXPECT_NE(own[0].at("totals"), own[1].at("totals"));  // each machine its own programs
    fs::create_directory_symlink(homes[0] / "data", computers / "mine");
    fs::create_directory_symlink(dir_.Path() / "unmounted", computers / "gone");
    ScopedEnv xdg("XDG_DATA_HOME", share.string());
    const std::vector<std::string> args{"--home", homes[0].string(), "--now",
                                        now,      "--by-computer",   "--format"};
    auto as = [&](const char* format) {
      std::vector<std::string> all = args;
      all.push_back(format);
      return Report(all);
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
    for (size_t at = text.find(" on laptop "); at != std::string::npos;
         at = text.find(" on laptop ", at + 1)) {
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
  std::string command = TASKMETER_REPORT_PROGRAM;
  for (const std::string& arg : args) command += " '" + arg + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string printed;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) printed.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0);
  EXPECT_EQ(printed, inProcess.out);
}
#endif

}  // namespace

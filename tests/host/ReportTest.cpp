#include <ctime>
#include <map>
#include <regex>

#include "accounting/LogFormat.h"
#include "framework/core/CivilTime.h"
#include "framework/core/Clock.h"
#include "host/HostMessages.h"
#include "host/HtmlReport.h"
#include "host/MainFrame.h"
#include "storage/MainPrefs.h"
#include "tests/core/ScopedEnv.h"
#include "tests/host/HostTestSupport.h"

namespace {

struct Row {
  std::string kind;
  int64_t month = 0, week = 0, today = 0;
  bool operator==(const Row&) const = default;
};

// name -> row, from the data attributes every row of the page carries.
std::map<std::string, Row> Rows(const std::string& html) {
  static const std::regex row(
      "<tr class=\"(\\w+)\" data-name=\"([^\"]*)\" data-month=\"(-?\\d+)\" "
      "data-week=\"(-?\\d+)\" data-today=\"(-?\\d+)\">");
  std::map<std::string, Row> rows;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), row); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    rows[m[2]] = Row{m[1], std::stoll(m[3]), std::stoll(m[4]), std::stoll(m[5])};
  }
  return rows;
}

// A log block on `date` ("YYYY MM DD"); its interval belongs to the application before.
std::string Block(const std::string& date, const char* start, const char* end,
                  const std::string& app) {
  return LogBlockText(
      {date + " " + start, date + " " + end, app, app + " window", app, "/usr/bin/" + app}, "\r\n");
}

// A home whose logs give Editor 3600 s, Browser 1800 s and Mail 900 s today.
class ReportTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    // Noon of the real today, so that the log files just written are recent.
    const CivilTime today = SecondsToLocal(std::time(nullptr));
    const int64_t noon = LocalToSeconds({today.year, today.month, today.day, 12});
    SetFixedClock(noon);
    const std::string date = LogTimestamp(noon).substr(0, 10), file = "db/" + LogFileName(noon);
    MainPrefs prefs;
    prefs.DbPath = (m_home.Path() / "db/").string();
    m_home.Write("options/mainpref.ini", MainPrefsText(prefs));
    m_home.Write("options/viewopt.xml", "<Options/>\r\n");
    m_home.Write(file, Block(date, "08 59 00", "09 00 00", "Editor") +
                           Block(date, "09 00 00", "10 00 00", "Browser") +
                           Block(date, "10 00 00", "10 30 00", "Mail") +
                           Block(date, "10 30 00", "10 45 00", "Editor"));
  }
  void TearDown() override {
    HostFixture::TearDown();
    SetFixedClock(std::nullopt);
  }
};

// The host's report request, and the real module's report command that asks for it,
// write the page with the totals of the logs into the reports folder and open it.
TEST_F(ReportTest, ReportRequestWritesThePageOfTheLogsAndOpensIt) {
  std::vector<std::string> modules{StandinModulePath()};
  if (!RealModulePath().empty()) modules.push_back(RealModulePath());
  const std::string page = (m_home.Path() / "reports/taskmeter-report.html").string();
  const auto times = [](const char* kind, int64_t seconds) {
    return Row{kind, seconds, seconds, seconds};
  };
  const std::map<std::string, Row> expected{{"Editor", times("app", 3600)},
                                            {"Browser", times("app", 1800)},
                                            {"Mail", times("app", 900)},
                                            {"Other Applications", times("group", 6300)},
                                            {"All groups", times("total", 6300)}};
  for (const std::string& module : modules) {
    SCOPED_TRACE(module);
    m_app.reset();
    ASSERT_TRUE(Start(module)) << m_error;
    ShellOpenRecorder shell;
    if (module == StandinModulePath()) {
      EXPECT_EQ(m_app->GetMainFrame()->SendMessage(g_nReportRequestMsg, 0, 0), 0);
      EXPECT_EQ(m_app->GetMainFrame()->GetLastReportPath(), page);
    } else {
      // "Reports > Make report..." is the view's; it asks the host's main window.
      m_app->GetMainFrame()->SendMessage(WM_COMMAND, 32780, 0);
    }
    EXPECT_EQ(shell.targets, std::vector<std::string>{page});
    const std::string html = ReadBytes(page);
    const auto rows = Rows(html);
    for (const auto& [name, row] : expected) {
      EXPECT_TRUE(rows.count(name) == 1 && rows.at(name) == row) << name;
    }
    // Shown as times with a bar as long as the share of the group: 3600 of 6300 s.
    EXPECT_NE(html.find("01:00:00<span class=\"bar\"><span class=\"fill\" style=\"width:57.1%\">"),
              std::string::npos);
    EXPECT_NE(html.find("01:45:00"), std::string::npos);
    EXPECT_NE(html.find(m_home.Path().string() + "/db/"), std::string::npos);
    std::filesystem::remove(page);
  }
  // Another computer's logs beside them: the page shows each computer's share.
  const std::filesystem::path share = m_home.Path() / "share";
  ScopedEnv xdg("XDG_DATA_HOME", share.string());
  std::filesystem::create_directories(share / "Kestrel Works/TaskMeter/Computers");
  std::filesystem::copy(m_home.Path() / "db", share / "Kestrel Works/TaskMeter/Computers/laptop");
  ShellOpenRecorder shell;
  EXPECT_EQ(m_app->GetMainFrame()->SendMessage(g_nReportRequestMsg, 0, 0), 0);
  EXPECT_NE(ReadBytes(page).find("</span>laptop</td>"), std::string::npos);
}

TEST(HtmlReport, NestedGroupsShowTheirShareOfTheirParent) {
  Report report;
  report.totals = {1000, 400, 0};
  ReportGroup work{"Work <A&B>", {"Work <A&B>"}, {800, 400, 0}, {}, {}, {}};
  work.applications.push_back({"Code \"IDE\"", "ide", "/bin/ide", "", false, {200, 100, 0}, {}});
  ReportGroup sub{"Sub", {"Work <A&B>", "Sub"}, {600, 300, 0}, {}, {}, {}};
  work.groups.push_back(sub);
  report.groups.push_back(work);
  const std::string html = ReportAsHtml(report);
  const auto rows = Rows(html);
  ASSERT_EQ(rows.count("Work &lt;A&amp;B&gt;"), 1u);
  ASSERT_EQ(rows.count("Code &quot;IDE&quot;"), 1u);
  EXPECT_EQ(rows.at("Sub").month, 600);
  EXPECT_EQ(html.find("<A&B>"), std::string::npos);
  // Work: 800 of 1000 and 400 of 400; Sub: 600 of Work's 800; today: nothing of nothing.
  for (const char* cell :
       {"width:80.0%", "width:100.0%", "width:75.0%", "width:25.0%", "width:0.0%"}) {
    EXPECT_NE(html.find(cell), std::string::npos) << cell;
  }
  // Rows in tree order: the group, its application, then its sub-group.
  EXPECT_LT(html.find("data-name=\"Work"), html.find("data-name=\"Code"));
  EXPECT_LT(html.find("data-name=\"Code"), html.find("data-name=\"Sub\""));
}

// By computer, the page lists the computers in their colours and each bar is made of
// their parts, in the same colours and order, named in the cell's tooltip.
TEST(HtmlReport, EachComputerHasItsPartOfEveryBar) {
  Report report;
  report.byComputer = true;
  report.totals = {1000, 0, 0};
  report.computers = {{"desk<top>", "/d/", true, 7, {600, 0, 0}},
                      {"laptop", "/l/", false, 3, {400, 0, 0}}};
  ReportGroup work{"Work", {"Work"}, {1000, 0, 0}, {}, {}, {{600, 0, 0}, {400, 0, 0}}};
  work.applications.push_back(
      {"Ed", "ed", "/bin/ed", "", false, {500, 0, 0}, {{100, 0, 0}, {400, 0, 0}}});
  report.groups.push_back(work);
  const std::string html = ReportAsHtml(report);
  EXPECT_NE(html.find("background:#3a7bd5\"></span>desk&lt;top&gt; (this "
                      "computer)</td><td><code>/d/</code></td><td>7</td>"),
            std::string::npos);
  EXPECT_NE(html.find("background:#e07b39\"></span>laptop</td>"), std::string::npos);
  // Ed: 100 and 400 of Work's 1000 seconds.
  EXPECT_NE(html.find("<td class=\"time\" title=\"desk&lt;top&gt; 00:01:40, laptop "
                      "00:06:40\">00:08:20<span class=\"bar split\">"
                      "<span class=\"fill\" style=\"width:10.0%;background:#3a7bd5\"></span>"
                      "<span class=\"fill\" style=\"width:40.0%;background:#e07b39\"></span></span>"
                      "<span class=\"share\">50.0 %</span>"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("width:60.0%;background:#3a7bd5"), std::string::npos);  // the total row
}

TEST(HtmlReport, ShareIsBoundedAndZeroForAnEmptyWhole) {
  struct Case {
    int64_t part;
    int64_t whole;
    double percent;
  };
  const std::vector<Case> cases{{0, 0, 0.0},       {5, 0, 0.0},     {-5, 10, 0.0},
                                {1, 3, 100.0 / 3}, {10, 10, 100.0}, {30, 10, 100.0}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(SharePercent(c.part, c.whole), c.percent) << c.part << "/" << c.whole;
  }
}

}  // namespace

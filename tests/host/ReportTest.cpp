#include <ctime>
#include <map>
#include <regex>

#include "accounting/LogFormat.h"
#include "framework/core/CivilTime.h"
#include "framework/core/Clock.h"
#include "host/HostMessages.h"
#include "host/HtmlReport.h"
#include "host/MainFrame.h"
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
    m_home.Write("options/mainpref.ini", "db path=" + (m_home.Path() / "db/").string() + "\r\n");
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
  const std::map<std::string, Row> expected{{"Editor", {"app", 3600, 3600, 3600}},
                                            {"Browser", {"app", 1800, 1800, 1800}},
                                            {"Mail", {"app", 900, 900, 900}},
                                            {"Other Applications", {"group", 6300, 6300, 6300}},
                                            {"All groups", {"total", 6300, 6300, 6300}}};
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

// Names come from programs and window captions: markup in them stays text on the page.
TEST(HtmlReport, NamesAreEscaped) {
  Report report;
  ReportGroup work{"Work <A&B>", {"Work <A&B>"}, {800, 400, 0}, {}, {}, {}};
  work.applications.push_back({"Code \"IDE\"", "ide", "/bin/ide", "", false, {200, 100, 0}, {}});
  report.groups.push_back(work);
  const std::string html = ReportAsHtml(report);
  EXPECT_EQ(Rows(html).count("Work &lt;A&amp;B&gt;"), 1u);
  EXPECT_EQ(Rows(html).count("Code &quot;IDE&quot;"), 1u);
  EXPECT_EQ(html.find("<A&B>"), std::string::npos);
}

}  // namespace

#include "tests/recorder/desktops/DesktopBackendTest.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QThread>
#include <fstream>
#include <sstream>

#include "framework/core/Clock.h"
#include "recorder/ActivityBlock.h"
#include "recorder/BusSignal.h"
#include "storage/MainPrefs.h"
#include "tools/common/LocalTime.h"
#include "tools/report/ReportTool.h"

namespace fs = std::filesystem;

namespace {

class CoreApplication : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "recorder_desktops_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QCoreApplication> app_;
};

testing::Environment* const g_app = testing::AddGlobalTestEnvironment(new CoreApplication);

}  // namespace

TestWindow::TestWindow(const fs::path& program, const std::string& appId,
                       const std::string& title) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QString::fromStdString(program.string()),
                 {QString::fromStdString(appId), QString::fromStdString(title)});
  process_.waitForStarted();
}

TestWindow::~TestWindow() { Close(); }

void TestWindow::Send(const std::string& line) {
  process_.write((line + "\n").c_str());
  process_.waitForBytesWritten();
}

void TestWindow::SetTitle(const std::string& title) { Send("title " + title); }
void TestWindow::Activity() { Send("activity"); }

void TestWindow::Close() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.closeWriteChannel();
  if (!process_.waitForFinished(5000)) process_.kill();
  process_.waitForFinished();
}

FakeScreenSaver::FakeScreenSaver(const QString& service, const QString& path)
    : service_(service), path_(path) {
  process_.start("/usr/bin/python3", {"-m", "dbusmock", service, path, service});
  WaitFor([&] { return QDBusConnection::sessionBus().interface()->isServiceRegistered(service); });
  CallBus(QDBusConnection::sessionBus(), service_, path_, "org.freedesktop.DBus.Mock", "AddMethod",
          {service_, "GetActive", "", "b", "ret = False"});
}

FakeScreenSaver::~FakeScreenSaver() {
  process_.terminate();
  process_.waitForFinished();
}

bool FakeScreenSaver::Running() const {
  return QDBusConnection::sessionBus().interface()->isServiceRegistered(service_);
}

void FakeScreenSaver::Set(bool active) {
  CallBus(QDBusConnection::sessionBus(), service_, path_, "org.freedesktop.DBus.Mock", "EmitSignal",
          {service_, "ActiveChanged", "b", QVariantList{active}});
}

DesktopBackendTest::DesktopBackendTest() : t0(LocalToSeconds({2026, 3, 10, 10, 0, 0})) {
  // Desktop entries of the test's own, so that names do not depend on the machine.
  for (const auto& [name, value] : {std::pair{"XDG_DATA_DIRS", (home.Path() / "none").string()},
                                    std::pair{"XDG_DATA_HOME", (home.Path() / "share").string()},
                                    std::pair{"TASKMETER_HOME", home.Path().string()}}) {
    const char* old = std::getenv(name);
    savedVariables_.emplace_back(name, old != nullptr ? old : "");
    setenv(name, value.c_str(), 1);
  }
  home.Write("share/applications/editor.desktop", "[Desktop Entry]\nName=Text Editor\n");
  SetFixedClock(t0);
}

DesktopBackendTest::~DesktopBackendTest() {
  service.reset();
  SetFixedClock(std::nullopt);
  for (const auto& [name, value] : savedVariables_) setenv(name, value.c_str(), 1);
}

std::unique_ptr<TestWindow> DesktopBackendTest::Open(const std::string& appId,
                                                     const std::string& title) {
  // A copy per application: the process's program path names it.
  const fs::path program = home.Path() / "bin" / appId;
  if (!fs::exists(program)) {
    fs::create_directories(program.parent_path());
    fs::copy_file(TASKMETER_TEST_WINDOW, program);
  }
  return std::make_unique<TestWindow>(program, appId, title);
}

std::unique_ptr<DesktopWatch> DesktopBackendTest::Chosen(DesktopKind kind,
                                                         const std::string& front) {
  ChosenDesktop chosen;
  EXPECT_TRUE(WaitFor([&] {
    chosen = ChooseDesktop(std::nullopt, TASKMETER_KWIN_SCRIPT);
    return chosen.watch && chosen.watch->Foreground().title == front;
  })) << chosen.why;
  EXPECT_EQ(chosen.kind, kind);
  return std::move(chosen.watch);
}

void DesktopBackendTest::Start(std::unique_ptr<DesktopWatch> desktop, const std::string& why,
                               RecorderSettings settings) {
  ASSERT_TRUE(desktop) << why;
  settings.dataFolder = (home.Path() / "db").string();
  service = std::make_unique<RecorderService>();
  service->Start(std::move(desktop), why, settings);
  ASSERT_EQ(service->State(), RecorderState::Recording) << service->StatusText();
}

std::vector<DesktopBackendTest::BlockLines> DesktopBackendTest::Blocks() const {
  std::ifstream in(home.Path() / "db" / LogFileName(t0), std::ios::binary);
  std::vector<BlockLines> blocks(1);
  for (std::string line; std::getline(in, line);) {
    blocks.back().push_back(line);
    if (blocks.back().size() == 7) blocks.emplace_back();
  }
  blocks.pop_back();  // the torn or empty tail
  return blocks;
}

bool DesktopBackendTest::WaitForBlocks(size_t count) {
  return WaitFor([&] { return Blocks().size() >= count; });
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeout.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

std::map<std::string, long long> DesktopBackendTest::TodayTotals(int64_t now) {
  home.Write("options/viewopt.xml", "");
  MainPrefs prefs;
  prefs.DbPath = (home.Path() / "db").string();
  EXPECT_TRUE(WriteMainPrefs((home.Path() / "options/mainpref.ini").string(), prefs));
  std::ostringstream out, err;
  EXPECT_EQ(RunReportTool(
                {"--home", home.Path().string(), "--now", FormatDateTime(now), "--format", "csv"},
                out, err),
            0)
      << err.str();
  std::map<std::string, long long> totals;
  std::istringstream rows(out.str());
  for (std::string row; std::getline(rows, row);) {
    std::vector<std::string> cells;
    std::istringstream split(row);
    for (std::string cell; std::getline(split, cell, ',');) cells.push_back(cell);
    if (cells.size() == 8 && cells[1] == "application") totals[cells[3]] = std::stoll(cells[7]);
  }
  return totals;
}

void DesktopBackendTest::ExpectSwitchesAndCaption(const std::function<TestWindow&()>& toBrowser,
                                                  const std::function<void()>& toEditor,
                                                  const std::string& editorPath,
                                                  const std::string& browserPath) {
  // A compositor may still settle its focus at the start; what came before the editor
  // (at the same instant) counts nothing.
  ASSERT_TRUE(WaitFor([&] { return !Blocks().empty() && Blocks().back()[2] == "Text Editor"; }));
  const size_t before = Blocks().size() - 1;
  SetFixedClock(t0 + 600);
  TestWindow& browser = toBrowser();
  ASSERT_TRUE(WaitForBlocks(before + 2));
  SetFixedClock(t0 + 900);
  browser.SetTitle("News");
  ASSERT_TRUE(WaitForBlocks(before + 3));
  SetFixedClock(t0 + 1000);
  toEditor();
  ASSERT_TRUE(WaitForBlocks(before + 4));
  SetFixedClock(t0 + 1300);
  service->Stop();

  const std::vector<BlockLines> expected{
      {"2026 03 10 10 00 00", "2026 03 10 10 00 00", "Text Editor", "notes.txt", "editor",
       editorPath, "~~~"},
      {"2026 03 10 10 00 00", "2026 03 10 10 10 00", "browser", "Start page", "browser",
       browserPath, "~~~"},
      {"2026 03 10 10 10 00", "2026 03 10 10 15 00", "browser", "News", "browser", browserPath,
       "~~~"},
      {"2026 03 10 10 15 00", "2026 03 10 10 16 40", "Text Editor", "notes.txt", "editor",
       editorPath, "~~~"},
      {"2026 03 10 10 16 40", "2026 03 10 10 21 40", "Stop", "", "Stop", "", "~~~"},
  };
  std::vector<BlockLines> blocks = Blocks();
  for (size_t i = 0; i < before; ++i) EXPECT_EQ(blocks[i][1], LogTimestamp(t0));
  blocks.erase(blocks.begin(), blocks.begin() + static_cast<std::ptrdiff_t>(before));
  EXPECT_EQ(blocks, expected);
  const auto totals = TodayTotals(t0 + 1300);
  EXPECT_EQ(totals.at("editor"), 600 + 300);
  EXPECT_EQ(totals.at("browser"), 300 + 100);
}

void DesktopBackendTest::ExpectIdleAndScreenSaver(std::unique_ptr<DesktopWatch> desktop,
                                                  const std::function<void()>& activity,
                                                  FakeScreenSaver* saver) {
  RecorderSettings settings;
  settings.idleMilliseconds = 1000;
  settings.pauseOnScreenSaver = true;
  Start(std::move(desktop), "", settings);
  SetFixedClock(t0 + 100);  // seen a hundred seconds later: the pause still starts at the input
  ASSERT_TRUE(WaitForBlocks(2));
  EXPECT_EQ(Blocks()[1][1], LogTimestamp(t0 + 99));
  EXPECT_EQ(Blocks()[1][2], "Idle");
  EXPECT_EQ(service->State(), RecorderState::Paused);
  SetFixedClock(t0 + 200);
  activity();
  ASSERT_TRUE(WaitForBlocks(3));
  EXPECT_EQ(Blocks()[2][1], LogTimestamp(t0 + 200));
  EXPECT_EQ(Blocks()[2][2], "Text Editor");
  if (saver == nullptr) return;

  service->Apply({(home.Path() / "db").string(), std::nullopt, true});
  for (const auto& [when, on, subject] :
       {std::tuple{t0 + 250, true, "Idle"}, std::tuple{t0 + 280, false, "Text Editor"}}) {
    SetFixedClock(when);
    saver->Set(on);
    ASSERT_TRUE(WaitForBlocks(on ? 4 : 5));
    EXPECT_EQ(Blocks().back()[1], LogTimestamp(when));
    EXPECT_EQ(Blocks().back()[2], subject);
  }
}

// The recorder on a real X display (Xvfb with openbox), with windows made by the test
// and the process clock fixed, so that every timestamp is known.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "framework/core/Clock.h"
#include "recorder/ProcessPath.h"
#include "recorder/RecorderService.h"
#include "recorder/x11/DesktopSession.h"
#include "storage/MainPrefs.h"
#include "tests/host/HostTestSupport.h"
#include "tests/recorder/TestDesktop.h"
#include "tools/common/LocalTime.h"
#include "tools/report/ReportTool.h"

namespace {

namespace fs = std::filesystem;

int64_t At(int year, int month, int day, int hour, int minute, int second) {
  return LocalToSeconds({year, month, day, hour, minute, second});
}

class DesktopRecording : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(desktop.Problem(), "");
    // Desktop entries of the test's own, so that names do not depend on the machine.
    dataDirs.emplace("XDG_DATA_DIRS", (home.Path() / "none").c_str());
    dataHome.emplace("XDG_DATA_HOME", (home.Path() / "share").c_str());
    home.Write("share/applications/editor.desktop",
               "[Desktop Entry]\nName=Text Editor\nStartupWMClass=Editor\n");
    SetFixedClock(t0);
  }
  void TearDown() override {
    service.reset();
    SetFixedClock(std::nullopt);
    SetFixedSteadyClocks(std::nullopt);
    dataHome.reset();
    dataDirs.reset();
  }

  void Start(RecorderSettings settings = {}) {
    settings.dataFolder = Folder().string();
    std::string why;
    service = std::make_unique<RecorderService>();
    service->Start(OpenDesktopSession(why), why, settings);
    ASSERT_EQ(service->State(), RecorderState::Recording) << service->StatusText();
  }
  fs::path Folder() const { return home.Path() / "db"; }
  std::vector<BlockLines> Blocks(int64_t day) const {
    return ReadBlocks(Folder() / LogFileName(day));
  }
  std::unique_ptr<RecorderService> StartAnother() {
    std::string why;
    auto another = std::make_unique<RecorderService>();
    RecorderSettings settings;
    settings.dataFolder = Folder().string();
    another->Start(OpenDesktopSession(why), why, settings);
    return another;
  }
  // Waits until the day's file holds `count` blocks.
  bool WaitForBlocks(int64_t day, size_t count) {
    return WaitFor([&] { return Blocks(day).size() >= count; });
  }
  // At `when`, makes `window` the active one and waits for its block.
  void SwitchTo(xcb_window_t window, int64_t when, size_t blocksAfter) {
    SetFixedClock(when);
    ASSERT_TRUE(desktop.Activate(window));
    ASSERT_TRUE(WaitForBlocks(when, blocksAfter)) << ReadBytes(Folder() / LogFileName(when));
  }
  struct Totals {
    long long month = 0;
    long long today = 0;
  };
  // Seconds per application name, as the report tool reads the data folder.
  std::map<std::string, Totals> ReportTotals(int64_t now) {
    home.Write("options/viewopt.xml", "");
    MainPrefs prefs;
    prefs.DbPath = Folder().string();
    EXPECT_TRUE(WriteMainPrefs((home.Options() / "mainpref.ini").string(), prefs));
    std::ostringstream out, err;
    EXPECT_EQ(RunReportTool(
                  {"--home", home.Path().string(), "--now", FormatDateTime(now), "--format", "csv"},
                  out, err),
              0)
        << err.str();
    std::map<std::string, Totals> totals;
    std::istringstream rows(out.str());
    std::string row;
    while (std::getline(rows, row)) {
      std::vector<std::string> cells;
      std::istringstream split(row);
      for (std::string cell; std::getline(split, cell, ',');) cells.push_back(cell);
      if (cells.size() == 8 && cells[1] == "application") {
        totals[cells[3]] = {std::stoll(cells[5]), std::stoll(cells[7])};
      }
    }
    return totals;
  }

  const int64_t t0 = At(2026, 3, 10, 10, 0, 0);
  ScopedHome home;
  std::optional<ScopedVariable> dataDirs;
  std::optional<ScopedVariable> dataHome;
  TestDesktop desktop;
  std::unique_ptr<RecorderService> service;
};

TEST_F(DesktopRecording, SwitchesAndCaptionsGiveTheTotalsTheModuleReads) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  const xcb_window_t browser = desktop.CreateOrphanWindow("browser", "Browser", "Start page");
  ASSERT_TRUE(editor && browser);
  ASSERT_TRUE(desktop.Activate(editor));
  Start();
  // A freshly started openbox may still move the focus once on its own; the editor is
  // made active again, and what came before it (at the same instant) counts nothing.
  ASSERT_TRUE(desktop.Activate(editor));
  ASSERT_TRUE(WaitFor([&] {
    const auto blocks = Blocks(t0);
    return !blocks.empty() && blocks.back()[2] == "Text Editor";
  }));
  const size_t before = Blocks(t0).size() - 1;
  SwitchTo(browser, t0 + 600, before + 2);
  SetFixedClock(t0 + 900);
  desktop.SetTitle(browser, "News");
  ASSERT_TRUE(WaitForBlocks(t0, before + 3));
  SwitchTo(editor, t0 + 1000, before + 4);
  SetFixedClock(t0 + 1300);
  service->Stop();

  const std::vector<BlockLines> expected{
      {"2026 03 10 10 00 00", "2026 03 10 10 00 00", "Text Editor", "notes.txt", "editor",
       "wm-class:Editor", "~~~"},
      {"2026 03 10 10 00 00", "2026 03 10 10 10 00", "Browser", "Start page", "browser",
       "wm-class:Browser", "~~~"},
      {"2026 03 10 10 10 00", "2026 03 10 10 15 00", "Browser", "News", "browser",
       "wm-class:Browser", "~~~"},
      {"2026 03 10 10 15 00", "2026 03 10 10 16 40", "Text Editor", "notes.txt", "editor",
       "wm-class:Editor", "~~~"},
      {"2026 03 10 10 16 40", "2026 03 10 10 21 40", "Stop", "", "Stop", "", "~~~"},
  };
  std::vector<BlockLines> blocks = Blocks(t0);
  for (size_t i = 0; i < before; ++i) EXPECT_EQ(blocks[i][1], LogTimestamp(t0));
  blocks.erase(blocks.begin(), blocks.begin() + static_cast<std::ptrdiff_t>(before));
  EXPECT_EQ(blocks, expected);
  const auto totals = ReportTotals(t0 + 1300);
  EXPECT_EQ(totals.at("editor").today, 600 + 300);
  EXPECT_EQ(totals.at("browser").today, 300 + 100);
}

TEST_F(DesktopRecording, ALineFeedInACaptionAndAWindowOfThisProcess) {
  const xcb_window_t own = desktop.CreateWindow("own", "Own", "first line\nsecond line");
  ASSERT_TRUE(own);
  ASSERT_TRUE(desktop.Activate(own));
  Start();
  ASSERT_TRUE(WaitForBlocks(t0, 1));
  const BlockLines first = Blocks(t0).front();
  EXPECT_EQ(first[3], "first line second line");
  // The window's process is this test program, found through the X resource extension.
  EXPECT_EQ(first[5], ProgramPath(::getpid()));
  EXPECT_EQ(first[4], fs::path(ProgramPath(::getpid())).filename().string());
  // An older program's caption, in COMPOUND_TEXT with a NUL: written as UTF-8.
  desktop.SetLegacyTitle(own, "COMPOUND_TEXT",
                         std::string("caf\xE9 \x1B$)B\xC6\xFC\xCB\xDC\0!", 15));
  EXPECT_TRUE(WaitFor([&] {
    return Blocks(t0).back()[3] == "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC!";
  })) << Blocks(t0).back()[3];
}

// Closing the last window leaves nothing in front (openbox keeps naming the closed
// window as the active one): that time belongs to no application.
TEST_F(DesktopRecording, ClosingTheLastWindowLeavesNothingInFront) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  Start();
  SetFixedClock(t0 + 40);
  desktop.Close(editor);
  ASSERT_TRUE(WaitForBlocks(t0, 2));
  const BlockLines nothing{LogTimestamp(t0), LogTimestamp(t0 + 40), "", "", "", "", "~~~"};
  EXPECT_EQ(Blocks(t0)[1], nothing);
}

TEST_F(DesktopRecording, IdlePausesFromTheLastInputAndInputResumes) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  desktop.FakeInput();
  RecorderSettings settings;
  settings.idleMilliseconds = 1000;
  Start(settings);
  SetFixedClock(t0 + 100);  // seen a hundred seconds later: the pause still starts at the input
  ASSERT_TRUE(WaitForBlocks(t0, 2));
  BlockLines idle = Blocks(t0)[1];
  EXPECT_EQ(idle[2], "Idle");
  EXPECT_EQ(idle[5], "");
  EXPECT_GE(idle[1], LogTimestamp(t0 + 95));
  EXPECT_LE(idle[1], LogTimestamp(t0 + 99));
  EXPECT_EQ(service->State(), RecorderState::Paused);
  SetFixedClock(t0 + 200);
  desktop.FakeInput();
  ASSERT_TRUE(WaitForBlocks(t0, 3));
  const BlockLines back = Blocks(t0)[2];
  EXPECT_EQ(back[1], LogTimestamp(t0 + 200));
  EXPECT_EQ(back[2], "Text Editor");
  EXPECT_EQ(service->State(), RecorderState::Recording);
}

TEST_F(DesktopRecording, TheScreenSaverPausesAsLongAsItRuns) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  RecorderSettings settings;
  settings.pauseOnScreenSaver = true;
  Start(settings);
  SetFixedClock(t0 + 50);
  desktop.ForceScreenSaver(true);
  ASSERT_TRUE(WaitForBlocks(t0, 2));
  EXPECT_EQ(Blocks(t0)[1][2], "Idle");
  SetFixedClock(t0 + 80);
  desktop.ForceScreenSaver(false);
  ASSERT_TRUE(WaitForBlocks(t0, 3));
  EXPECT_EQ(Blocks(t0)[2][1], LogTimestamp(t0 + 80));
  EXPECT_EQ(Blocks(t0)[2][2], "Text Editor");
}

// At local midnight the running interval is closed in the old day's file and reopened
// in the new one, so each day gets its own time; New Year is a midnight like the rest.
TEST_F(DesktopRecording, MidnightSplitsTheDayIntoTwoFiles) {
  struct Case {
    int64_t evening;
    int64_t morning;
    const char* eveningFile;
    const char* morningFile;
    long long monthOfBrowser;  // the evening's 30 s count too when the month is the same
  };
  const std::vector<Case> cases{
      {At(2026, 3, 9, 23, 59, 0), At(2026, 3, 10, 0, 0, 0), "2026-03-09.log", "2026-03-10.log", 70},
      {At(2026, 12, 31, 23, 59, 0), At(2027, 1, 1, 0, 0, 0), "2026-12-31.log", "2027-01-01.log",
       40},
  };
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  const xcb_window_t browser = desktop.CreateOrphanWindow("browser", "Browser", "Start page");
  for (const Case& c : cases) {
    fs::remove_all(Folder());
    ASSERT_TRUE(desktop.Activate(editor));
    SetFixedClock(c.evening);
    Start();
    SwitchTo(browser, c.evening + 30, 2);
    SetFixedClock(c.morning + 20);
    service->CheckClock();  // what the midnight timer does
    ASSERT_TRUE(fs::exists(Folder() / c.morningFile));
    SwitchTo(editor, c.morning + 40, 2);
    SetFixedClock(c.morning + 60);
    service->Stop();

    const auto evening = ReadBlocks(Folder() / c.eveningFile);
    ASSERT_EQ(evening.size(), 3u);
    EXPECT_EQ(evening[2][1], LogTimestamp(c.morning));
    EXPECT_EQ(evening[2][2], "Browser");
    const auto morning = ReadBlocks(Folder() / c.morningFile);
    ASSERT_EQ(morning.size(), 3u);
    EXPECT_EQ(morning[0][0], LogTimestamp(c.morning));
    EXPECT_EQ(morning[0][2], "Browser");
    const auto totals = ReportTotals(c.morning + 60);
    EXPECT_EQ(totals.at("browser").today, 40) << c.morningFile;
    EXPECT_EQ(totals.at("editor").today, 20) << c.morningFile;
    EXPECT_EQ(totals.at("browser").month, c.monthOfBrowser) << c.morningFile;
  }
}

TEST_F(DesktopRecording, ADisplayThatGoesAwayEndsTheRecordingWithStop) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  RecorderSettings settings;
  settings.idleMilliseconds = 3600 * 1000;  // its alarm is the recorder's one resource
  Start(settings);
  SetFixedClock(t0 + 30);
  ASSERT_EQ(desktop.DisconnectOurOtherClients(), 1);
  ASSERT_TRUE(WaitForBlocks(t0, 2));
  EXPECT_EQ(Blocks(t0)[1][1], LogTimestamp(t0 + 30));
  EXPECT_EQ(Blocks(t0)[1][2], "Stop");
  EXPECT_TRUE(WaitFor([&] { return service->State() == RecorderState::NoDesktop; }));
  EXPECT_EQ(service->StatusText(), "Not recording: the X11 display went away");
}

TEST_F(DesktopRecording, AFolderOrFileThatCannotBeWrittenIsReported) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  // A day file that is a folder cannot be written, not even by root.
  const int64_t tomorrow = At(2026, 3, 11, 0, 0, 5);
  fs::create_directories(Folder() / LogFileName(tomorrow));
  int reports = 0;
  Start();
  service->SetStatusListener([&] { ++reports; });
  SetFixedClock(tomorrow);
  service->CheckClock();
  EXPECT_EQ(service->StatusText(), "Recording, but cannot write " +
                                       (Folder() / LogFileName(tomorrow)).string() +
                                       ": Is a directory");
  service->CheckClock();
  EXPECT_EQ(reports, 1) << "the same problem is reported once";
  EXPECT_EQ(Blocks(t0).size(), 2u) << "the old day is closed all the same";

  // A data folder that cannot be made: nothing is recorded, and the status says why.
  service.reset();
  const fs::path file = home.Write("plain-file", "x");
  std::string why;
  service = std::make_unique<RecorderService>();
  service->Start(OpenDesktopSession(why), why,
                 RecorderSettings{(file / "db").string(), std::nullopt, false});
  EXPECT_EQ(service->State(), RecorderState::Unwritable);
  EXPECT_EQ(service->StatusText().rfind("Not recording: cannot make the data folder", 0), 0u)
      << service->StatusText();
}

TEST_F(DesktopRecording, ATornTailIsCompletedBeforeTheFirstBlock) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  const std::string whole = BlockText({t0 - 60, t0 - 60, {"Shell", "", "sh", "/bin/sh"}});
  home.Write("db/" + LogFileName(t0), whole + "2026 03 10 09 59 30\n2026 03 1");
  Start();
  ASSERT_TRUE(WaitForBlocks(t0, 3));
  const auto blocks = Blocks(t0);
  EXPECT_EQ(blocks[0][2], "Shell");
  EXPECT_NE(blocks[1][6], "~~~");  // the torn block, completed so that the reader drops it
  EXPECT_EQ(blocks[2][2], "Text Editor");
  EXPECT_EQ(blocks[2][6], "~~~");
}

// A window manager that does not report the active window: nothing is recorded, the
// status says why, and recording starts when the manager reports it again.
TEST_F(DesktopRecording, WhenTheFrontCannotBeSeenItSaysSoAndRecordsNothing) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  desktop.SetActiveWindowReported(false);
  service = StartAnother();
  EXPECT_EQ(service->StatusText(),
            "Not recording: on this desktop the window in front cannot be known (the window "
            "manager does not report the active window)");
  EXPECT_TRUE(Blocks(t0).empty());
  SetFixedClock(t0 + 60);
  desktop.SetActiveWindowReported(true);
  ASSERT_TRUE(WaitForBlocks(t0, 1));
  EXPECT_EQ(Blocks(t0)[0][0], LogTimestamp(t0 + 60));
  EXPECT_EQ(Blocks(t0)[0][2], "Text Editor");
  SetFixedClock(t0 + 90);
  desktop.SetActiveWindowReported(false);
  ASSERT_TRUE(WaitForBlocks(t0, 2));
  EXPECT_EQ(Blocks(t0)[1][1], LogTimestamp(t0 + 90));
  EXPECT_EQ(Blocks(t0)[1][2], "Stop");
  EXPECT_EQ(service->State(), RecorderState::NoDesktop);
}

// Only the awake clock stands still while the machine sleeps; a clock set back leaves
// both steady clocks going on.
TEST_F(DesktopRecording, SleepIsIdleAndAClockSetBackLosesNoTime) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  SetFixedSteadyClocks(SteadyClocks{0, 0});
  Start();
  SetFixedSteadyClocks(SteadyClocks{0, 3600000});  // an hour asleep
  SetFixedClock(t0 + 3600);
  service->CheckClock();
  SetFixedSteadyClocks(SteadyClocks{60000, 3660000});  // a minute, and set back ten
  SetFixedClock(t0 + 3060);
  service->CheckClock();
  SetFixedSteadyClocks(SteadyClocks{120000, 3720000});
  SetFixedClock(t0 + 3120);
  service->Stop();
  EXPECT_EQ(ReportTotals(t0 + 3600).at("editor").today, 120)
      << ReadBytes(Folder() / LogFileName(t0));
  for (const BlockLines& block : Blocks(t0)) EXPECT_LE(block[0], block[1]);
}

TEST_F(DesktopRecording, AHostWaitingForTheFolderTakesItWhenItFrees) {
  const xcb_window_t editor = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(editor));
  Start();
  const auto waiting = StartAnother();
  EXPECT_EQ(waiting->State(), RecorderState::Busy);
  SetFixedClock(t0 + 30);
  service.reset();
  ASSERT_TRUE(WaitFor([&] { return waiting->State() == RecorderState::Recording; }));
  ASSERT_EQ(Blocks(t0).size(), 3u);
  EXPECT_EQ(Blocks(t0)[2][0], LogTimestamp(t0 + 30));
}

}  // namespace

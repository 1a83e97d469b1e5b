// The recorder on a real X display (Xvfb with openbox), with windows made by the test
// and the process clock fixed, so that every timestamp is known.
#include <unistd.h>

#include "recorder/ProcessPath.h"
#include "recorder/x11/DesktopSession.h"
#include "tests/recorder/RecordingFixture.h"
#include "tests/recorder/TestDesktop.h"

namespace {

namespace fs = std::filesystem;

int64_t At(int year, int month, int day, int hour, int minute, int second) {
  return LocalToSeconds({year, month, day, hour, minute, second});
}

// The session's desktop, or none and why not.
std::pair<std::unique_ptr<DesktopWatch>, std::string> Session() {
  auto opened = OpenDesktopSession();
  if (!opened) return {nullptr, opened.Message()};
  return {std::move(*opened), ""};
}

class DesktopRecording : public RecordingTest {
 protected:
  void SetUp() override { ASSERT_EQ(desktop.Problem(), ""); }
  // Starts the recorder on the X11 session with the editor in front.
  void Start(RecorderSettings settings = {}) {
    ASSERT_TRUE(desktop.Activate(editor));
    auto [session, why] = Session();
    RecordingTest::Start(std::move(session), why, settings);
  }
  std::unique_ptr<RecorderService> StartAnother() {
    auto [session, why] = Session();
    auto another = std::make_unique<RecorderService>();
    another->Start(std::move(session), why,
                   RecorderSettings{Folder().string(), std::nullopt, false});
    return another;
  }
  // At `when`, makes `window` the active one and waits for the day's `blocksAfter` block.
  void SwitchTo(xcb_window_t window, int64_t when, size_t blocksAfter) {
    SetFixedClock(when);
    ASSERT_TRUE(desktop.Activate(window));
    ASSERT_TRUE(WaitForBlocks(blocksAfter, when)) << ReadBytes(Folder() / LogFileName(when));
  }

  TestDesktop desktop;
  const xcb_window_t editor =
      desktop.Problem().empty() ? desktop.CreateOrphanWindow("editor", "Editor", "notes.txt") : 0;
};

TEST_F(DesktopRecording, SwitchesAndCaptionsGiveTheTotalsTheModuleReads) {
  const xcb_window_t browser = desktop.CreateOrphanWindow("browser", "Browser", "Start page");
  ASSERT_TRUE(editor && browser);
  Start();
  // A freshly started openbox may still move the focus once on its own.
  ASSERT_TRUE(desktop.Activate(editor));
  ExpectSwitchesAndCaption([&] { ASSERT_TRUE(desktop.Activate(browser)); },
                           [&](const std::string& title) { desktop.SetTitle(browser, title); },
                           [&] { ASSERT_TRUE(desktop.Activate(editor)); }, "Browser",
                           "wm-class:Editor", "wm-class:Browser");
}

TEST_F(DesktopRecording, IdleAndTheScreenSaverPause) {
  ASSERT_TRUE(desktop.Activate(editor));
  desktop.FakeInput();
  auto [session, why] = Session();
  ExpectIdleAndScreenSaver(
      std::move(session), [&] { desktop.FakeInput(); },
      [&](bool on) { desktop.ForceScreenSaver(on); }, 4);
}

TEST_F(DesktopRecording, ALineFeedInACaptionAndAWindowOfThisProcess) {
  const xcb_window_t own = desktop.CreateWindow("own", "Own", "first line\nsecond line");
  ASSERT_TRUE(own);
  ASSERT_TRUE(desktop.Activate(own));
  auto [session, why] = Session();
  RecordingTest::Start(std::move(session), why);
  ASSERT_TRUE(WaitForBlocks(1));
  const BlockLines first = Blocks().front();
  EXPECT_EQ(first[3], "first line second line");
  // The window's process is this test program, found through the X resource extension.
  EXPECT_EQ(first[5], ProgramPath(::getpid()));
  EXPECT_EQ(first[4], fs::path(ProgramPath(::getpid())).filename().string());
  // An older program's caption, in COMPOUND_TEXT with a NUL: written as UTF-8.
  desktop.SetLegacyTitle(own, "COMPOUND_TEXT",
                         std::string("caf\xE9 \x1B$)B\xC6\xFC\xCB\xDC\0!", 15));
  EXPECT_TRUE(WaitFor([&] {
    return Blocks().back()[3] == "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC!";
  })) << Blocks().back()[3];
}

// Closing the last window leaves nothing in front (openbox keeps naming the closed
// window as the active one): that time belongs to no application.
TEST_F(DesktopRecording, ClosingTheLastWindowLeavesNothingInFront) {
  Start();
  SetFixedClock(t0 + 40);
  desktop.Close(editor);
  ASSERT_TRUE(WaitForBlocks(2));
  const BlockLines nothing{LogTimestamp(t0), LogTimestamp(t0 + 40), "", "", "", "", "~~~"};
  EXPECT_EQ(Blocks()[1], nothing);
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
  RecorderSettings settings;
  settings.idleMilliseconds = 3600 * 1000;  // its alarm is the recorder's one resource
  Start(settings);
  SetFixedClock(t0 + 30);
  ASSERT_EQ(desktop.DisconnectOurOtherClients(), 1);
  ASSERT_TRUE(WaitForBlocks(2));
  EXPECT_EQ(Blocks()[1][1], LogTimestamp(t0 + 30));
  EXPECT_EQ(Blocks()[1][2], "Stop");
  EXPECT_TRUE(WaitFor([&] { return service->State() == RecorderState::NoDesktop; }));
  EXPECT_EQ(service->StatusText(), "Not recording: the X11 display went away");
}

TEST_F(DesktopRecording, AFolderOrFileThatCannotBeWrittenIsReported) {
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
  EXPECT_EQ(Blocks().size(), 2u) << "the old day is closed all the same";

  // A data folder that cannot be made: nothing is recorded, and the status says why.
  service.reset();
  const fs::path file = home.Write("plain-file", "x");
  auto [session, why] = Session();
  service = std::make_unique<RecorderService>();
  service->Start(std::move(session), why,
                 RecorderSettings{(file / "db").string(), std::nullopt, false});
  EXPECT_EQ(service->State(), RecorderState::Unwritable);
  EXPECT_EQ(service->StatusText().rfind("Not recording: cannot make the data folder", 0), 0u)
      << service->StatusText();
}

TEST_F(DesktopRecording, ATornTailIsCompletedBeforeTheFirstBlock) {
  const std::string whole = BlockText({t0 - 60, t0 - 60, {"Shell", "", "sh", "/bin/sh"}});
  home.Write("db/" + LogFileName(t0), whole + "2026 03 10 09 59 30\n2026 03 1");
  Start();
  ASSERT_TRUE(WaitForBlocks(3));
  const auto blocks = Blocks();
  EXPECT_EQ(blocks[0][2], "Shell");
  EXPECT_NE(blocks[1][6], "~~~");  // the torn block, completed so that the reader drops it
  EXPECT_EQ(blocks[2][2], "Text Editor");
  EXPECT_EQ(blocks[2][6], "~~~");
}

// A window manager that does not report the active window: nothing is recorded, the
// status says why, and recording starts when the manager reports it again.
TEST_F(DesktopRecording, WhenTheFrontCannotBeSeenItSaysSoAndRecordsNothing) {
  ASSERT_TRUE(desktop.Activate(editor));
  desktop.SetActiveWindowReported(false);
  service = StartAnother();
  EXPECT_EQ(service->StatusText(),
            "Not recording: on this desktop the window in front cannot be known (the window "
            "manager does not report the active window)");
  EXPECT_TRUE(Blocks().empty());
  SetFixedClock(t0 + 60);
  desktop.SetActiveWindowReported(true);
  ASSERT_TRUE(WaitForBlocks(1));
  EXPECT_EQ(Blocks()[0][0], LogTimestamp(t0 + 60));
  EXPECT_EQ(Blocks()[0][2], "Text Editor");
  SetFixedClock(t0 + 90);
  desktop.SetActiveWindowReported(false);
  ASSERT_TRUE(WaitForBlocks(2));
  EXPECT_EQ(Blocks()[1][1], LogTimestamp(t0 + 90));
  EXPECT_EQ(Blocks()[1][2], "Stop");
  EXPECT_EQ(service->State(), RecorderState::NoDesktop);
}

// Only the awake clock stands still while the machine sleeps; a clock set back leaves
// both steady clocks going on.
TEST_F(DesktopRecording, SleepIsIdleAndAClockSetBackLosesNoTime) {
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
  for (const BlockLines& block : Blocks()) EXPECT_LE(block[0], block[1]);
}

TEST_F(DesktopRecording, AHostWaitingForTheFolderTakesItWhenItFrees) {
  Start();
  const auto waiting = StartAnother();
  EXPECT_EQ(waiting->State(), RecorderState::Busy);
  SetFixedClock(t0 + 30);
  service.reset();
  ASSERT_TRUE(WaitFor([&] { return waiting->State() == RecorderState::Recording; }));
  ASSERT_EQ(Blocks().size(), 3u);
  EXPECT_EQ(Blocks()[2][0], LogTimestamp(t0 + 30));
}

}  // namespace

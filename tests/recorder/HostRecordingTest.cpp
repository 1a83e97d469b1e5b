// The host program and its recorder together: the status bar, the preferences message,
// one host per home, and the end of a run.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>

#include "framework/core/Paths.h"
#include "host/HostCommands.h"
#include "host/HostMessages.h"
#include "host/MainFrame.h"
#include "recorder/ActivityBlock.h"
#include "recorder/RecorderService.h"
#include "storage/MainPrefs.h"
#include "tests/host/HostTestSupport.h"
#include "tests/recorder/RecordingFixture.h"
#include "tests/recorder/TestDesktop.h"

namespace {

namespace fs = std::filesystem;

std::vector<BlockLines> TodaysBlocks(const fs::path& folder) {
  return ReadBlocks(folder / LogFileName(std::time(nullptr)));
}

class HostRecording : public HostFixture {
 protected:
  bool StartRecordingHost() {
    MainPrefs prefs;
    prefs.DbPath = Folder("db").string();
    fs::create_directories(m_home.Options());
    WriteMainPrefs(GetMainPrefsPath(GetOptionsFolder()), prefs);
    return Start(StandinModulePath(), true);
  }
  fs::path Folder(const char* name) const { return m_home.Path() / name; }
  CMainFrame* Frame() const { return m_app->GetMainFrame(); }
};

TEST_F(HostRecording, WithoutAnX11DesktopTheStatusBarSaysSoAndTheViewerWorks) {
  struct Case {
    std::optional<std::string> display, wayland;
    const char* status;
  };
  const std::vector<Case> cases{
      {std::nullopt, std::nullopt, "Not recording: no X11 display (DISPLAY is not set)"},
      {":0", "wayland-0", "Not recording: cannot connect to the Wayland compositor wayland-0"},
  };
  for (const Case& c : cases) {
    ScopedEnv display("DISPLAY", c.display), wayland("WAYLAND_DISPLAY", c.wayland);
    ASSERT_TRUE(StartRecordingHost()) << m_error;
    EXPECT_EQ(Frame()->RecordingStatus(), c.status);
    EXPECT_NE(m_app->GetDocument(), nullptr);
    EXPECT_FALSE(fs::exists(Folder("db")));
    m_app.reset();
  }
}

TEST_F(HostRecording, ThePreferencesMessageAppliesNewValuesAtOnce) {
  TestDesktop desktop;
  ASSERT_EQ(desktop.Problem(), "");
  CTrayIcon::SetAvailableForTesting(true);
  ASSERT_TRUE(StartRecordingHost()) << m_error;
  EXPECT_EQ(Frame()->RecordingStatus(), "Recording (X11) into " + Folder("db").string());
  EXPECT_TRUE(Frame()->GetTrayIcon().IsTurning());
  ASSERT_TRUE(WaitFor([&] { return TodaysBlocks(Folder("db")).size() >= 1; }));

  MainPrefs prefs;
  prefs.DbPath = "db2";  // relative: beside the executable, as the module reads it
  prefs.IdleTime = 1;
  prefs.bPauseTimeTrackingOnUserInActive = true;
  prefs.bAnimatedIconInSysTray = true;
  ASSERT_TRUE(WriteMainPrefs(GetMainPrefsPath(GetOptionsFolder()), prefs));
  desktop.FakeInput();
  Frame()->SendMessage(g_nPreferencesChangedMsg);
  EXPECT_EQ(TodaysBlocks(Folder("db")).back()[2], "Stop");
  ASSERT_TRUE(WaitFor([&] { return TodaysBlocks(Folder("db2")).size() >= 2; }));
  EXPECT_EQ(TodaysBlocks(Folder("db2"))[1][2], "Idle");
  EXPECT_EQ(Frame()->RecordingStatus(), "Recording paused: no input");
  EXPECT_FALSE(Frame()->GetTrayIcon().IsTurning());  // no time is counted while paused

  m_app->GetMainFrame()->SendMessage(WM_COMMAND, host_cmd::kExit, 0);  // File > Exit
  EXPECT_EQ(m_app->GetMainFrame(), nullptr);
  EXPECT_EQ(TodaysBlocks(Folder("db2")).back()[2], "Stop");
}

// The program itself, as a user starts it: one per home, and "Stop" on SIGTERM.
class HostProgram : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(desktop.Problem(), "");
    MainPrefs prefs;
    prefs.DbPath = (home.Path() / "db").string();
    fs::create_directories(home.Options());
    ASSERT_TRUE(WriteMainPrefs((home.Options() / "mainpref.ini").string(), prefs));
  }
  void TearDown() override {
    for (QProcess* process : {&first, &second}) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
      }
    }
  }
  // As under nohup, which leaves SIGHUP ignored, with a checkpoint every two seconds.
  void Launch(QProcess& process, const std::string& module = StandinModulePath()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TASKMETER_CHECKPOINT_SECONDS", QString::number(kCheckpointSeconds));
    environment.insert("TASKMETER_HOME", QString::fromStdString(home.Path().string()));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    // Under the sanitizers the program runs on Qt's xcb platform, whose libraries (xcb,
    // xkbcommon) keep allocations until exit and read their strings with a length rather
    // than a terminator: neither is ours to report, so the program is checked without
    // leak detection and strict string checks.
    if (environment.contains("ASAN_OPTIONS")) {
      environment.insert("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1");
    }
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start("nohup", {TASKMETER_PROGRAM, "--module", QString::fromStdString(module)});
    ASSERT_TRUE(process.waitForStarted(10000));
  }
  std::vector<BlockLines> Blocks() const { return TodaysBlocks(home.Path() / "db"); }
  std::string Log() const {
    return ReadBytes(home.Path() / "db" / LogFileName(std::time(nullptr)));
  }

  static constexpr int64_t kCheckpointSeconds = 2;
  ScopedHome home;
  TestDesktop desktop;
  QProcess first;
  QProcess second;
};

TEST_F(HostProgram, ASecondHostHandsOverAndSigtermWritesStop) {
  Launch(first);
  xcb_window_t hostWindow = XCB_NONE;
  ASSERT_TRUE(WaitFor([&] { return (hostWindow = desktop.FindWindow("taskmeter")) != XCB_NONE; }))
      << first.readAll().toStdString();
  ASSERT_TRUE(desktop.Activate(hostWindow));
  ASSERT_TRUE(WaitFor([&] {
    const auto blocks = Blocks();
    return !blocks.empty() && blocks.back()[4] == "taskmeter";
  })) << Log();
  // The frame, title bar included, is on the screen.
  int frameTop = TestDesktop::kNoFrame;
  EXPECT_TRUE(WaitFor([&] {
    frameTop = desktop.FrameTop(hostWindow);
    return frameTop != TestDesktop::kNoFrame;
  }));
  EXPECT_GE(frameTop, 0);
  const xcb_window_t other = desktop.CreateOrphanWindow("editor", "Editor", "notes.txt");
  ASSERT_TRUE(desktop.Activate(other));
  ASSERT_TRUE(WaitFor([&] { return Blocks().back()[4] == "editor"; }));

  Launch(second);
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0) << second.readAll().toStdString();
  ASSERT_TRUE(WaitFor([&] { return Blocks().back()[4] == "taskmeter"; }))
      << "the first host's window comes to the front";

  ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_EQ(Blocks().back()[2], "Stop");
}

// A signal ends the host at once even while a modal dialog runs, with the time up to it
// written; under nohup, SIGHUP is left to be ignored.
TEST_F(HostProgram, SigtermEndsItInADialogAndNohupKeepsItRunning) {
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  Launch(first, RealModulePath());
  xcb_window_t hostWindow = XCB_NONE;
  ASSERT_TRUE(WaitFor([&] { return (hostWindow = desktop.FindWindow("taskmeter")) != XCB_NONE; }))
      << first.readAll().toStdString();
  ASSERT_TRUE(desktop.Activate(hostWindow));
  ASSERT_TRUE(WaitFor([&] { return !Blocks().empty(); }));
  ::kill(static_cast<pid_t>(first.processId()), SIGHUP);
  EXPECT_FALSE(first.waitForFinished(1000));
  // Configure > Settings... from the keyboard: Help, two menus to the left, the first item.
  ASSERT_TRUE(WaitFor([&] {
    desktop.Activate(hostWindow);
    for (const uint8_t key : {TestDesktop::kHKey, TestDesktop::kLeftKey, TestDesktop::kLeftKey,
                              TestDesktop::kReturnKey}) {
      desktop.TypeKey(key, key == TestDesktop::kHKey ? TestDesktop::kAltKey : 0);
      WaitFor([] { return false; }, std::chrono::milliseconds(200));
    }
    return WaitFor([&] { return desktop.CountWindows("taskmeter") > 1; }, std::chrono::seconds(2));
  })) << "the settings dialog did not open";
  ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
  ASSERT_TRUE(first.waitForFinished(5000)) << "a dialog kept it running";
  EXPECT_EQ(Blocks().back()[2], "Stop");
  EXPECT_GE(Blocks().back()[1], LogTimestamp(std::time(nullptr) - 2));
}

// kill -9 leaves no time for "Stop": what ran since the last checkpoint is all it loses.
TEST_F(HostProgram, AKilledHostLosesAtMostOneCheckpointInterval) {
  Launch(first);
  ASSERT_TRUE(WaitFor([&] { return !Blocks().empty(); })) << first.readAll().toStdString();
  WaitFor([] { return false; }, std::chrono::seconds(2 * kCheckpointSeconds + 1));
  const int64_t killed = std::time(nullptr);
  ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
  ASSERT_TRUE(first.waitForFinished(5000));
  // Timestamps are whole seconds: one more for the rounding.
  EXPECT_GE(Blocks().back()[1], LogTimestamp(killed - kCheckpointSeconds - 1)) << Log();
}

}  // namespace

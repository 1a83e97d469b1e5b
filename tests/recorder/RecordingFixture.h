#pragma once
// What the recorder's desktop suites share: X11 here, the Wayland desktops under desktops/.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/core/CivilTime.h"
#include "framework/core/Clock.h"
#include "recorder/ActivityBlock.h"
#include "recorder/RecorderService.h"
#include "storage/MainPrefs.h"
#include "support/TempDir.h"
#include "tests/core/ScopedEnv.h"
#include "tools/report/ReportTool.h"

// Runs the Qt event loop until `done` or `timeout`; whether `done` came true.
inline bool WaitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeout.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

// The blocks of a log file as lines, seven to a block (a torn tail is left out).
using BlockLines = std::vector<std::string>;
inline std::vector<BlockLines> ReadBlocks(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<BlockLines> blocks(1);
  for (std::string line; std::getline(in, line);) {
    blocks.back().push_back(line);
    if (blocks.back().size() == 7) blocks.emplace_back();
  }
  blocks.pop_back();
  return blocks;
}

// The recorder on a desktop, with the process clock fixed so that every timestamp is
// known, and a home, a data folder and desktop entries of the test's own, so that names
// do not depend on the machine.
class RecordingTest : public testing::Test {
 protected:
  RecordingTest() {
    home.Write("share/applications/editor.desktop",
               "[Desktop Entry]\nName=Text Editor\nStartupWMClass=Editor\n");
    SetFixedClock(t0);
  }
  ~RecordingTest() override {
    service.reset();
    SetFixedClock(std::nullopt);
    SetFixedSteadyClocks(std::nullopt);
  }

  std::filesystem::path Folder() const { return home.Path() / "db"; }
  std::vector<BlockLines> Blocks(int64_t day) const {
    return ReadBlocks(Folder() / LogFileName(day));
  }
  std::vector<BlockLines> Blocks() const { return Blocks(t0); }
  // Runs the event loop until the day's file holds `count` blocks.
  bool WaitForBlocks(size_t count, int64_t day = 0) {
    return WaitFor([&] { return Blocks(day != 0 ? day : t0).size() >= count; });
  }
  // Starts the recorder on `desktop`, which must open.
  void Start(std::unique_ptr<DesktopWatch> desktop, const std::string& why,
             RecorderSettings settings = {}) {
    ASSERT_TRUE(desktop) << why;
    settings.dataFolder = Folder().string();
    service = std::make_unique<RecorderService>();
    service->Start(std::move(desktop), why, settings);
    ASSERT_EQ(service->State(), RecorderState::Recording) << service->StatusText();
  }

  struct Totals {
    long long month = 0, today = 0;
  };
  // Seconds per application name, as the report tool reads the data folder.
  std::map<std::string, Totals> ReportTotals(int64_t now) {
    home.Write("options/viewopt.xml", "");
    MainPrefs prefs;
    prefs.DbPath = Folder().string();
    EXPECT_TRUE(WriteMainPrefs((home.Path() / "options/mainpref.ini").string(), prefs));
    std::ostringstream out, err;
    const std::vector<std::string> args{
        "--home", home.Path().string(), "--now", FormatDateTime(now), "--format", "csv"};
    EXPECT_EQ(RunReportTool(args, out, err), 0) << err.str();
    std::map<std::string, Totals> totals;
    std::istringstream rows(out.str());
    for (std::string row; std::getline(rows, row);) {
      std::vector<std::string> cells;
      std::istringstream split(row);
      for (std::string cell; std::getline(split, cell, ',');) cells.push_back(cell);
      if (cells.size() == 8 && cells[1] == "application") {
        totals[cells[3]] = {std::stoll(cells[5]), std::stoll(cells[7])};
      }
    }
    return totals;
  }

  // With the recorder started and the editor in front at t0: the browser comes to the
  // front at t0+600 (`toBrowser`), its caption becomes "News" at t0+900 (`retitle`), the
  // editor comes back at t0+1000 (`toEditor`), the recorder stops at t0+1300. Checks the
  // blocks, the browser named `browserName`, and the totals the report tool reads.
  void ExpectSwitchesAndCaption(const std::function<void()>& toBrowser,
                                const std::function<void(const std::string&)>& retitle,
                                const std::function<void()>& toEditor,
                                const std::string& browserName, const std::string& editorPath,
                                const std::string& browserPath) {
    // A desktop may still settle its focus at the start; what came before the editor
    // (at the same instant) counts nothing.
    ASSERT_TRUE(WaitFor([&] { return !Blocks().empty() && Blocks().back()[2] == "Text Editor"; }));
    const size_t before = Blocks().size() - 1;
    for (const auto& [seconds, step] : std::vector<std::pair<int64_t, std::function<void()>>>{
             {600, toBrowser}, {900, [&] { retitle("News"); }}, {1000, toEditor}}) {
      const size_t count = Blocks().size() + 1;
      SetFixedClock(t0 + seconds);
      step();
      ASSERT_TRUE(WaitForBlocks(count)) << ReadBytes(Folder() / LogFileName(t0));
    }
    SetFixedClock(t0 + 1300);
    service->Stop();
    const std::string b = browserName;
    const std::vector<BlockLines> expected{
        {"2026 03 10 10 00 00", "2026 03 10 10 00 00", "Text Editor", "notes.txt", "editor",
         editorPath, "~~~"},
        {"2026 03 10 10 00 00", "2026 03 10 10 10 00", b, "Start page", "browser", browserPath,
         "~~~"},
        {"2026 03 10 10 10 00", "2026 03 10 10 15 00", b, "News", "browser", browserPath, "~~~"},
        {"2026 03 10 10 15 00", "2026 03 10 10 16 40", "Text Editor", "notes.txt", "editor",
         editorPath, "~~~"},
        {"2026 03 10 10 16 40", "2026 03 10 10 21 40", "Stop", "", "Stop", "", "~~~"},
    };
    std::vector<BlockLines> blocks = Blocks();
    for (size_t i = 0; i < before; ++i) EXPECT_EQ(blocks[i][1], LogTimestamp(t0));
    blocks.erase(blocks.begin(), blocks.begin() + static_cast<std::ptrdiff_t>(before));
    EXPECT_EQ(blocks, expected);
    const auto totals = ReportTotals(t0 + 1300);
    EXPECT_EQ(totals.at("editor").today, 600 + 300);
    EXPECT_EQ(totals.at("browser").today, 300 + 100);
  }

  // Starts the recorder on `desktop` with the editor in front and a one-second idle
  // threshold: idle seen at t0+100 pauses from the last input (t0+99, or up to `slack`
  // seconds before), `activity` at t0+200 resumes. Then, with `saver`, the screen saver
  // alone pauses from t0+250 to t0+280.
  void ExpectIdleAndScreenSaver(std::unique_ptr<DesktopWatch> desktop,
                                const std::function<void()>& activity,
                                const std::function<void(bool)>& saver, int slack = 0) {
    RecorderSettings settings;
    settings.idleMilliseconds = 1000;
    settings.pauseOnScreenSaver = true;
    Start(std::move(desktop), "", settings);
    SetFixedClock(t0 + 100);
    ASSERT_TRUE(WaitForBlocks(2));
    EXPECT_GE(Blocks()[1][1], LogTimestamp(t0 + 99 - slack));
    EXPECT_LE(Blocks()[1][1], LogTimestamp(t0 + 99));
    EXPECT_EQ(Blocks()[1][2], "Idle");
    EXPECT_EQ(Blocks()[1][5], "");
    EXPECT_EQ(service->State(), RecorderState::Paused);
    SetFixedClock(t0 + 200);
    activity();
    ASSERT_TRUE(WaitForBlocks(3));
    EXPECT_EQ(Blocks()[2][1], LogTimestamp(t0 + 200));
    EXPECT_EQ(Blocks()[2][2], "Text Editor");
    EXPECT_EQ(service->State(), RecorderState::Recording);
    if (!saver) return;
    service->Apply({Folder().string(), std::nullopt, true});
    for (const auto& [when, on, subject] :
         {std::tuple{t0 + 250, true, "Idle"}, std::tuple{t0 + 280, false, "Text Editor"}}) {
      SetFixedClock(when);
      saver(on);
      ASSERT_TRUE(WaitForBlocks(on ? 4 : 5));
      EXPECT_EQ(Blocks().back()[1], LogTimestamp(when));
      EXPECT_EQ(Blocks().back()[2], subject);
    }
  }

  const int64_t t0 = LocalToSeconds({2026, 3, 10, 10, 0, 0});
  TempDir home{"taskmeter-desktops"};
  ScopedEnv homeVariable{"TASKMETER_HOME", home.Path().string()};
  ScopedEnv dataDirs{"XDG_DATA_DIRS", (home.Path() / "none").string()};
  ScopedEnv dataHome{"XDG_DATA_HOME", (home.Path() / "share").string()};
  std::unique_ptr<RecorderService> service;
};

#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/RecorderChoice.h"
#include "recorder/DesktopWatch.h"
#include "recorder/RecorderService.h"
#include "support/TempDir.h"

// A window of the test on the compositor the suite runs in (tests/recorder/desktops/
// TestWindowMain.cpp), started as a program named after its application, so that each
// application has a process and a program path of its own.
class TestWindow {
 public:
  TestWindow(const std::filesystem::path& program, const std::string& appId,
             const std::string& title);
  ~TestWindow();
  void SetTitle(const std::string& title);
  // User activity on the seat, as a key press would report it.
  void Activity();
  void Close();
  int64_t ProcessId() const { return process_.processId(); }

 private:
  void Send(const std::string& line);
  QProcess process_;
};

// Runs the event loop until `done` or `timeout`; whether `done` came true.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(10));

// A screen saver service on the session bus, played by python-dbusmock: it answers
// GetActive and sends ActiveChanged when told.
class FakeScreenSaver {
 public:
  FakeScreenSaver(const QString& service, const QString& path);
  ~FakeScreenSaver();
  bool Running() const;
  void Set(bool active);

 private:
  QString service_, path_;
  QProcess process_;
};

// The recorder on one of the Wayland desktops, with the process clock fixed so that
// every timestamp is known, a data folder and desktop entries of the test's own.
class DesktopBackendTest : public testing::Test {
 protected:
  DesktopBackendTest();
  ~DesktopBackendTest() override;

  std::unique_ptr<TestWindow> Open(const std::string& appId, const std::string& title);
  // The program of the windows of `appId`.
  std::string Program(const std::string& appId) const {
    return (home.Path() / "bin" / appId).string();
  }
  // The desktop the host chooses here, which must be of `kind`, once the window in front
  // has the caption `front`.
  std::unique_ptr<DesktopWatch> Chosen(DesktopKind kind, const std::string& front = "notes.txt");
  // Starts the recorder on `desktop`, which must open.
  void Start(std::unique_ptr<DesktopWatch> desktop, const std::string& why,
             RecorderSettings settings = {});
  using BlockLines = std::vector<std::string>;
  std::vector<BlockLines> Blocks() const;
  // Runs the event loop until the day's file holds `count` blocks.
  bool WaitForBlocks(size_t count);
  // Today's seconds per application name, as the report tool reads the data folder.
  std::map<std::string, long long> TodayTotals(int64_t now);
  // With the recorder started and the editor in front at t0: the browser comes to the
  // front at t0+600 (`toBrowser`, which returns it), its caption becomes "News" at
  // t0+900, the editor comes back at t0+1000 (`toEditor`), the recorder stops at
  // t0+1300. Checks the blocks, whose program paths are `editorPath` and `browserPath`,
  // and the totals the report tool reads from them.
  void ExpectSwitchesAndCaption(const std::function<TestWindow&()>& toBrowser,
                                const std::function<void()>& toEditor,
                                const std::string& editorPath, const std::string& browserPath);
  // Starts the recorder on `desktop` with the editor in front and a one-second idle
  // threshold: idle seen at t0+100 pauses from the last input, `activity` at t0+200
  // resumes. Then, with `saver`, the screen saver alone pauses from t0+250 to t0+280.
  void ExpectIdleAndScreenSaver(std::unique_ptr<DesktopWatch> desktop,
                                const std::function<void()>& activity, FakeScreenSaver* saver);

  const int64_t t0;
  TempDir home{"taskmeter-desktops"};
  std::unique_ptr<RecorderService> service;

 private:
  std::vector<std::pair<const char*, std::string>> savedVariables_;
};

#pragma once

#include <QProcess>
#include <filesystem>
#include <memory>
#include <string>

#include "host/RecorderChoice.h"
#include "recorder/DesktopWatch.h"
#include "tests/recorder/RecordingFixture.h"

// A window of the test on the compositor the suite runs in (tests/recorder/desktops/
// TestWindowMain.cpp), started as a program named after its application, so that each
// application has a process and a program path of its own.
class TestWindow {
 public:
  TestWindow(const std::filesystem::path& program, const std::string& appId,
             const std::string& title);
  ~TestWindow() { Close(); }
  void SetTitle(const std::string& title) { Send("title " + title); }
  // User activity on the seat, as a key press would report it.
  void Activity() { Send("activity"); }
  void Close();

 private:
  void Send(const std::string& line);
  QProcess process_;
};

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

// The recorder on one of the Wayland desktops.
class DesktopBackendTest : public RecordingTest {
 protected:
  std::unique_ptr<TestWindow> Open(const std::string& appId, const std::string& title);
  // The program of the windows of `appId`.
  std::string Program(const std::string& appId) const {
    return (home.Path() / "bin" / appId).string();
  }
  // The desktop the host chooses here, which must be of `kind`, once the window in front
  // has the caption `front`.
  std::unique_ptr<DesktopWatch> Chosen(DesktopKind kind, const std::string& front = "notes.txt");
};

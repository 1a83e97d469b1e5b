#pragma once

#include <QDBusConnection>
#include <string>

#include "recorder/DesktopWatch.h"
#include "recorder/EventSet.h"

// What the desktops that learn the window in front from a helper of ours on the session
// bus share: a bus connection of their own, one descriptor for all their sources, and the
// last window and screen-saver state reported.
class BusDesktop : public DesktopWatch {
 public:
  int FileDescriptor() const override { return events_.FileDescriptor(); }
  WindowFacts Foreground() override { return front_; }
  // The window in front is always known here (or the desktop did not open).
  std::string ForegroundProblem() override { return {}; }
  bool ScreenSaverActive() override { return screenSaver_; }

 protected:
  explicit BusDesktop(const char* connectionName)
      : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName)) {}

  QDBusConnection bus_;
  EventSet events_;
  WindowFacts front_;
  bool frontChanged_ = false;
  bool screenSaver_ = false;
  bool lost_ = false;
};

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "recorder/ApplicationNamer.h"

// What a desktop reports to the recorder as it happens.
class DesktopListener {
 public:
  virtual ~DesktopListener() = default;
  // The window in front, or its caption, may have changed; so may ForegroundProblem.
  virtual void ForegroundChanged() = 0;
  // `idleMilliseconds`: how long ago the last input was, when the change was seen.
  virtual void IdleChanged(bool idle, int64_t idleMilliseconds) = 0;
  virtual void ScreenSaverChanged(bool active, int64_t idleMilliseconds) = 0;
  // The connection to the desktop broke; nothing more will be reported.
  virtual void DesktopLost() = 0;
};

// A desktop session whose foreground window, input and screen saver can be followed.
class DesktopWatch {
 public:
  virtual ~DesktopWatch() = default;
  // Readable when reports are waiting; then call Dispatch.
  virtual int FileDescriptor() const = 0;
  virtual void Dispatch(DesktopListener& listener) = 0;
  virtual WindowFacts Foreground() = 0;
  // Empty while the window in front can be known; else why not, for the user (a window
  // manager that does not report the active window). A change is reported as
  // ForegroundChanged.
  virtual std::string ForegroundProblem() = 0;
  // Reports IdleChanged after `threshold` milliseconds without input; nullopt: never.
  virtual void WatchIdle(std::optional<int64_t> thresholdMilliseconds) = 0;
  virtual bool ScreenSaverActive() = 0;
  virtual int64_t IdleMilliseconds() = 0;
};

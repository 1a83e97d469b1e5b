#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <memory>
#include <string>

#include "framework/core/Status.h"
#include "recorder/DesktopWatch.h"

class X11IdleAlarms;

// The foreground of an X11 desktop: the root window's _NET_ACTIVE_WINDOW and the
// caption, class and process of that window; idle time through the SYNC extension's
// IDLETIME alarms; the screen saver through the MIT-SCREEN-SAVER extension. Everything
// arrives as X events on the connection's socket, so nothing is polled. The active window
// is known only under a window manager that says it keeps _NET_ACTIVE_WINDOW; whether
// one does is checked again when the manager changes or goes away.
class X11Desktop : public DesktopWatch {
 public:
  // Connects to `display` (empty: $DISPLAY), or says why it cannot.
  static Result<std::unique_ptr<X11Desktop>> Connect(const std::string& display);
  ~X11Desktop() override;
  X11Desktop(const X11Desktop&) = delete;
  X11Desktop& operator=(const X11Desktop&) = delete;

  int FileDescriptor() const override;
  void Dispatch(DesktopListener& listener) override;
  WindowFacts Foreground() override;
  std::string ForegroundProblem() override;
  void WatchIdle(std::optional<int64_t> thresholdMilliseconds) override;
  bool ScreenSaverActive() override;
  int64_t IdleMilliseconds() override;

 private:
  struct WindowIdentity {
    xcb_window_t window = XCB_NONE;
    std::string wmInstance, wmClass, programPath;
    bool gone = false;
  };

  X11Desktop(xcb_connection_t* connection, xcb_screen_t* screen);
  Status Initialise();
  void InitialiseExtensions();
  void Follow(xcb_window_t window);
  std::string Caption(xcb_window_t window);
  WindowIdentity Identify(xcb_window_t window);
  uint32_t ProcessOf(xcb_window_t window);
  std::string FindForegroundProblem();
  // Handles one event; true when the foreground may have changed.
  bool Handle(const xcb_generic_event_t& event, DesktopListener& listener);

  xcb_connection_t* connection_;
  xcb_screen_t* screen_;
  xcb_ewmh_connection_t ewmh_{};
  bool ewmhReady_ = false;
  xcb_atom_t compoundText_ = XCB_ATOM_NONE;
  // The window manager's check window, watched so that its going away is seen.
  xcb_window_t managerWindow_ = XCB_NONE;
  bool problemKnown_ = false;
  std::string problem_;
  xcb_window_t followed_ = XCB_NONE;
  WindowIdentity identity_;
  std::string hostName_;
  bool haveRes_ = false;
  uint8_t saverEventBase_ = 0;
  bool haveSaver_ = false;
  std::unique_ptr<X11IdleAlarms> idle_;
};

#pragma once

#include <xcb/sync.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

// Tells when input has stopped for a threshold and when it comes back, through two
// alarms on the SYNC extension's IDLETIME counter: the server sends an event at each
// crossing, so nothing is polled.
class X11IdleAlarms {
 public:
  // Finds the counter; without one (no SYNC extension) nothing is ever reported.
  explicit X11IdleAlarms(xcb_connection_t* connection);
  ~X11IdleAlarms();
  X11IdleAlarms(const X11IdleAlarms&) = delete;
  X11IdleAlarms& operator=(const X11IdleAlarms&) = delete;

  // Arms the alarm for `threshold` milliseconds without input; nullopt disarms it. If
  // input has already stopped that long, the alarm goes off at once.
  void Watch(std::optional<int64_t> thresholdMilliseconds);

  struct Change {
    bool idle;
    int64_t idleMilliseconds;  // the counter when the alarm went off
  };
  // For an event of the connection: the change it reports, if it is one of ours.
  std::optional<Change> Handle(const xcb_generic_event_t& event);

 private:
  void Set(xcb_sync_alarm_t& alarm, int64_t value, bool whenAbove);
  void Drop();

  xcb_connection_t* connection_;
  uint8_t eventBase_ = 0;
  uint32_t counter_ = 0;  // IDLETIME, 0 when the server has none
  std::optional<int64_t> threshold_;
  xcb_sync_alarm_t idleAlarm_ = 0;    // goes off when input stopped for the threshold
  xcb_sync_alarm_t activeAlarm_ = 0;  // goes off when input comes back
  bool idle_ = false;
};

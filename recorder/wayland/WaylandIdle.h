#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

class WaylandClient;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_seat;

// Tells when input on the seat has stopped for a threshold and when it comes back,
// through ext-idle-notify-v1 where the compositor offers it, else KDE's older
// org_kde_kwin_idle (sway offers only that one). The compositor sends an event at each
// crossing, so nothing is polled.
class WaylandIdle {
 public:
  explicit WaylandIdle(WaylandClient& client);
  ~WaylandIdle();
  WaylandIdle(const WaylandIdle&) = delete;
  WaylandIdle& operator=(const WaylandIdle&) = delete;

  // Whether the compositor offers either protocol; without one nothing is reported.
  bool Available() const;
  // Watches for `threshold` milliseconds without input; nullopt stops watching.
  void Watch(std::optional<int64_t> thresholdMilliseconds);

  struct Change {
    bool idle;
    int64_t idleMilliseconds;  // how long ago the last input was when the change came
  };
  // The changes reported since the last call, oldest first.
  std::vector<Change> TakeChanges();
  // How long ago the last input was, as far as the notifications tell: 0 while the
  // user is active.
  int64_t IdleMilliseconds() const;

 private:
  void Drop();
  void Changed(bool idle);
  static void OnIdled(void* data, ext_idle_notification_v1*);
  static void OnResumed(void* data, ext_idle_notification_v1*);
  static void OnKdeIdle(void* data, org_kde_kwin_idle_timeout*);
  static void OnKdeResumed(void* data, org_kde_kwin_idle_timeout*);

  WaylandClient& client_;
  wl_seat* seat_ = nullptr;
  ext_idle_notifier_v1* notifier_ = nullptr;
  org_kde_kwin_idle* kdeIdle_ = nullptr;
  ext_idle_notification_v1* notification_ = nullptr;
  org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
  int64_t threshold_ = 0;
  bool idle_ = false;
  std::chrono::steady_clock::time_point idleSince_;
  std::vector<Change> changes_;
};

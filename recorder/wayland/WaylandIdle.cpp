#include "recorder/wayland/WaylandIdle.h"

#include <wayland-client.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "ext-idle-notify-v1-client.h"
#include "kde-idle-client.h"
#include "recorder/wayland/WaylandClient.h"

WaylandIdle::WaylandIdle(WaylandClient& client) : client_(client) {
  seat_ = static_cast<wl_seat*>(client.Bind(wl_seat_interface, 1));
  notifier_ = static_cast<ext_idle_notifier_v1*>(client.Bind(ext_idle_notifier_v1_interface, 1));
  if (notifier_ == nullptr) {
    kdeIdle_ = static_cast<org_kde_kwin_idle*>(client.Bind(org_kde_kwin_idle_interface, 1));
  }
}

WaylandIdle::~WaylandIdle() {
  Drop();
  if (notifier_ != nullptr) ext_idle_notifier_v1_destroy(notifier_);
  if (kdeIdle_ != nullptr) org_kde_kwin_idle_destroy(kdeIdle_);
  if (seat_ != nullptr) wl_seat_destroy(seat_);
  client_.Flush();
}

bool WaylandIdle::Available() const {
  return seat_ != nullptr && (notifier_ != nullptr || kdeIdle_ != nullptr);
}

void WaylandIdle::Watch(std::optional<int64_t> thresholdMilliseconds) {
  Drop();
  if (!Available() || !thresholdMilliseconds) return;
  threshold_ = *thresholdMilliseconds;
  const auto timeout = static_cast<uint32_t>(std::clamp<int64_t>(threshold_, 1, INT32_MAX));
  if (notifier_ != nullptr) {
    static const ext_idle_notification_v1_listener listener{&WaylandIdle::OnIdled,
                                                            &WaylandIdle::OnResumed};
    notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, timeout, seat_);
    ext_idle_notification_v1_add_listener(notification_, &listener, this);
  } else {
    static const org_kde_kwin_idle_timeout_listener listener{&WaylandIdle::OnKdeIdle,
                                                             &WaylandIdle::OnKdeResumed};
    kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, timeout);
    org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &listener, this);
  }
  client_.Flush();
}

void WaylandIdle::Drop() {
  if (notification_ != nullptr) ext_idle_notification_v1_destroy(notification_);
  if (kdeTimeout_ != nullptr) org_kde_kwin_idle_timeout_release(kdeTimeout_);
  notification_ = nullptr;
  kdeTimeout_ = nullptr;
  idle_ = false;
}

std::vector<WaylandIdle::Change> WaylandIdle::TakeChanges() { return std::exchange(changes_, {}); }

int64_t WaylandIdle::IdleMilliseconds() const {
  if (!idle_) return 0;
  const auto since = std::chrono::steady_clock::now() - idleSince_;
  return threshold_ + std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

void WaylandIdle::Changed(bool idle) {
  if (idle == idle_) return;
  idle_ = idle;
  // The notification comes when the threshold has passed since the last input.
  idleSince_ = std::chrono::steady_clock::now();
  changes_.push_back({idle, idle ? threshold_ : 0});
}

void WaylandIdle::OnIdled(void* data, ext_idle_notification_v1*) {
  static_cast<WaylandIdle*>(data)->Changed(true);
}
void WaylandIdle::OnResumed(void* data, ext_idle_notification_v1*) {
  static_cast<WaylandIdle*>(data)->Changed(false);
}
void WaylandIdle::OnKdeIdle(void* data, org_kde_kwin_idle_timeout*) {
  static_cast<WaylandIdle*>(data)->Changed(true);
}
void WaylandIdle::OnKdeResumed(void* data, org_kde_kwin_idle_timeout*) {
  static_cast<WaylandIdle*>(data)->Changed(false);
}

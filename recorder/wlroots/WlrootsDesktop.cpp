#include "recorder/wlroots/WlrootsDesktop.h"

#include <wayland-client.h>

#include <algorithm>
#include <utility>

#include "recorder/wayland/WaylandClient.h"
#include "recorder/wayland/WaylandIdle.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client.h"

namespace {

using Handle = zwlr_foreign_toplevel_handle_v1;

bool HoldsActivated(const wl_array* states) {
  const auto* state = static_cast<const uint32_t*>(states->data);
  const size_t count = states->size / sizeof(uint32_t);
  return std::find(state, state + count, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) !=
         state + count;
}

template <typename Toplevel>
Toplevel& Of(void* data) {
  return *static_cast<Toplevel*>(data);
}

}  // namespace

Result<std::unique_ptr<WlrootsDesktop>> WlrootsDesktop::Open(
    std::unique_ptr<WaylandClient> client) {
  if (!client->Offers(kToplevelManager)) {
    return Unavailable("the Wayland compositor does not offer wlr-foreign-toplevel-management");
  }
  std::unique_ptr<WlrootsDesktop> desktop(new WlrootsDesktop(std::move(client)));
  // The toplevels that exist and their states arrive before the answer.
  if (!desktop->client_->Roundtrip()) {
    return Unavailable("the Wayland compositor does not answer");
  }
  desktop->changed_ = false;
  return desktop;
}

WlrootsDesktop::WlrootsDesktop(std::unique_ptr<WaylandClient> client)
    : client_(std::move(client)), idle_(std::make_unique<WaylandIdle>(*client_)) {
  static const zwlr_foreign_toplevel_manager_v1_listener listener{&WlrootsDesktop::OnToplevel,
                                                                  &WlrootsDesktop::OnFinished};
  manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(
      client_->Bind(zwlr_foreign_toplevel_manager_v1_interface, 3));
  zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &listener, this);
}

WlrootsDesktop::~WlrootsDesktop() {
  for (const auto& toplevel : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
  if (manager_ != nullptr) zwlr_foreign_toplevel_manager_v1_destroy(manager_);
  idle_.reset();
  client_->Flush();
}

void WlrootsDesktop::OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, Handle* handle) {
  static_cast<WlrootsDesktop*>(data)->Adopt(handle);
}

void WlrootsDesktop::OnFinished(void* data, zwlr_foreign_toplevel_manager_v1*) {
  static_cast<WlrootsDesktop*>(data)->finished_ = true;
}

void WlrootsDesktop::Adopt(Handle* handle) {
  static const zwlr_foreign_toplevel_handle_v1_listener listener{
      .title = [](void* data, Handle*,
                  const char* title) { Of<Toplevel>(data).pendingTitle = title; },
      .app_id = [](void* data, Handle*,
                   const char* appId) { Of<Toplevel>(data).pendingAppId = appId; },
      .output_enter = [](void*, Handle*, wl_output*) {},
      .output_leave = [](void*, Handle*, wl_output*) {},
      .state =
          [](void* data, Handle*, wl_array* states) {
            Of<Toplevel>(data).pendingActivated = HoldsActivated(states);
          },
      .done =
          [](void* data, Handle*) {
            Toplevel& toplevel = Of<Toplevel>(data);
            toplevel.desktop->Commit(toplevel);
          },
      .closed =
          [](void* data, Handle*) {
            Toplevel& toplevel = Of<Toplevel>(data);
            toplevel.desktop->Forget(toplevel);
          },
      .parent = [](void*, Handle*, Handle*) {},
  };
  auto toplevel = std::make_unique<Toplevel>();
  toplevel->desktop = this;
  toplevel->handle = handle;
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, toplevel.get());
  toplevels_.push_back(std::move(toplevel));
}

void WlrootsDesktop::Commit(Toplevel& toplevel) {
  const bool wasActive = &toplevel == active_;
  const bool titleChanged =
      toplevel.title != toplevel.pendingTitle || toplevel.appId != toplevel.pendingAppId;
  toplevel.title = toplevel.pendingTitle;
  toplevel.appId = toplevel.pendingAppId;
  toplevel.activated = toplevel.pendingActivated;
  if (toplevel.activated && !wasActive) {
    active_ = &toplevel;
    changed_ = true;
  } else if (!toplevel.activated && wasActive) {
    active_ = nullptr;  // until another one reports itself activated
    changed_ = true;
  } else if (wasActive && titleChanged) {
    changed_ = true;
  }
}

void WlrootsDesktop::Forget(Toplevel& toplevel) {
  if (&toplevel == active_) {
    active_ = nullptr;
    changed_ = true;
  }
  zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
  std::erase_if(toplevels_, [&](const auto& held) { return held.get() == &toplevel; });
}

int WlrootsDesktop::FileDescriptor() const { return client_->FileDescriptor(); }

void WlrootsDesktop::Dispatch(DesktopListener& listener) {
  const bool alive = client_->Dispatch() && !finished_;
  for (const WaylandIdle::Change& change : idle_->TakeChanges()) {
    listener.IdleChanged(change.idle, change.idleMilliseconds);
  }
  if (std::exchange(changed_, false)) listener.ForegroundChanged();
  if (!alive) listener.DesktopLost();
}

WindowFacts WlrootsDesktop::Foreground() {
  WindowFacts facts;
  if (active_ == nullptr) {
    facts.exists = false;
    return facts;
  }
  facts.title = active_->title;
  facts.wmClass = active_->appId;
  return facts;
}

void WlrootsDesktop::WatchIdle(std::optional<int64_t> thresholdMilliseconds) {
  idle_->Watch(thresholdMilliseconds);
}

int64_t WlrootsDesktop::IdleMilliseconds() { return idle_->IdleMilliseconds(); }

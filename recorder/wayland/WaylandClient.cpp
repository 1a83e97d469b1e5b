#include "recorder/wayland/WaylandClient.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>

Result<std::unique_ptr<WaylandClient>> WaylandClient::Connect() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    return Unavailable(std::string("cannot connect to the Wayland compositor ") +
                       (name != nullptr && *name != '\0' ? name : "wayland-0"));
  }
  std::unique_ptr<WaylandClient> client(new WaylandClient(display));
  static const wl_registry_listener listener{&WaylandClient::OnGlobal,
                                             &WaylandClient::OnGlobalRemove};
  client->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(client->registry_, &listener, client.get());
  if (!client->Roundtrip()) {
    return Unavailable("the Wayland compositor does not answer");
  }
  return client;
}

WaylandClient::WaylandClient(wl_display* display) : display_(display) {}

WaylandClient::~WaylandClient() {
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void WaylandClient::OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface,
                             uint32_t version) {
  static_cast<WaylandClient*>(data)->globals_.push_back({name, interface, version});
}

void WaylandClient::OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto& globals = static_cast<WaylandClient*>(data)->globals_;
  std::erase_if(globals, [name](const Global& global) { return global.name == name; });
}

bool WaylandClient::Offers(std::string_view interface) const {
  return std::any_of(globals_.begin(), globals_.end(),
                     [&](const Global& global) { return global.interface == interface; });
}

void* WaylandClient::Bind(const wl_interface& interface, uint32_t knownVersion) {
  for (const Global& global : globals_) {
    if (global.interface != interface.name) continue;
    return wl_registry_bind(registry_, global.name, &interface,
                            std::min(global.version, knownVersion));
  }
  return nullptr;
}

int WaylandClient::FileDescriptor() const { return wl_display_get_fd(display_); }

bool WaylandClient::Dispatch() {
  // Events already read (by a roundtrip) are handled first; the socket is read only
  // when it has something, so this never blocks.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) return false;
  }
  pollfd readable{FileDescriptor(), POLLIN, 0};
  if (::poll(&readable, 1, 0) > 0) {
    if (wl_display_read_events(display_) < 0) return false;
  } else {
    wl_display_cancel_read(display_);
  }
  if (wl_display_dispatch_pending(display_) < 0) return false;
  Flush();
  return wl_display_get_error(display_) == 0;
}

bool WaylandClient::Roundtrip() { return wl_display_roundtrip(display_) >= 0; }

void WaylandClient::Flush() { wl_display_flush(display_); }

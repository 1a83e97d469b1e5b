#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Status.h"

struct wl_display;
struct wl_interface;
struct wl_registry;

// A connection to the Wayland compositor of this session ($WAYLAND_DISPLAY) and the
// globals it offers. Events are read only when the owner's descriptor is readable, so
// the connection lives on the program's own event loop.
class WaylandClient {
 public:
  // The connection, or why no compositor answers.
  static Result<std::unique_ptr<WaylandClient>> Connect();
  ~WaylandClient();
  WaylandClient(const WaylandClient&) = delete;
  WaylandClient& operator=(const WaylandClient&) = delete;

  bool Offers(std::string_view interface) const;
  // Binds a global at the lower of the offered and the known version; nullptr when it
  // is not offered. The caller owns the proxy.
  void* Bind(const wl_interface& interface, uint32_t knownVersion);

  int FileDescriptor() const;
  // Reads what has arrived and runs its handlers; false when the connection broke.
  bool Dispatch();
  // Sends what is queued and waits until the compositor has answered all of it.
  bool Roundtrip();
  void Flush();

 private:
  struct Global {
    uint32_t name;
    std::string interface;
    uint32_t version;
  };
  explicit WaylandClient(wl_display* display);
  static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version);
  static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);

  wl_display* display_;
  wl_registry* registry_ = nullptr;
  std::vector<Global> globals_;
};

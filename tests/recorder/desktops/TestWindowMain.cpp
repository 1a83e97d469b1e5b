// A window for the recorder's desktop tests, on whatever Wayland compositor
// $WAYLAND_DISPLAY names: `test-window APP_ID TITLE`. It shows a plain toplevel and
// reads commands from its standard input, one a line: "title TEXT" sets the caption,
// "activity" reports user activity on the seat as input would, end of input closes it.
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstring>
#include <iostream>
#include <string>

#include "kde-idle-client.h"
#include "xdg-shell-client.h"

// The window's protocol objects live as long as the process; a leak check at its end
// would only list them.
extern "C" const char* __lsan_default_options() { return "detect_leaks=0"; }

namespace {

struct Window {
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  wl_seat* seat = nullptr;
  xdg_wm_base* shell = nullptr;
  org_kde_kwin_idle* idle = nullptr;
  wl_surface* surface = nullptr;
  xdg_toplevel* toplevel = nullptr;
  wl_buffer* buffer = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto& w = *static_cast<Window*>(data);
  const std::string_view which(interface);
  auto bind = [&](const wl_interface& type, uint32_t version) {
    return wl_registry_bind(registry, name, &type, version);
  };
  if (which == "wl_compositor")
    w.compositor = static_cast<wl_compositor*>(bind(wl_compositor_interface, 1));
  if (which == "wl_shm") w.shm = static_cast<wl_shm*>(bind(wl_shm_interface, 1));
  if (which == "wl_seat") w.seat = static_cast<wl_seat*>(bind(wl_seat_interface, 1));
  if (which == "xdg_wm_base") w.shell = static_cast<xdg_wm_base*>(bind(xdg_wm_base_interface, 1));
  if (which == "org_kde_kwin_idle")
    w.idle = static_cast<org_kde_kwin_idle*>(bind(org_kde_kwin_idle_interface, 1));
}

// A grey buffer of the window's size, so that the compositor maps the window.
wl_buffer* MakeBuffer(wl_shm* shm, int width, int height) {
  const int stride = width * 4;
  const int size = stride * height;
  const int fd = memfd_create("test-window", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, size) != 0) return nullptr;
  void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  std::memset(pixels, 0x80, size);
  munmap(pixels, size);
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
  wl_buffer* buffer =
      wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  return buffer;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: test-window APP_ID TITLE\n";
    return 2;
  }
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::cerr << "test-window: no Wayland compositor\n";
    return 1;
  }
  Window w;
  static const wl_registry_listener registryListener{&OnGlobal,
                                                     [](void*, wl_registry*, uint32_t) {}};
  wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &w);
  wl_display_roundtrip(display);
  if (!w.compositor || !w.shm || !w.shell) {
    std::cerr << "test-window: the compositor lacks xdg-shell\n";
    return 1;
  }
  static const xdg_wm_base_listener shellListener{
      [](void*, xdg_wm_base* shell, uint32_t serial) { xdg_wm_base_pong(shell, serial); }};
  xdg_wm_base_add_listener(w.shell, &shellListener, nullptr);
  w.surface = wl_compositor_create_surface(w.compositor);
  xdg_surface* shellSurface = xdg_wm_base_get_xdg_surface(w.shell, w.surface);
  static const xdg_surface_listener surfaceListener{
      [](void* data, xdg_surface* s, uint32_t serial) {
        auto& w = *static_cast<Window*>(data);
        xdg_surface_ack_configure(s, serial);
        if (w.buffer == nullptr) w.buffer = MakeBuffer(w.shm, 320, 200);
        wl_surface_attach(w.surface, w.buffer, 0, 0);
        wl_surface_commit(w.surface);
      }};
  xdg_surface_add_listener(shellSurface, &surfaceListener, &w);
  w.toplevel = xdg_surface_get_toplevel(shellSurface);
  static const xdg_toplevel_listener toplevelListener{
      [](void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {},
      [](void*, xdg_toplevel*) { std::exit(0); }, [](void*, xdg_toplevel*, int32_t, int32_t) {},
      [](void*, xdg_toplevel*, wl_array*) {}};
  xdg_toplevel_add_listener(w.toplevel, &toplevelListener, &w);
  xdg_toplevel_set_app_id(w.toplevel, argv[1]);
  xdg_toplevel_set_title(w.toplevel, argv[2]);
  wl_surface_commit(w.surface);
  wl_display_flush(display);

  pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  std::string pending;
  for (;;) {
    wl_display_flush(display);
    if (poll(fds, 2, -1) < 0) break;
    if (fds[0].revents != 0 && wl_display_dispatch(display) < 0) break;
    if (fds[1].revents == 0) continue;
    char chunk[512];
    const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
    if (got <= 0) break;
    pending.append(chunk, static_cast<size_t>(got));
    for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      const std::string line = pending.substr(0, end);
      if (line.rfind("title ", 0) == 0) {
        xdg_toplevel_set_title(w.toplevel, line.substr(6).c_str());
        wl_surface_commit(w.surface);
      } else if (line == "activity" && w.idle != nullptr && w.seat != nullptr) {
        org_kde_kwin_idle_timeout* timeout =
            org_kde_kwin_idle_get_idle_timeout(w.idle, w.seat, 3600000);
        org_kde_kwin_idle_timeout_simulate_user_activity(timeout);
        org_kde_kwin_idle_timeout_release(timeout);
      }
    }
  }
  wl_display_disconnect(display);
  return 0;
}

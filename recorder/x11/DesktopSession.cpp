#include "recorder/x11/DesktopSession.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

#include "recorder/x11/X11Desktop.h"

namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

Result<std::unique_ptr<DesktopWatch>> OpenDesktopSession() {
  if (Environment("XDG_SESSION_TYPE") == "wayland" || !Environment("WAYLAND_DISPLAY").empty()) {
    return Unavailable("in a Wayland session the window in front cannot be known");
  }
  const std::string display(Environment("DISPLAY"));
  if (display.empty()) return Unavailable("no X11 display (DISPLAY is not set)");
  auto desktop = X11Desktop::Connect(display);
  if (!desktop) return desktop.GetStatus();
  return std::unique_ptr<DesktopWatch>(std::move(*desktop));
}

std::string X11DisplayProblem(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool broken = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  return broken ? "cannot open the X11 display " + display : std::string();
}

#include "host/RecorderChoice.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "framework/core/Paths.h"
#include "recorder/gnome/GnomeDesktop.h"
#include "recorder/kde/KdeDesktop.h"
#include "recorder/wayland/WaylandClient.h"
#include "recorder/wlroots/WlrootsDesktop.h"
#include "recorder/x11/X11Desktop.h"

namespace {

struct KindName {
  DesktopKind kind;
  const char* option;
  const char* label;
};
constexpr std::array<KindName, 5> kKinds{{
    {DesktopKind::X11, "x11", "X11"},
    {DesktopKind::Wlroots, "wlroots", "wlroots"},
    {DesktopKind::Kde, "kde", "KDE Plasma"},
    {DesktopKind::Gnome, "gnome", "GNOME"},
    {DesktopKind::None, "none", ""},
}};

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Whether $XDG_CURRENT_DESKTOP, a list separated by colons, names `desktop`.
bool CurrentDesktopIs(std::string_view desktop) {
  std::string_view list = Environment("XDG_CURRENT_DESKTOP");
  while (!list.empty()) {
    const size_t colon = list.find(':');
    if (list.substr(0, colon) == desktop) return true;
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return false;
}

// The desktop `opened`, or why there is none.
template <typename Desktop>
ChosenDesktop Chosen(DesktopKind kind, Result<std::unique_ptr<Desktop>> opened) {
  ChosenDesktop chosen;
  chosen.kind = kind;
  if (opened) {
    chosen.watch = std::move(*opened);
  } else {
    chosen.why = opened.Message();
  }
  return chosen;
}

ChosenDesktop Open(DesktopKind kind, std::unique_ptr<WaylandClient> wayland,
                   const std::string& kwinScript) {
  switch (kind) {
    case DesktopKind::X11: {
      const std::string display(Environment("DISPLAY"));
      if (display.empty()) {
        return Chosen<X11Desktop>(kind, Unavailable("no X11 display (DISPLAY is not set)"));
      }
      return Chosen(kind, X11Desktop::Connect(display));
    }
    case DesktopKind::Wlroots:
      if (!wayland) {
        auto connected = WaylandClient::Connect();
        if (!connected) return Chosen<WlrootsDesktop>(kind, connected.GetStatus());
        wayland = std::move(*connected);
      }
      return Chosen(kind, WlrootsDesktop::Open(std::move(wayland)));
    case DesktopKind::Kde:
      return Chosen(kind, KdeDesktop::Open(kwinScript));
    case DesktopKind::Gnome:
      return Chosen(kind, GnomeDesktop::Open());
    case DesktopKind::None:
      break;
  }
  return Chosen<DesktopWatch>(kind, Unavailable("recording is off (--recorder none)"));
}

}  // namespace

std::string KWinScriptPath() {
  const std::filesystem::path installed =
      (std::filesystem::path(GetProgramDirectory()) / TASKMETER_KWIN_SCRIPT_FROM_PROGRAM)
          .lexically_normal();
  std::error_code ec;
  if (std::filesystem::is_regular_file(installed, ec)) return installed.string();
#ifdef TASKMETER_SOURCE_KWIN_SCRIPT
  return TASKMETER_SOURCE_KWIN_SCRIPT;
#else
  return installed.string();
#endif
}

std::optional<DesktopKind> DesktopKindNamed(std::string_view name) {
  for (const KindName& kind : kKinds) {
    if (name == kind.option) return kind.kind;
  }
  return std::nullopt;
}

std::string DesktopKindLabel(DesktopKind kind) {
  for (const KindName& named : kKinds) {
    if (named.kind == kind) return named.label;
  }
  return {};
}

ChosenDesktop ChooseDesktop(std::optional<DesktopKind> forced, const std::string& kwinScript) {
  if (forced) return Open(*forced, nullptr, kwinScript);
  const bool wayland =
      !Environment("WAYLAND_DISPLAY").empty() || Environment("XDG_SESSION_TYPE") == "wayland";
  if (!wayland) return Open(DesktopKind::X11, nullptr, kwinScript);
  auto client = WaylandClient::Connect();
  if (client && (*client)->Offers(WlrootsDesktop::kToplevelManager)) {
    return Open(DesktopKind::Wlroots, std::move(*client), kwinScript);
  }
  if (CurrentDesktopIs("KDE")) return Open(DesktopKind::Kde, nullptr, kwinScript);
  if (CurrentDesktopIs("GNOME")) return Open(DesktopKind::Gnome, nullptr, kwinScript);
  ChosenDesktop none;
  none.why = client ? "this Wayland desktop does not tell which window is in front (wlroots "
                      "compositors, KDE Plasma and GNOME do)"
                    : client.Message();
  return none;
}

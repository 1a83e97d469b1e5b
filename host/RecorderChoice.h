#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "recorder/DesktopWatch.h"

// The kinds of desktop the recorder can follow.
enum class DesktopKind { X11, Wlroots, Kde, Gnome, None };

// The kind `--recorder` names ("x11", "wlroots", "kde", "gnome", "none"); nullopt for
// any other word.
std::optional<DesktopKind> DesktopKindNamed(std::string_view name);
// The desktop's name as the status bar shows it ("KDE Plasma").
std::string DesktopKindLabel(DesktopKind kind);

struct ChosenDesktop {
  DesktopKind kind = DesktopKind::None;
  std::unique_ptr<DesktopWatch> watch;  // nullptr: nothing is recorded, `why` says why
  std::string why;
};

// The KWin script the package installs, found from the program's folder; in a build
// folder, the one of the source tree.
std::string KWinScriptPath();

// The desktop of this session. In a Wayland session: a compositor that offers the
// wlroots protocol, else KDE Plasma, else GNOME, else none (never XWayland, which sees
// only the windows of X11 programs). Outside one, X11 where $DISPLAY works. `forced`
// opens that kind whatever the session. `kwinScript` is the script KDE Plasma runs.
ChosenDesktop ChooseDesktop(std::optional<DesktopKind> forced, const std::string& kwinScript);

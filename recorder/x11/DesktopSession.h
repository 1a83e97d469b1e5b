#pragma once

#include <memory>
#include <string>

#include "framework/core/Status.h"
#include "recorder/DesktopWatch.h"

// The desktop of this session when its foreground window can be known: an X11 display
// ($DISPLAY, whatever platform the program's own windows use). Under Wayland, where an
// X11 client sees only the windows of other X11 clients, and without a display, the
// failure says why for the user.
Result<std::unique_ptr<DesktopWatch>> OpenDesktopSession();

// Empty when a program can open the X11 display `display`; else why not, for the user.
std::string X11DisplayProblem(const std::string& display);

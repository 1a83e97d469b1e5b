#pragma once

#include <functional>
#include <string>

#include "framework/messages/WinTypes.h"

// The full path of the shared object loaded at `instance`; the executable's path for
// a null handle or the executable's own handle. Empty when the handle is unknown.
std::string GetModuleFileName(HINSTANCE instance);

// Opens `file` (a path or a URL) with the desktop's default handler. Returns a value
// above 32 on success and 2 (file not found) or 31 (no handler) on failure, as callers
// have always compared it.
using HINSTANCE_RESULT = std::intptr_t;
HINSTANCE_RESULT ShellExecute(HWND owner, const char* operation, const char* file,
                              const char* parameters, const char* directory, int showCmd);

// Test seam: when set, ShellExecute hands the target to it instead of the desktop, and
// the hook's answer tells whether it "opened".
using ShellOpenHook = std::function<bool(const std::string& target)>;
void SetShellOpenHookForTesting(ShellOpenHook hook);

HWND GetDesktopWindow();

// Waits `milliseconds` on the calling thread, through the process's sleeper. Tests put
// a sleeper of their own in place (one that only counts), so that waits cost no time.
void Sleep(DWORD milliseconds);
using Sleeper = std::function<void(DWORD milliseconds)>;
// Returns the sleeper it replaces; null puts the real one back.
Sleeper SetSleeperForTesting(Sleeper sleeper);

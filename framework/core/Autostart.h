#pragma once

#include <string>

// Start with the desktop session: an XDG autostart entry
// $XDG_CONFIG_HOME/autostart/TaskMeter.desktop (default ~/.config) whose Exec is the
// quoted host path. Failures are ignored, as the host never reports them.

std::string GetAutostartEntryPath();

// Creates or overwrites the entry for `hostPath` when `enabled`, removes it otherwise.
void UpdateAutostartEntry(bool enabled, const std::string& hostPath);

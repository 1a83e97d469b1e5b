#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "storage/MainPrefs.h"

// What the recorder takes from the preferences.
struct RecorderSettings {
  std::string dataFolder;
  std::optional<int64_t> idleMilliseconds;  // nullopt: no pause for lack of input
  bool pauseOnScreenSaver = false;

  bool operator==(const RecorderSettings&) const = default;
};

// A relative data folder is taken from `executableDirectory`, as the module reads it;
// an empty one is the default data folder.
RecorderSettings RecorderSettingsFrom(const MainPrefs& prefs,
                                      const std::string& executableDirectory);

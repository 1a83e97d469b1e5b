#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "recorder/ActivityRecorder.h"
#include "storage/MainPrefs.h"

// What the recorder takes from the preferences.
struct RecorderSettings {
  std::string dataFolder;
  std::optional<int64_t> idleMilliseconds;  // nullopt: no pause for lack of input
  bool pauseOnScreenSaver = false;
  // How much a program that dies without writing "Stop" may lose at most.
  int64_t checkpointSeconds = ActivityRecorder::kDefaultCheckpointSeconds;
  // The user's tree, whose applications keep their display names; empty: none.
  std::string treeFile = {};

  bool operator==(const RecorderSettings&) const = default;
};

// A relative data folder is taken from `executableDirectory`, as the module reads it;
// an empty one is the default data folder. The tree file is the one of that home.
// $TASKMETER_CHECKPOINT_SECONDS, when set to a positive number, replaces the checkpoint interval
// (tests, a crash-prone session).
RecorderSettings RecorderSettingsFrom(const MainPrefs& prefs,
                                      const std::string& executableDirectory);

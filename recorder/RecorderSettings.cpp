#include "recorder/RecorderSettings.h"

#include <cstdlib>
#include <filesystem>

#include "framework/core/Paths.h"
#include "storage/ViewOptionsFile.h"

RecorderSettings RecorderSettingsFrom(const MainPrefs& prefs,
                                      const std::string& executableDirectory) {
  RecorderSettings settings;
  // Preferences that could not be read leave the path empty; the module then reads the
  // default folder, so that is where the time goes.
  const std::filesystem::path folder(prefs.DbPath.empty() ? GetDefaultDataFolder() : prefs.DbPath);
  settings.dataFolder =
      folder.is_absolute() ? folder.string() : (executableDirectory / folder).string();
  if (prefs.bPauseTimeTrackingOnUserInActive && prefs.IdleTime > 0) {
    settings.idleMilliseconds = static_cast<int64_t>(prefs.IdleTime) * 1000;
  }
  settings.pauseOnScreenSaver = prefs.bPauseTimeTrackingOnScreenSaverActive;
  if (!executableDirectory.empty()) {
    settings.treeFile = GetViewOptionsPath(ResolveHomeFolders(executableDirectory).options);
  }
  if (const char* checkpoint = std::getenv("TASKMETER_CHECKPOINT_SECONDS")) {
    const long long seconds = std::atoll(checkpoint);
    if (seconds > 0) settings.checkpointSeconds = seconds;
  }
  return settings;
}

#include "host/recorder/RecorderSettings.h"

#include <filesystem>

RecorderSettings RecorderSettingsFrom(const MainPrefs& prefs,
                                      const std::string& executableDirectory) {
  RecorderSettings settings;
  const std::filesystem::path folder(prefs.DbPath);
  settings.dataFolder =
      folder.is_absolute() ? folder.string() : (executableDirectory / folder).string();
  if (prefs.bPauseTimeTrackingOnUserInActive && prefs.IdleTime > 0) {
    settings.idleMilliseconds = static_cast<int64_t>(prefs.IdleTime) * 1000;
  }
  settings.pauseOnScreenSaver = prefs.bPauseTimeTrackingOnScreenSaverActive;
  return settings;
}

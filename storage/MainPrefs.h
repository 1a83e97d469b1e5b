#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"

// The preference record shared with the host through "options/mainpref.ini". Field
// names keep the keys of the file. The initial values are those a new user expects
// before any file has been read (see MainPrefs.cpp for why each is chosen).
struct MainPrefs {
  std::string DbPath;
  std::string LastOpenDbFile;
  std::string Language = "English";
  bool LoadOnStartup = false;
  bool bPauseTimeTrackingOnUserInActive = true;
  bool bPauseTimeTrackingOnScreenSaverActive = true;
  bool bEnableFilter = false;
  bool bAnimatedIconInSysTray = true;
  bool isPass = false;
  int32_t iShowpProgrUsedMoreSec = 60;
  int32_t iShowpProgrUsedMorePercent = 1;
  int32_t IdleTime = 300;
  std::string Pass;

  bool operator==(const MainPrefs&) const = default;
};

// The host reads lines through a 1,024-byte buffer, so no line holds more than this.
inline constexpr size_t kMaxPrefsLineLength = 1023;
// The longest password (in bytes) that its line, after "Pass=", keeps whole.
inline constexpr size_t kMaxPassLength = kMaxPrefsLineLength - std::string_view("Pass=").size();

// Path of "options/mainpref.ini".
std::string GetMainPrefsPath(const std::string& optionsFolder);

// Fills `prefs` from the text of the file: the n-th line feeds the n-th field whatever
// its key. Text with no lines at all leaves `prefs` as it was; lines missing at the end
// give empty strings, 0 and off. Touches no file: an empty db path stays empty here.
void ParseMainPrefsText(std::string_view text, MainPrefs& prefs);

// Reads the thirteen lines into `prefs`; how the file was found. Missing or
// Unreadable leave `prefs` as it was. An empty db path becomes the default data folder.
OpenStatus ReadMainPrefsFile(const std::string& path, MainPrefs& prefs);
// The same, true when the file was read.
bool ReadMainPrefs(const std::string& path, MainPrefs& prefs);

// The document's loader: ReadMainPrefsFile, then the autostart entry follows
// LoadOnStartup (only when the file could be read).
OpenStatus LoadMainPrefsWithAutostart(const std::string& path, MainPrefs& prefs);

// The exact bytes of the file for `prefs` (thirteen lines, CR LF).
std::string MainPrefsText(const MainPrefs& prefs);

// Writes all thirteen lines, owner read/write only. Returns false, leaving the old
// file exactly as it was, when the file cannot be written.
bool WriteMainPrefs(const std::string& path, const MainPrefs& prefs);

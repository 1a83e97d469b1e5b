#pragma once

#include <string>

// Where the program's files live. Folder results end with '/'.

// The folder of the running executable, or $TASKMETER_HOME when it is set (tests,
// demos, portable installs). A relative $TASKMETER_HOME is made absolute against the
// current directory at its first use, and stays so.
std::string GetExecutableDirectory();

// Full path of the running executable (/proc/self/exe resolved).
std::string GetExecutablePath();

// The options folder: executable directory + "options/". Never created here.
std::string GetOptionsFolder();

// Always true here: the per-user data folder below is the default on this platform.
bool IsWindowsNT();

// $XDG_DATA_HOME (default ~/.local/share) + "Kestrel Works/TaskMeter/DB/", creating
// the three folders when missing. Empty when no base folder can be determined.
std::string GetDataFolder();

// The data folder used when the preferences name none.
std::string GetDefaultDataFolder();

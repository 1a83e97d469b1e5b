#pragma once

#include <string>

// Where the program's files live. Folder results end with '/'.

// The home: the folder that holds `options` and everything the program writes.
// $TASKMETER_HOME when it is set (tests, demos); else the program's own folder when it
// holds an `options` folder (a portable copy); else the per-user folder of
// HomeForProgramIn. A relative $TASKMETER_HOME is made absolute against the current
// directory at its first use, and stays so. Empty when no home can be determined.
std::string GetExecutableDirectory();

// The home of a program in `programFolder` when $TASKMETER_HOME is not set: that
// folder when it holds an `options` folder, else $XDG_CONFIG_HOME/TaskMeter/ (by
// default ~/.config/TaskMeter/), because an installed program must never write beside
// itself. Empty when neither XDG_CONFIG_HOME (absolute) nor HOME is set.
std::string HomeForProgramIn(const std::string& programFolder);

// Full path of the running executable (/proc/self/exe resolved).
std::string GetExecutablePath();

// The folder of the running executable, whatever the home is: where the program's own
// files (the module library, shipped data) are found relative to it.
std::string GetProgramDirectory();

// `path` as an absolute path: a relative one is taken from `base` (from the current
// directory when `base` is empty); "." and ".." are folded away.
std::string AbsolutePath(const std::string& path, const std::string& base = {});

// The folders the document and the tools work in, absolute and ending with '/', so
// that nothing depends on the current directory (the log scan moves it).
struct HomeFolders {
  std::string home;     // the executable directory
  std::string options;  // home + "options/"

  // Where the logs of the preferences' `dbPath` are read from, with symbolic links
  // resolved: a relative path is taken from the home; a path that names no folder we
  // can enter (the empty one too) gives the home itself, as the scan has always
  // fallen back to the executable directory.
  std::string DataFolder(const std::string& dbPath) const;
};

// The folders of `home` (as GetExecutableDirectory decides it, or a tool's --home); none
// when `home` is empty.
HomeFolders ResolveHomeFolders(const std::string& home);

// The options folder: executable directory + "options/". Never created here.
std::string GetOptionsFolder();

// Always true here: the per-user data folder below is the default on this platform.
bool IsWindowsNT();

// $XDG_DATA_HOME (default ~/.local/share) + "Kestrel Works/TaskMeter/DB/", creating
// the three folders when missing. Empty when no base folder can be determined.
std::string GetDataFolder();

// The data folder used when the preferences name none.
std::string GetDefaultDataFolder();

// $XDG_DATA_HOME (default ~/.local/share) + "Kestrel Works/TaskMeter/Computers/": where a
// file synchronisation tool puts the data folders of the user's other computers, one
// sub-folder each, whatever this computer's data folder is. Never created here: the
// program only reads it. Empty when no base folder can be determined.
std::string GetComputersFolder();

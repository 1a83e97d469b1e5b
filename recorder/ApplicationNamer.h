#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "recorder/ActivityBlock.h"

// What the desktop tells about the window in front.
struct WindowFacts {
  std::string title;
  std::string wmInstance;   // first part of WM_CLASS
  std::string wmClass;      // second part of WM_CLASS
  std::string programPath;  // empty when the owning process cannot be known
  bool exists = true;       // false: no window is in front
};

// The applications the desktop's menus know, from their desktop entries.
class DesktopEntries {
 public:
  // Reads the "*.desktop" files of `folders`; an entry of an earlier folder hides one
  // of the same file name in a later folder, as the desktop does.
  static DesktopEntries Scan(const std::vector<std::string>& folders);
  // The "applications" folders of $XDG_DATA_HOME and $XDG_DATA_DIRS.
  static std::vector<std::string> StandardFolders();

  // The Name= of the entry that matches the window's class (its StartupWMClass, or the
  // entry's file name), else the one that starts `programName`.
  std::optional<std::string> NameFor(const std::string& wmClass, const std::string& wmInstance,
                                     const std::string& programName) const;

 private:
  std::map<std::string, std::string> byWindowClass_;  // lower-case StartupWMClass -> Name
  std::map<std::string, std::string> byFileName_;     // lower-case file name stem -> Name
  std::map<std::string, std::string> byProgram_;      // program file name -> Name
};

// Whether `programName` is an interpreter or a runtime (python3.11, java, wine, node),
// whose process runs programs that are each an application of their own.
bool IsRuntimeProgram(const std::string& programName);

// Names the subject of a window. The identifying name is the program's file name; the
// display name is the desktop's name for the application, else the window class, else
// the program name. A program run by an interpreter or a runtime is known by its window
// class instead, since the interpreter's name would merge every such program into one.
// A display name already worn by another program (or by one of the pauses) gets the
// program's name added, since the module takes a record whose display name is known as
// an application already counted.
class ApplicationNamer {
 public:
  // What stands in for the program path where the process cannot be known, and where
  // an interpreter runs the program ("runtime:python3.11:Meldish"); a path never starts
  // like these.
  static constexpr const char* kUnknownProgramPrefix = "wm-class:";
  static constexpr const char* kRuntimePrefix = "runtime:";

  explicit ApplicationNamer(DesktopEntries entries) : entries_(std::move(entries)) {}

  // Claims a display name for an application, as the group tree already holds it.
  void Reserve(const std::string& displayName, const std::string& appName);
  ActivitySubject Name(const WindowFacts& window);

 private:
  std::string UniqueDisplayName(std::string displayName, const std::string& appName);

  DesktopEntries entries_;
  std::map<std::string, std::string> owners_;  // display name -> application name
};

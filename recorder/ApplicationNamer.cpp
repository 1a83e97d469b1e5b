#include "recorder/ApplicationNamer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string FileNameOf(const std::string& path) { return fs::path(path).filename().string(); }

// The program an Exec= line starts: its first word that is not "env" or a VAR=value.
std::string ExecProgram(const std::string& exec) {
  std::istringstream words(exec);
  std::string word;
  while (words >> word) {
    if (!word.empty() && word.front() == '"') word.erase(0, 1);
    if (!word.empty() && word.back() == '"') word.pop_back();
    if (word == "env" || word.find('=') != std::string::npos) continue;
    return FileNameOf(word);
  }
  return {};
}

struct EntryKeys {
  std::string name, wmClass, exec;
  bool hidden = false;
};

EntryKeys ReadEntry(const fs::path& file) {
  EntryKeys keys;
  std::ifstream in(file);
  std::string line;
  bool inMainGroup = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    if (!inMainGroup) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    if (key == "Name") keys.name = value;
    if (key == "StartupWMClass") keys.wmClass = value;
    if (key == "Exec") keys.exec = value;
    if (key == "Hidden" && value == "true") keys.hidden = true;
  }
  return keys;
}

std::optional<std::string> Find(const std::map<std::string, std::string>& map,
                                const std::string& key) {
  if (key.empty()) return std::nullopt;
  const auto it = map.find(key);
  if (it == map.end()) return std::nullopt;
  return it->second;
}

}  // namespace

bool IsRuntimeProgram(const std::string& programName) {
  // Matched without a version at the end: python3.11, ruby3.1, lua5.4, wish8.6.
  static const std::set<std::string> kRuntimes{"python",
                                               "pypy",
                                               "java",
                                               "wine",
                                               "wine-preloader",
                                               "wine64-preloader",
                                               "node",
                                               "nodejs",
                                               "perl",
                                               "ruby",
                                               "mono",
                                               "mono-sgen",
                                               "php",
                                               "lua",
                                               "luajit",
                                               "tclsh",
                                               "wish",
                                               "gjs",
                                               "gjs-console",
                                               "dotnet",
                                               "julia",
                                               "guile",
                                               "R",
                                               "qml",
                                               "qmlscene",
                                               "electron"};
  const size_t end = programName.find_last_not_of("0123456789.");
  return end != std::string::npos && kRuntimes.count(programName.substr(0, end + 1)) > 0;
}

DesktopEntries DesktopEntries::Scan(const std::vector<std::string>& folders) {
  DesktopEntries entries;
  std::map<std::string, bool> seen;
  for (const std::string& folder : folders) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path file = it->path();
      if (file.extension() != ".desktop" || seen[file.filename().string()]) continue;
      seen[file.filename().string()] = true;
      const EntryKeys keys = ReadEntry(file);
      if (keys.hidden || keys.name.empty()) continue;
      if (!keys.wmClass.empty()) entries.byWindowClass_.emplace(Lower(keys.wmClass), keys.name);
      const std::string stem = Lower(file.stem().string());
      entries.byFileName_.emplace(stem, keys.name);
      // "org.gnome.gedit" is also found by its last part.
      const size_t dot = stem.rfind('.');
      if (dot != std::string::npos) entries.byFileName_.emplace(stem.substr(dot + 1), keys.name);
      const std::string program = ExecProgram(keys.exec);
      if (!program.empty()) entries.byProgram_.emplace(program, keys.name);
    }
  }
  return entries;
}

std::vector<std::string> DesktopEntries::StandardFolders() {
  std::vector<std::string> folders;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (dataHome != nullptr && *dataHome != '\0') {
    folders.push_back(std::string(dataHome) + "/applications");
  } else if (home != nullptr && *home != '\0') {
    folders.push_back(std::string(home) + "/.local/share/applications");
  }
  const char* dataDirs = std::getenv("XDG_DATA_DIRS");
  std::istringstream dirs(dataDirs != nullptr && *dataDirs != '\0' ? dataDirs
                                                                   : "/usr/local/share:/usr/share");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!dir.empty()) folders.push_back(dir + "/applications");
  }
  return folders;
}

std::optional<std::string> DesktopEntries::NameFor(const std::string& wmClass,
                                                   const std::string& wmInstance,
                                                   const std::string& programName) const {
  for (const std::string& key : {Lower(wmClass), Lower(wmInstance)}) {
    if (auto name = Find(byWindowClass_, key)) return name;
  }
  for (const std::string& key : {Lower(wmClass), Lower(wmInstance)}) {
    if (auto name = Find(byFileName_, key)) return name;
  }
  return Find(byProgram_, programName);
}

void ApplicationNamer::Reserve(const std::string& displayName, const std::string& appName) {
  owners_.emplace(displayName, appName);
}

ActivitySubject ApplicationNamer::Name(const WindowFacts& window) {
  if (!window.exists) return {};
  ActivitySubject subject;
  subject.windowTitle = window.title;
  const std::string windowClass = !window.wmClass.empty() ? window.wmClass : window.wmInstance;
  const std::string program = FileNameOf(window.programPath);
  bool runtime = false;
  if (!window.programPath.empty() && IsRuntimeProgram(program) && !windowClass.empty()) {
    runtime = true;
    subject.appPath = kRuntimePrefix + program + ":" + windowClass;
    subject.appName = windowClass;
  } else if (!window.programPath.empty()) {
    subject.appPath = window.programPath;
    subject.appName = program;
  } else {
    subject.appPath = kUnknownProgramPrefix + windowClass;
    subject.appName = !window.wmInstance.empty() ? window.wmInstance : windowClass;
    if (subject.appName.empty()) subject.appName = "unknown";
  }
  // The interpreter's own desktop entry names the interpreter, not the program it runs.
  std::string display =
      entries_.NameFor(window.wmClass, window.wmInstance, runtime ? "" : subject.appName)
          .value_or(windowClass);
  if (display.empty()) display = subject.appName;
  subject.displayName = UniqueDisplayName(display, subject.appName);
  return subject;
}

std::string ApplicationNamer::UniqueDisplayName(std::string displayName,
                                                const std::string& appName) {
  const bool pauseName = displayName == "Idle" || displayName == "Stop" || displayName == "None";
  const auto owner = owners_.find(displayName);
  if (pauseName || (owner != owners_.end() && owner->second != appName)) {
    displayName += " (" + appName + ")";
  }
  owners_.emplace(displayName, appName);
  return displayName;
}

#include "framework/core/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "framework/core/CurrentDirectory.h"

namespace {

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// An environment value; unset and empty read the same.
std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// An XDG base folder: $`variable` when it is absolute (a relative one is invalid by the
// base directory rules and is ignored), else `belowHome` in $HOME; empty without HOME.
std::string XdgBaseFolder(const char* variable, const char* belowHome) {
  const std::string xdg = EnvValue(variable);
  if (!xdg.empty() && xdg.front() == '/') return WithTrailingSlash(xdg);
  const std::string home = EnvValue("HOME");
  if (home.empty()) return "";
  return WithTrailingSlash(home) + belowHome;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Results are ignored on purpose: an existing folder is fine, and a folder that cannot
// be made shows up later as logs that cannot be found. What the program makes holds the
// user's captions, so only the user may look inside; a folder that exists keeps its mode.
void MakeFolder(const std::string& folder, mode_t mode = 0700) {
  (void)::mkdir(folder.c_str(), mode);
}

// Makes every missing folder along `folder` (which ends with '/').
void MakeFolderPath(const std::string& folder, mode_t mode) {
  for (size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    MakeFolder(folder.substr(0, slash), mode);
  }
}

// $TASKMETER_HOME, absolute. A relative value names a folder below the directory the
// program started in; the log scan moves the current directory later, so the value is
// made absolute at its first use and written back for every later reader.
std::string HomeFromEnvironment() {
  const std::string home = EnvValue("TASKMETER_HOME");
  if (home.empty() || home.front() == '/') return home;
  const std::string cwd = GetCurrentDirectory();
  if (cwd.empty()) return home;
  const std::string absolute = std::filesystem::path(cwd + home).lexically_normal().string();
  ::setenv("TASKMETER_HOME", absolute.c_str(), 1);
  return absolute;
}

// The real path of a folder we can enter, ending with '/'; empty otherwise.
std::string EnterableFolder(const std::string& folder) {
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr),
                                                         &std::free);
  struct stat info {};
  if (!real || ::stat(real.get(), &info) != 0 || !S_ISDIR(info.st_mode)) return "";
  if (::access(real.get(), X_OK) != 0) return "";
  return WithTrailingSlash(real.get());
}

}  // namespace

std::string AbsolutePath(const std::string& path, const std::string& base) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path absolute = path;
  if (!base.empty()) {
    absolute = fs::path(base) / path;  // an absolute `path` replaces the base
  }
  absolute = fs::absolute(absolute, ec);
  return ec ? path : absolute.lexically_normal().string();
}

std::string HomeFolders::DataFolder(const std::string& dbPath) const {
  const std::string data = dbPath.empty() ? "" : EnterableFolder(AbsolutePath(dbPath, home));
  if (!data.empty()) return data;
  const std::string real = EnterableFolder(home);
  return real.empty() ? home : real;
}

HomeFolders ResolveHomeFolders(const std::string& home) {
  if (home.empty()) return {};
  const std::string absolute = WithTrailingSlash(AbsolutePath(home));
  return {absolute, absolute + "options/"};
}

std::string GetExecutablePath() {
  std::vector<char> buffer(1024);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return "";
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // the path may have been cut; try a larger buffer
  }
}

std::string GetProgramDirectory() {
  const std::string exe = GetExecutablePath();
  const auto slash = exe.find_last_of('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string HomeForProgramIn(const std::string& programFolder) {
  const std::string folder = WithTrailingSlash(programFolder);
  if (!folder.empty() && IsFolder(folder + "options")) return folder;
  const std::string config = XdgBaseFolder("XDG_CONFIG_HOME", ".config/");
  return config.empty() ? std::string() : config + "TaskMeter/";
}

std::string GetExecutableDirectory() {
  const std::string home = HomeFromEnvironment();
  if (!home.empty()) return WithTrailingSlash(home);
  return HomeForProgramIn(GetProgramDirectory());
}

std::string GetOptionsFolder() { return ResolveHomeFolders(GetExecutableDirectory()).options; }

bool IsWindowsNT() { return true; }

std::string GetDataFolder() {
  std::string folder = XdgBaseFolder("XDG_DATA_HOME", ".local/share/");
  if (folder.empty()) return "";
  // A fresh account may not have the base folder yet; the XDG base-directory rules
  // ask for it to be made private.
  MakeFolderPath(folder, 0700);
  for (const char* part : {"Kestrel Works/", "TaskMeter/", "DB/"}) {
    folder += part;
    MakeFolder(folder);
  }
  return folder;
}

std::string GetDefaultDataFolder() {
  return IsWindowsNT() ? GetDataFolder() : GetExecutableDirectory() + "db/";
}

std::string GetComputersFolder() {
  const std::string base = XdgBaseFolder("XDG_DATA_HOME", ".local/share/");
  return base.empty() ? "" : base + "Kestrel Works/TaskMeter/Computers/";
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "ScopedEnv.h"
#include "framework/core/Autostart.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::string EntryFor(const std::string& exec) {
  return "[Desktop Entry]\nType=Application\nName=TaskMeter\nExec=" + exec +
         "\nX-GNOME-Autostart-enabled=true\n";
}

TEST(Autostart, EntryPathFollowsXdgConfigHomeOrHome) {
  ScopedEnv home("HOME", "/home/ann");
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg/here");
  EXPECT_EQ(GetAutostartEntryPath(), "/cfg/here/autostart/TaskMeter.desktop");
  for (const std::string ignored : {"not/absolute", ""}) {
    ScopedEnv relative("XDG_CONFIG_HOME", ignored);
    EXPECT_EQ(GetAutostartEntryPath(), "/home/ann/.config/autostart/TaskMeter.desktop");
  }
  ScopedEnv noHome("HOME", "");
  ScopedEnv unusable("XDG_CONFIG_HOME", "");
  EXPECT_EQ(GetAutostartEntryPath(), "");
  UpdateAutostartEntry(true, "/usr/bin/host");  // nowhere to write: quietly nothing
  EXPECT_FALSE(fs::exists("autostart/TaskMeter.desktop"));
}

// Inside the quotes '"', '`', '$' and '\' take a backslash, and the value's own string
// escaping then doubles every backslash: a '$' is written \\$, a '\' four times. Missing
// folders are made and an entry there is overwritten.
TEST(Autostart, ExecQuotesThePathInBothEscapingLayers) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/ann/My Programs/tm", R"("/home/ann/My Programs/tm")"},
      {"/tmp/a\"b", R"("/tmp/a\\"b")"},
      {"/tmp/$HOME/`id`", R"("/tmp/\\$HOME/\\`id\\`")"},
      {"/tmp/back\\slash", R"("/tmp/back\\\\slash")"},
      {"/tmp/100%/%u", R"("/tmp/100%%/%%u")"},
      {"/tmp/tab\tnew\nline", R"("/tmp/tab\tnew\nline")"},
  };
  TempDir dir;
  ScopedEnv config("XDG_CONFIG_HOME", (dir.Path() / "fresh").string());
  const fs::path entry = dir.Path() / "fresh" / "autostart" / "TaskMeter.desktop";
  for (const auto& [path, exec] : cases) {
    UpdateAutostartEntry(true, path);
    EXPECT_EQ(ReadBytes(entry), EntryFor(exec)) << path;
  }
  struct stat info {};
  ASSERT_EQ(stat(entry.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

// Turning autostart on and off is followed through the preferences' tests.
TEST(Autostart, NoEntryWithoutAProgramOrAUsableFolder) {
  TempDir dir;
  ScopedEnv config("XDG_CONFIG_HOME", dir.Path().string());
  const fs::path entry = dir.Write("autostart/TaskMeter.desktop", "[Desktop Entry]\nExec=old\n");
  UpdateAutostartEntry(false, "/usr/bin/new-host");
  EXPECT_FALSE(fs::exists(entry));
  UpdateAutostartEntry(false, "/usr/bin/new-host");  // nothing to remove is no error
  UpdateAutostartEntry(true, "");                    // no program to start: no entry
  EXPECT_FALSE(fs::exists(entry));
  const fs::path file = dir.Write("config-is-a-file", "x");
  ScopedEnv unusable("XDG_CONFIG_HOME", file.string());
  UpdateAutostartEntry(true, "/usr/bin/host");  // fails quietly
  EXPECT_EQ(ReadBytes(file), "x");
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "ScopedEnv.h"
#include "framework/core/CurrentDirectory.h"
#include "framework/core/Paths.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(Paths, HomeIsTaskmeterHomeElseAPortableFolderElseThePerUserOne) {
  const fs::path exe = GetExecutablePath();
  EXPECT_EQ(exe.filename(), "core_tests");
  EXPECT_TRUE(exe.is_absolute() && fs::is_regular_file(exe));
  EXPECT_EQ(GetProgramDirectory(), exe.parent_path().string() + "/");
  TempDir dir;
  const std::string config = dir.Path().string() + "/config";
  ScopedEnv xdg("XDG_CONFIG_HOME", config);
  ScopedEnv homeEnv("HOME", dir.Path().string() + "/user");
  // The test program's folder holds no options folder, so it counts as installed.
  const std::string perUser = config + "/TaskMeter/";
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {"/srv/taskmeter", "/srv/taskmeter/"},
      {"/srv/taskmeter/", "/srv/taskmeter/"},
      {"", perUser},
      {std::nullopt, perUser},
  };
  for (const auto& [home, expected] : cases) {
    ScopedEnv env("TASKMETER_HOME", home);
    EXPECT_EQ(GetExecutableDirectory(), expected) << home.value_or("(unset)");
    EXPECT_EQ(GetOptionsFolder(), expected + "options/");
  }

  // A program folder with its own options folder is a portable copy; a file named
  // "options" makes none. XDG_CONFIG_HOME falls back to HOME as for the data folder.
  const std::string portable =
      dir.Write("portable/options/mainpref.ini", "").parent_path().parent_path().string() + "/";
  dir.Write("odd/options", "");
  const std::string odd = dir.Path().string() + "/odd";
  const std::string underHome = dir.Path().string() + "/user/.config/TaskMeter/";
  const std::tuple<std::string, std::optional<std::string>, std::optional<std::string>, std::string>
      programs[] = {
          {portable, config, "/h", portable},
          {odd, config, "/h", perUser},
          {odd, "relative/config", dir.Path().string() + "/user", underHome},
          {odd, std::nullopt, dir.Path().string() + "/user", underHome},
          {odd, std::nullopt, "", ""},
      };
  for (const auto& [program, xdgValue, homeValue, expected] : programs) {
    ScopedEnv xdgCase("XDG_CONFIG_HOME", xdgValue);
    ScopedEnv homeCase("HOME", homeValue);
    EXPECT_EQ(HomeForProgramIn(program), expected) << program << " " << xdgValue.value_or("-");
  }
}

// A relative home is taken from where the program started, and a later change of the
// current directory (the log scan makes one) does not move it.
TEST(Paths, RelativeTaskmeterHomeIsMadeAbsoluteAtFirstUse) {
  TempDir dir;
  const std::string started = GetCurrentDirectory();
  const std::string expected = fs::canonical(dir.Path()).string() + "/home/";
  for (const char* relative : {"home", "./home/", "sub/../home"}) {
    ScopedEnv env("TASKMETER_HOME", std::string(relative));
    ASSERT_TRUE(SetCurrentDirectory(dir.Path().string()));
    EXPECT_EQ(GetExecutableDirectory(), expected) << relative;
    ASSERT_TRUE(SetCurrentDirectory("/"));
    EXPECT_EQ(GetOptionsFolder(), expected + "options/") << relative;
    EXPECT_EQ(std::getenv("TASKMETER_HOME")[0], '/');  // later readers see it too
  }
  ASSERT_TRUE(SetCurrentDirectory(started));
}

// The data folder lies under XDG_DATA_HOME, else under HOME, else nowhere; its folders are
// made, the base's too, and folders that exist are no error.
TEST(Paths, DataFolderIsMadeUnderXdgDataHomeOrHome) {
  TempDir dir;
  ScopedEnv home("HOME", dir.Path().string());
  const std::string base = (dir.Path() / "not" / "yet").string();
  const std::string underHome = dir.Path().string() + "/.local/share/Kestrel Works/TaskMeter/DB/";
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {base, base + "/Kestrel Works/TaskMeter/DB/"},
      {base, base + "/Kestrel Works/TaskMeter/DB/"},
      {std::nullopt, underHome},
      {"", underHome},
      {"relative/share", underHome}};
  for (const auto& [xdg, expected] : cases) {
    ScopedEnv data("XDG_DATA_HOME", xdg);
    EXPECT_EQ(GetDataFolder(), expected) << xdg.value_or("(unset)");
    EXPECT_TRUE(fs::is_directory(expected));
    EXPECT_EQ(GetDefaultDataFolder(), expected);
  }
  ScopedEnv noData("XDG_DATA_HOME", std::nullopt);
  ScopedEnv noHome("HOME", "");
  EXPECT_EQ(GetDefaultDataFolder(), "");
}

}  // namespace

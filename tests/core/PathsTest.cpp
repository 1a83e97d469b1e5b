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
using Env = std::optional<std::string>;

// Where the options live decides whether the user finds their groups again: the
// TASKMETER_HOME folder, else a program folder with its own options folder (a portable
// copy; a file named "options" makes none), else the per-user one under XDG_CONFIG_HOME or
// HOME. The test program's folder holds no options folder, so it counts as installed.
TEST(Paths, HomeIsTaskmeterHomeElseAPortableFolderElseThePerUserOne) {
  TempDir dir;
  const std::string root = dir.Path().string(), config = root + "/config";
  const std::string perUser = config + "/TaskMeter/", underHome = root + "/.config/TaskMeter/";
  ScopedEnv xdg("XDG_CONFIG_HOME", config);
  ScopedEnv homeEnv("HOME", root);
  for (const auto& [home, expected] : std::vector<std::pair<Env, std::string>>{
           {"/srv/tm", "/srv/tm/"}, {"/srv/tm/", "/srv/tm/"}, {"", perUser}, {{}, perUser}}) {
    ScopedEnv env("TASKMETER_HOME", home);
    EXPECT_EQ(GetExecutableDirectory(), expected) << home.value_or("(unset)");
    EXPECT_EQ(GetOptionsFolder(), expected + "options/");
  }
  dir.Write("portable/options/mainpref.ini", "");
  const std::string odd = dir.Write("odd/options", "").parent_path().string();
  const std::tuple<std::string, Env, Env, std::string> programs[] = {
      {root + "/portable/", config, "/h", root + "/portable/"},
      {odd, config, "/h", perUser},
      {odd, "relative/config", root, underHome},
      {odd, {}, root, underHome},
      {odd, {}, "", ""},
  };
  for (const auto& [program, xdgValue, homeValue, expected] : programs) {
    ScopedEnv xdgCase("XDG_CONFIG_HOME", xdgValue);
    ScopedEnv homeCase("HOME", homeValue);
    EXPECT_EQ(HomeForProgramIn(program), expected) << program << " " << xdgValue.value_or("-");
  }
  // A relative home is taken from where the program started, and a later change of the
  // current directory (the log scan makes one) does not move it.
  const std::string started = GetCurrentDirectory(),
                    relativeHome = fs::canonical(dir.Path()).string() + "/home/";
  for (const char* relative : {"home", "./home/", "sub/../home"}) {
    ScopedEnv env("TASKMETER_HOME", std::string(relative));
    ASSERT_TRUE(SetCurrentDirectory(dir.Path().string()));
    EXPECT_EQ(GetExecutableDirectory(), relativeHome) << relative;
    ASSERT_TRUE(SetCurrentDirectory("/"));
    EXPECT_EQ(GetOptionsFolder(), relativeHome + "options/") << relative;
    EXPECT_EQ(std::getenv("TASKMETER_HOME")[0], '/');  // later readers see it too
  }
  ASSERT_TRUE(SetCurrentDirectory(started));
}

// The logs lie under XDG_DATA_HOME, else under HOME, else nowhere; the folders are made,
// and folders that exist are no error.
TEST(Paths, DataFolderIsMadeUnderXdgDataHomeOrHome) {
  TempDir dir;
  ScopedEnv home("HOME", dir.Path().string());
  const std::string base = (dir.Path() / "not/yet").string(), db = "/Kestrel Works/TaskMeter/DB/";
  const std::string underHome = dir.Path().string() + "/.local/share" + db;
  for (const auto& [xdg, expected] :
       std::vector<std::pair<Env, std::string>>{{base, base + db},
                                                {base, base + db},
                                                {{}, underHome},
                                                {"", underHome},
                                                {"relative/share", underHome}}) {
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

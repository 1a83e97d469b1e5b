#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "framework/core/Paths.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Sets (or with nullopt unsets) an environment variable for one test and restores it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string RealExecutableFolder() {
  return fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

TEST(Paths, ExecutablePathIsTheRunningTestProgram) {
  const fs::path exe = GetExecutablePath();
  EXPECT_TRUE(exe.is_absolute());
  EXPECT_EQ(exe.filename(), "core_tests");
  EXPECT_TRUE(fs::is_regular_file(exe));
}

TEST(Paths, TaskmeterHomeOverridesTheExecutableFolder) {
  struct Case {
    std::optional<std::string> home;
    std::string expected;
  };
  const Case cases[] = {
      {"/srv/taskmeter", "/srv/taskmeter/"},  {"/srv/taskmeter/", "/srv/taskmeter/"},
      {"relative/dir", "relative/dir/"},      {"", RealExecutableFolder()},
      {std::nullopt, RealExecutableFolder()},
  };
  for (const Case& c : cases) {
    ScopedEnv home("TASKMETER_HOME", c.home);
    EXPECT_EQ(GetExecutableDirectory(), c.expected) << c.home.value_or("(unset)");
    EXPECT_EQ(GetOptionsFolder(), c.expected + "options/");
  }
}

TEST(Paths, OptionsFolderIsNeverCreated) {
  TempDir dir;
  ScopedEnv home("TASKMETER_HOME", dir.Path().string());
  EXPECT_EQ(GetOptionsFolder(), dir.Path().string() + "/options/");
  EXPECT_FALSE(fs::exists(dir.Path() / "options"));
}

TEST(Paths, DataFolderCreatesItsThreeFoldersUnderXdgDataHome) {
  TempDir dir;
  const fs::path base = dir.Path() / "not" / "yet";  // the base itself is missing too
  ScopedEnv data("XDG_DATA_HOME", base.string());
  const std::string expected = base.string() + "/Kestrel Works/TaskMeter/DB/";
  EXPECT_EQ(GetDataFolder(), expected);
  EXPECT_TRUE(fs::is_directory(base / "Kestrel Works"));
  EXPECT_TRUE(fs::is_directory(base / "Kestrel Works" / "TaskMeter"));
  EXPECT_TRUE(fs::is_directory(expected));
  // A second call finds them in place and gives the same answer.
  EXPECT_EQ(GetDataFolder(), expected);
  EXPECT_EQ(GetDefaultDataFolder(), expected);
}

TEST(Paths, DataFolderFallsBackToHomeAndIsEmptyWithoutEither) {
  TempDir dir;
  ScopedEnv home("HOME", dir.Path().string());
  const std::string underHome = dir.Path().string() + "/.local/share/Kestrel Works/TaskMeter/DB/";
  for (const std::optional<std::string>& xdg :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>("relative/share")}) {
    ScopedEnv data("XDG_DATA_HOME", xdg);
    EXPECT_EQ(GetDataFolder(), underHome) << xdg.value_or("(unset)");
    EXPECT_TRUE(fs::is_directory(underHome));
  }
  ScopedEnv noData("XDG_DATA_HOME", std::nullopt);
  ScopedEnv noHome("HOME", "");
  EXPECT_EQ(GetDataFolder(), "");
  EXPECT_EQ(GetDefaultDataFolder(), "");
}

TEST(Paths, DataFolderUnderAFileIsStillNamedButNotCreated) {
  TempDir dir;
  const fs::path file = dir.Write("plain-file", "x");
  ScopedEnv data("XDG_DATA_HOME", file.string());
  EXPECT_EQ(GetDataFolder(), file.string() + "/Kestrel Works/TaskMeter/DB/");
  EXPECT_TRUE(fs::is_regular_file(file));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

// Every test runs with the executable directory, the config folder and the data
// folder inside one temporary folder, so no test ever writes an autostart entry or a
// data folder into the real home of the machine it runs on.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  TempDir root("taskmeter-test");
  const std::filesystem::path base = root.Path();
  for (const char* sub : {"home", "config", "data"}) {
    std::filesystem::create_directories(base / sub);
  }
  setenv("TASKMETER_HOME", (base / "home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (base / "data").c_str(), 1);
  return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "framework/core/LogFileFinder.h"
#include "support/TempDir.h"

namespace {

// Only regular files (or links to them) directly in the folder count: a pipe would hang
// the scan and a folder or dangling link cannot be read.
TEST(LogFileFinder, FindsRegularLogFilesOnly) {
  TempDir dir;
  for (const char* name :
       {"2026-07-29.log", "a.log", "notes.txt", "upper.LOG", "log", "sub/1.log"}) {
    dir.Write(name, "x");
  }
  std::filesystem::create_directory(dir.Path() / "folder.log");
  ASSERT_EQ(::mkfifo((dir.Path() / "pipe.log").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.Path() / "a.log", dir.Path() / "link.log");
  std::filesystem::create_symlink(dir.Path() / "gone", dir.Path() / "dangling.log");
  for (const std::string& folder : {dir.Path().string(), dir.Path().string() + "/"}) {
    std::vector<std::string> names;
    for (const LogFileEntry& f : FindLogFiles(folder)) {
      names.push_back(f.FileName);
      EXPECT_EQ(f.FullPath, (dir.Path() / f.FileName).string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"2026-07-29.log", "a.log", "link.log"}));
  }
  EXPECT_TRUE(FindLogFiles((dir.Path() / "missing").string()).empty());
  EXPECT_TRUE(FindLogFiles("").empty());
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "framework/core/LogFileFinder.h"
#include "support/TempDir.h"

namespace {

TEST(LogFileFinder, FindsRegularLogFilesOnly) {
  TempDir dir;
  dir.Write("2026-07-29.log", "x");
  dir.Write("a.log", "");
  dir.Write("notes.txt", "x");
  dir.Write("upper.LOG", "x");
  dir.Write("log", "x");
  dir.Write("sub/2026-07-28.log", "x");                          // not in the folder itself
  std::filesystem::create_directory(dir.Path() / "folder.log");  // not a file
  ASSERT_EQ(::mkfifo((dir.Path() / "pipe.log").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.Path() / "a.log", dir.Path() / "link.log");
  std::filesystem::create_symlink(dir.Path() / "gone", dir.Path() / "dangling.log");
  // The folder is taken with or without its final slash.
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

TEST(LogFileFinder, CreationTimesAreRealUnlessReplaced) {
  TempDir dir;
  const int64_t before = static_cast<int64_t>(std::time(nullptr));
  const std::string path = dir.Write("d.log", "x").string();
  const int64_t created = FileCreationTime(path);
  EXPECT_GE(created, before - 2);
  EXPECT_LE(created, static_cast<int64_t>(std::time(nullptr)) + 2);
  EXPECT_EQ(FileCreationTime((dir.Path() / "missing").string()), 0);

  SetCreationTimeSourceForTesting(
      [](const std::string& full) { return full.ends_with("d.log") ? 42 : 0; });
  EXPECT_EQ(FindLogFiles(dir.Path().string()).at(0).CreationTime, 42);
  SetCreationTimeSourceForTesting({});
  EXPECT_EQ(FindLogFiles(dir.Path().string()).at(0).CreationTime, created);
}

}  // namespace

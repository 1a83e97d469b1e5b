#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "framework/core/FileIO.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// An unreadable options file is kept rather than taken for a missing one and replaced,
// and the empty file made before a first save never truncates one that is there.
TEST(FileIO, ReadTellsMissingFromUnreadableAndCreateNeverTruncates) {
  TempDir dir;
  EXPECT_EQ(ReadWholeFile((dir.Path() / "none").string()).status, OpenStatus::Missing);
  const auto file = dir.Write("locked", "secret");
  fs::permissions(file, fs::perms::none);
  if (geteuid() != 0) {  // root reads through permissions
    EXPECT_EQ(ReadWholeFile(file.string()).status, OpenStatus::Unreadable);
  }
  EXPECT_EQ(ReadWholeFile(dir.Path().string()).status, OpenStatus::Unreadable);
  const FileRead read = ReadWholeFile(dir.Write("plain", std::string("a\0b", 3)).string());
  EXPECT_EQ(read.status, OpenStatus::Opened);
  EXPECT_EQ(read.bytes, std::string("a\0b", 3));
  EXPECT_FALSE(CreateEmptyFileIfMissing(file.string()));
  EXPECT_EQ(fs::file_size(file), 6u);
  EXPECT_TRUE(CreateEmptyFileIfMissing((dir.Path() / "new").string()));
  EXPECT_TRUE(fs::exists(dir.Path() / "new"));
  EXPECT_FALSE(CreateEmptyFileIfMissing((dir.Path() / "no/such/folder").string()));
}

}  // namespace

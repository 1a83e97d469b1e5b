#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "framework/core/FileIO.h"
#include "support/TempDir.h"

namespace {

TEST(FileIO, ReadTellsMissingFromUnreadable) {
  TempDir dir;
  EXPECT_EQ(ReadWholeFile((dir.Path() / "none").string()).status, OpenStatus::Missing);
  const auto file = dir.Write("locked", "secret");
  std::filesystem::permissions(file, std::filesystem::perms::none);
  if (geteuid() != 0) {  // root reads through permissions
    EXPECT_EQ(ReadWholeFile(file.string()).status, OpenStatus::Unreadable);
  }
  EXPECT_EQ(ReadWholeFile(dir.Path().string()).status, OpenStatus::Unreadable);
  const FileRead read = ReadWholeFile(dir.Write("plain", std::string("a\0b", 3)).string());
  EXPECT_EQ(read.status, OpenStatus::Opened);
  EXPECT_EQ(read.bytes, std::string("a\0b", 3));
}

TEST(FileIO, CreateEmptyNeverTruncates) {
  TempDir dir;
  const auto file = dir.Write("kept", "content");
  EXPECT_FALSE(CreateEmptyFileIfMissing(file.string()));
  EXPECT_EQ(ReadBytes(file), "content");
  EXPECT_TRUE(CreateEmptyFileIfMissing((dir.Path() / "new").string()));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "new"));
  EXPECT_FALSE(CreateEmptyFileIfMissing((dir.Path() / "no/such/folder").string()));
}

// A failed write keeps the old file and leaves no temporary behind.
TEST(FileIO, AtomicWriteReplacesWholeOrNotAtAll) {
  TempDir dir;
  const auto file = dir.Write("tree", "the old tree");
  SetWriteFailureAfterBytesForTesting(3);
  EXPECT_FALSE(WriteFileAtomically(file.string(), "a much longer new tree"));
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(ReadBytes(file), "the old tree");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  ASSERT_TRUE(WriteFileAtomically(file.string(), "new content", 0600));
  EXPECT_EQ(ReadBytes(file), "new content");
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  EXPECT_FALSE(WriteFileAtomically((dir.Path() / "missing/folder/file").string(), "x"));
}

}  // namespace

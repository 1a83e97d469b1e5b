#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "StorageTestSupport.h"
#include "framework/core/FileIO.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const GroupMap kTree = {{"Work", {Entry("editor", "Editor"), Entry("term", "Terminal")}},
                        {"Home", {Entry("game", "Game")}}};

// Resets the injected failure even when an assertion leaves the test early.
struct WriteFailure {
  explicit WriteFailure(long long afterBytes) { SetWriteFailureAfterBytesForTesting(afterBytes); }
  ~WriteFailure() { SetWriteFailureAfterBytesForTesting(-1); }
};

class ViewOptionsFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
  const fs::path path_ = dir_.Path() / "viewopt.xml";
  const fs::path damaged_ = dir_.Path() / "viewopt.xml.damaged";
  ViewOptionsFile file_{path_.string()};
};

TEST_F(ViewOptionsFileTest, FailedSavesAndUnreadableFilesKeepThePreviousFile) {
  ASSERT_TRUE(file_.Save(kTree));
  const std::string before = ReadBytes(path_);
  {
    WriteFailure failure(10);
    EXPECT_FALSE(file_.Save({{"New", {Entry("n", "N")}}}));
  }
  EXPECT_EQ(file_.Problem(),
            (FileProblem{FileProblemCode::NotSaved, OptionsFile::Groups, path_.string(), {}}));
  EXPECT_EQ(ReadBytes(path_), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), {}), 1);  // no temporary left

  if (geteuid() == 0) return;  // root reads and writes through permissions
  const fs::perms readWrite = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(path_, fs::perms::owner_read);
  EXPECT_FALSE(file_.Save({}));
  EXPECT_EQ(ReadBytes(path_), before);
  fs::permissions(path_, readWrite);
  fs::permissions(dir_.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(file_.Save({}));
  fs::permissions(dir_.Path(), fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(path_), before);
  // A file that cannot be read is neither truncated nor replaced; a fifo or a folder in its
  // place is in the odd files' tests.
  fs::permissions(path_, fs::perms::owner_write);
  GroupMap tree = kTree;
  EXPECT_EQ(file_.Load(tree), TreeFileStatus::Unreadable);
  EXPECT_EQ(tree, kTree);
  EXPECT_FALSE(file_.Save({}));
  EXPECT_EQ(file_.Problem().code, FileProblemCode::Unreadable);
  fs::permissions(path_, readWrite);
  EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(ViewOptionsFileTest, DamagedFilesAreKeptUnderNamesOfTheirOwnBeforeTheFirstSave) {
  std::string deep;
  for (int i = 0; i < 300; ++i) deep = "<Options>" + deep + "</Options>";
  const struct {
    const char* what;
    std::string bytes;
    bool damaged;
  } cases[] = {
      {"cut short", "<Options>\r\n<Group>\r\n<Name>Mine</Name>\r\n", true},
      {"no markup", "my notes", true},
      {"too deep", deep, true},
      {"empty", "", false},
      {"blank", " \r\n\t\r\n", false},
  };
  dir_.Write("viewopt.xml.damaged", "an older copy");
  int copies = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    dir_.Write("viewopt.xml", c.bytes);
    GroupMap tree = kTree;
    EXPECT_EQ(file_.Load(tree), TreeFileStatus::Read);
    EXPECT_TRUE(tree.empty());
    ASSERT_TRUE(file_.Save(kTree));
    const fs::path copy = dir_.Path() / ("viewopt.xml.damaged." + std::to_string(copies + 1));
    copies += c.damaged;
    EXPECT_EQ(fs::exists(copy), c.damaged);
    if (c.damaged) {
      EXPECT_EQ(ReadBytes(copy), c.bytes);
      EXPECT_EQ(file_.Problem(), (FileProblem{FileProblemCode::SetAside, OptionsFile::Groups,
                                              path_.string(), copy.string()}));
    }
    EXPECT_EQ(ReadBytes(damaged_), "an older copy");
    EXPECT_EQ(ReadBytes(path_), ViewOptionsText(kTree));
    // Only the first save keeps a copy; one that works ends the notice.
    ASSERT_TRUE(file_.Save({}));
    EXPECT_FALSE(file_.Problem());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), {}), copies + 1);
  }
  // When no copy can be made, the damaged file is not replaced.
  dir_.Write("viewopt.xml", "<Options><Group>");
  GroupMap tree;
  ASSERT_EQ(file_.Load(tree), TreeFileStatus::Read);
  {
    WriteFailure failure(1);
    EXPECT_FALSE(file_.Save(kTree));
  }
  EXPECT_EQ(file_.Problem().code, FileProblemCode::NotSaved);
  EXPECT_EQ(ReadBytes(path_), "<Options><Group>");
  EXPECT_TRUE(file_.Save(kTree));
}

// A tree file kept elsewhere behind a link stays linked; a link to a file that holds no
// tree (another of the user's files) leaves link and file alone, as does a broken link.
TEST_F(ViewOptionsFileTest, ALinkIsWrittenThroughOnlyToATreeOrAnEmptyFile) {
  const struct {
    const char* what;
    std::string bytes;  // of the target
    FileProblemCode problem;
  } cases[] = {
      {"a tree", ViewOptionsText(kTree), FileProblemCode::None},
      {"an empty file", "", FileProblemCode::None},
      {"notes", "my notes", FileProblemCode::NotATree},
      {"other markup", "<html><body/></html>", FileProblemCode::NotATree},
      {"nothing", "", FileProblemCode::Unreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path target = dir_.Path() / "elsewhere" / c.what;
    if (c.problem != FileProblemCode::Unreadable)
      dir_.Write("elsewhere/" + std::string(c.what), c.bytes);
    fs::remove(path_);
    fs::create_symlink(target, path_);
    GroupMap tree;
    file_.Load(tree);
    EXPECT_EQ(file_.Problem().code, c.problem);
    EXPECT_EQ(file_.Save({{"New", {}}}), c.problem == FileProblemCode::None);
    EXPECT_EQ(file_.Problem().code, c.problem);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_FALSE(fs::exists(damaged_));
    if (c.problem == FileProblemCode::Unreadable) continue;
    const std::string expected =
        c.problem == FileProblemCode::None ? ViewOptionsText({{"New", {}}}) : c.bytes;
    EXPECT_EQ(ReadBytes(target), expected);
  }
}

}  // namespace

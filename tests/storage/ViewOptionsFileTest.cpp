#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
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

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  while (times-- > 0) out += piece;
  return out;
}

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

TEST_F(ViewOptionsFileTest, MissingFileIsCreatedEmptyInAnExistingFolderOnly) {
  const std::string home = std::getenv("TASKMETER_HOME");
  EXPECT_EQ(fs::path(GetViewOptionsPath(GetOptionsFolder())),
            fs::path(home) / "options" / "viewopt.xml");
  GroupMap tree = kTree;
  EXPECT_EQ(file_.Load(tree), TreeFileStatus::Created);
  EXPECT_EQ(tree, kTree);
  EXPECT_EQ(ReadBytes(path_), "");
  ASSERT_TRUE(fs::exists(path_));
  EXPECT_EQ(file_.Load(tree), TreeFileStatus::Read);  // the next load reads it empty
  EXPECT_TRUE(tree.empty());

  ViewOptionsFile elsewhere((dir_.Path() / "options" / "viewopt.xml").string());
  EXPECT_EQ(elsewhere.Load(tree), TreeFileStatus::Created);
  EXPECT_FALSE(fs::exists(dir_.Path() / "options"));
  EXPECT_FALSE(elsewhere.Save(kTree));
}

TEST_F(ViewOptionsFileTest, SavedTextLoadsBackWithEveryLineEndForm) {
  dir_.Write("viewopt.xml", "");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  GroupMap saved = kTree;
  saved["Wide"] = {Entry("wide", "Wide", "", std::string(50000, 'f'))};  // beyond line buffers
  ASSERT_TRUE(file_.Save(saved));
  const std::string text = ReadBytes(path_);
  EXPECT_EQ(text, ViewOptionsText(saved));
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);  // a rewrite keeps the file's mode
  for (const std::string lineEnd : {"\r\r\n", "\r\n", "\n"}) {
    std::string bytes;
    for (const char c : text) bytes += c == '\n' ? lineEnd : c == '\r' ? "" : std::string(1, c);
    dir_.Write("viewopt.xml", bytes);
    GroupMap tree;
    EXPECT_EQ(file_.Load(tree), TreeFileStatus::Read);
    EXPECT_EQ(tree, saved) << "line end of " << lineEnd.size() << " bytes";
  }
}

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
  fs::permissions(path_, fs::perms::owner_read);
  EXPECT_FALSE(file_.Save({}));
  EXPECT_EQ(ReadBytes(path_), before);
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
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
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(ViewOptionsFileTest, DamagedFilesAreKeptUnderNamesOfTheirOwnBeforeTheFirstSave) {
  const struct {
    const char* what;
    std::string bytes;
    bool damaged;
  } cases[] = {
      {"cut short", "<Options>\r\n<Group>\r\n<Name>Mine</Name>\r\n", true},
      {"no markup", "my notes", true},
      {"too deep", Repeat("<Options>", 300) + Repeat("</Options>", 300), true},
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

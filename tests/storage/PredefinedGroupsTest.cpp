#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "StorageTestSupport.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string Group(const std::string& name, const std::string& inside = "") {
  return "<Group>\n<Name>" + name + "</Name>\n" + inside + "</Group>\n";
}

const std::string kNoneApp =
    "<App>\n<Name>None</Name>\n<ShowAs>None</ShowAs>\n<isCheckTitleFilter>0</isCheckTitleFilter>\n"
    "<TitleFilter/>\n<Path/>\n</App>\n";

std::string Catalogue(const std::string& groups) { return "<Options>\n" + groups + "</Options>\n"; }

class PredefinedGroupsTest : public ::testing::Test {
 protected:
  // Loads `bytes` as the catalogue file.
  GroupMap LoadText(const std::string& bytes) {
    dir_.Write("predefgroups.xml", bytes);
    GroupMap catalogue = {{"stale", {}}};
    EXPECT_EQ(LoadPredefinedGroups(path_.string(), catalogue), TreeFileStatus::Read);
    return catalogue;
  }

  TempDir dir_;
  const fs::path path_ = dir_.Path() / "predefgroups.xml";
};

// Groups get placeholders; sub-groups need an entry before them; a file that is empty or
// does not parse gives an empty catalogue.
TEST_F(PredefinedGroupsTest, CataloguesGiveGroupsWithPlaceholders) {
  const std::string alpha = "<Options>\n" + Group("Alpha") + "</Options>\n";
  const struct {
    std::string text;
    GroupMap expected;
  } cases[] = {
      {Catalogue(Group("Projects", kNoneApp + alpha) + Group("Home")),
       {{"Home", {MakePlaceholder()}},
        {"Projects", {MakePlaceholder(), CarrierOf({{"Alpha", {MakePlaceholder()}}}, kNoneName)}}}},
      {Catalogue(Group("Projects", alpha) + Group("Home")),
       {{"Home", {MakePlaceholder()}}, {"Projects", {MakePlaceholder()}}}},
      {"", {}},
      {"\r\n", {}},
      {"<Options><Group>", {}},
      {"garbage", {}},
      {"<Options/>", {}}};
  for (const auto& c : cases) EXPECT_EQ(LoadText(c.text), c.expected) << c.text;
}

// A fifo or a folder in the file's place is in the odd files' tests.
TEST_F(PredefinedGroupsTest, MissingFileIsCreatedEmpty) {
  const std::string home = std::getenv("TASKMETER_HOME");
  EXPECT_EQ(fs::path(GetPredefinedGroupsPath(GetOptionsFolder())),
            fs::path(home) / "options" / "predefgroups.xml");
  GroupMap catalogue = {{"kept", {MakePlaceholder()}}};
  const GroupMap before = catalogue;
  EXPECT_EQ(LoadPredefinedGroups(path_.string(), catalogue), TreeFileStatus::Created);
  EXPECT_EQ(catalogue, before);
  ASSERT_TRUE(fs::exists(path_));
  EXPECT_EQ(fs::file_size(path_), 0u);
}

}  // namespace

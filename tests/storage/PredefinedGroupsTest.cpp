#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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

AppEntry CarrierOf(GroupMap subGroups) {
  AppEntry entry = MakePlaceholder();
  entry.SubGroups = std::move(subGroups);
  return entry;
}

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

TEST_F(PredefinedGroupsTest, MinimalCatalogueGivesGroupsWithPlaceholders) {
  const std::string text = Catalogue(Group("Projects", kNoneApp + "<Options>\n" + Group("Alpha") +
                                                           Group("Beta") + "</Options>\n") +
                                     Group("Home"));
  const GroupMap expected = {{"Home", {MakePlaceholder()}},
                             {"Projects",
                              {MakePlaceholder(), CarrierOf({{"Alpha", {MakePlaceholder()}},
                                                             {"Beta", {MakePlaceholder()}}})}}};
  EXPECT_EQ(LoadText(text), expected);
}

TEST_F(PredefinedGroupsTest, SubGroupsNeedAnEntryBeforeThem) {
  const std::string text =
      Catalogue(Group("Projects", "<Options>\n" + Group("Alpha") + "</Options>\n") + Group("Home"));
  const GroupMap expected = {{"Home", {MakePlaceholder()}}, {"Projects", {MakePlaceholder()}}};
  EXPECT_EQ(LoadText(text), expected);
}

TEST_F(PredefinedGroupsTest, EmptyOrBrokenFileGivesAnEmptyCatalogue) {
  for (const char* bytes : {"", "\r\n", "<Options><Group>", "garbage", "<Options/>"}) {
    EXPECT_TRUE(LoadText(bytes).empty()) << bytes;
  }
}

TEST_F(PredefinedGroupsTest, MissingFileIsCreatedEmptyAndUnopenableOneLeftAlone) {
  const std::string home = std::getenv("TASKMETER_HOME");
  EXPECT_EQ(fs::path(GetPredefinedGroupsPath()), fs::path(home) / "options" / "predefgroups.xml");
  GroupMap catalogue = {{"kept", {MakePlaceholder()}}};
  const GroupMap before = catalogue;
  EXPECT_EQ(LoadPredefinedGroups(path_.string(), catalogue), TreeFileStatus::Created);
  EXPECT_EQ(catalogue, before);
  ASSERT_TRUE(fs::exists(path_));
  EXPECT_EQ(fs::file_size(path_), 0u);

  fs::remove(path_);
  fs::create_directory(path_);  // exists, but cannot be opened as a file
  EXPECT_EQ(LoadPredefinedGroups(path_.string(), catalogue), TreeFileStatus::Unreadable);
  EXPECT_EQ(catalogue, before);
  EXPECT_TRUE(fs::is_directory(path_));
}

}  // namespace

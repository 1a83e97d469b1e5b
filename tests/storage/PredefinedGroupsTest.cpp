#include <gtest/gtest.h>

#include <string>

#include "StorageTestSupport.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"

namespace {

std::string Group(const std::string& name, const std::string& inside = "") {
  return "<Group>\n<Name>" + name + "</Name>\n" + inside + "</Group>\n";
}

// Groups get placeholders; sub-groups need an entry before them; a file that is empty or
// does not parse gives an empty catalogue.
TEST(PredefinedGroupsTest, CataloguesGiveGroupsWithPlaceholders) {
  const std::string none =
      "<App>\n<Name>None</Name>\n<ShowAs>None</ShowAs>\n<isCheckTitleFilter>0"
      "</isCheckTitleFilter>\n<TitleFilter/>\n<Path/>\n</App>\n";
  const std::string alpha = "<Options>\n" + Group("Alpha") + "</Options>\n";
  const GroupMap placeholders = {{"Home", {MakePlaceholder()}}, {"Projects", {MakePlaceholder()}}};
  GroupMap nested = placeholders;
  nested["Projects"].push_back(CarrierOf({{"Alpha", {MakePlaceholder()}}}, kNoneName));
  const struct {
    std::string text;
    GroupMap expected;
  } cases[] = {
      {"<Options>" + Group("Projects", none + alpha) + Group("Home") + "</Options>", nested},
      {"<Options>" + Group("Projects", alpha) + Group("Home") + "</Options>", placeholders},
      {"", {}},
      {"\r\n", {}},
      {"<Options><Group>", {}},
      {"garbage", {}},
      {"<Options/>", {}}};
  TempDir dir;
  for (const auto& c : cases) {
    GroupMap catalogue = {{"stale", {}}};
    EXPECT_EQ(LoadPredefinedGroups(dir.Write("predefgroups.xml", c.text).string(), catalogue),
              TreeFileStatus::Read);
    EXPECT_EQ(catalogue, c.expected) << c.text;
  }
}

}  // namespace

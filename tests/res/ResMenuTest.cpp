#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ResTestSupport.h"

namespace {

TEST(ResMenus, DocumentStringHasNoTitleAndNoExtension) {
  const StringResource* doc = FindStringIn(ResInstance(), 129);
  ASSERT_NE(doc, nullptr);
  const std::string text = doc->text;
  EXPECT_EQ(text, "\nDLLDoc\nDLLDoc\n\n\nDLLDoc.Document\nDLLDoc Document");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6) << "seven fields";
  EXPECT_EQ(text.front(), '\n') << "empty window title";
  EXPECT_NE(text.find("DLLDoc\n\n\nDLLDoc.Document"), std::string::npos) << "empty filter";
}

TEST(ResMenus, DocumentMenuMatchesItsTableItemByItem) {
  const MenuResource* menu = FindMenuIn(ResInstance(), 129);
  ASSERT_NE(menu, nullptr);
  const std::vector<std::string> expected = {
      "0|&File|0",
      "1|&Hide|32802",
      "1|-|0",
      "1|E&xit|32803",
      "0|Configure|0",
      "1|Settings...|32771",
      "1|Predefined Groups/Folders|32779",
      "1|Lock/Unlock...|32782",
      "0|Reports|0",
      "1|Make report...|32780",
      "0|&Help|0",
      "1|Content...|32783",
      "1|-|0",
      "1|www|0",
      "2|Home Page|32798",
      "2|News Page|32799",
      "2|See Updates|32800",
      "1|Feedback|0",
      "2|Bug report|32795",
      "2|Information request|32796",
      "2|Suggestions|32797",
      "1|-|0",
      "1|&About|57664",
  };
  EXPECT_EQ(FlattenMenu(*menu), expected);
}

TEST(ResMenus, TreePopupIsOnePopupWithTheEditingCommands) {
  const MenuResource* menu = FindMenuIn(ResInstance(), 2000);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 1u);
  std::vector<std::string> rows = FlattenMenu(*menu);
  rows.erase(rows.begin());  // the popup's own title is never shown
  const std::vector<std::string> expected = {
      "1|New|32772",   "1|Delete|32773",     "1|-|0", "1|Copy|32774",
      "1|Paste|32775", "1|Move to...|32776", "1|-|0", "1|Rename|32777",
  };
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(FindMenuIn(ResInstance(), 130), nullptr);
}

}  // namespace

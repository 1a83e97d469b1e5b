#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ResTestSupport.h"

namespace {

std::vector<std::string> Split(const std::string& text, char by) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(text);
  while (std::getline(in, field, by)) fields.push_back(field);
  if (!text.empty() && text.back() == by) fields.emplace_back();
  return fields;
}

TEST(ResStrings, DocumentStringHasSevenFieldsWithoutTitleOrExtension) {
  const StringResource* doc = FindStringIn(ResInstance(), 129);
  ASSERT_NE(doc, nullptr);
  EXPECT_STREQ(doc->text, "\nDLLDoc\nDLLDoc\n\n\nDLLDoc.Document\nDLLDoc Document");
  const std::vector<std::string> fields = Split(doc->text, '\n');
  ASSERT_EQ(fields.size(), 7u);
  EXPECT_EQ(fields[0], "");  // window title
  EXPECT_EQ(fields[1], "DLLDoc");
  EXPECT_EQ(fields[3], "");  // filter name
  EXPECT_EQ(fields[4], "");  // filter extension
  EXPECT_EQ(fields[5], "DLLDoc.Document");
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
  EXPECT_TRUE(menu->items.back().IsPopup()) << "Help is the last popup";
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
}

TEST(ResMenus, UnknownIdsAreNotFound) {
  EXPECT_EQ(FindMenuIn(ResInstance(), 130), nullptr);
  EXPECT_EQ(FindStringIn(ResInstance(), 2000), nullptr);
  EXPECT_EQ(FindDialogIn(ResInstance(), 129), nullptr);
}

}  // namespace

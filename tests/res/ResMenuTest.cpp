#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ResTestSupport.h"

namespace {

TEST(ResMenus, DocumentStringHasNoTitleAndNoExtension) {
  const StringResource* doc = FindStringIn(ResInstance(), 129);
  ASSERT_NE(doc, nullptr);
  EXPECT_STREQ(doc->text, "\nDLLDoc\nDLLDoc\n\n\nDLLDoc.Document\nDLLDoc Document");
}

TEST(ResMenus, MenusMatchTheirTablesItemByItem) {
  const std::pair<UINT, std::string> menus[] = {
      {129,
       "0|&File|0; 1|&Hide|32802; 1|-|0; 1|E&xit|32803; "
       "0|Configure|0; 1|Settings...|32771; 1|Predefined Groups/Folders|32779; "
       "1|Lock/Unlock...|32782; "
       "0|Reports|0; 1|Make report...|32780; "
       "0|&Help|0; 1|Content...|32783; 1|-|0; "
       "1|www|0; 2|Home Page|32798; 2|News Page|32799; 2|See Updates|32800; "
       "1|Feedback|0; 2|Bug report|32795; 2|Information request|32796; 2|Suggestions|32797; "
       "1|-|0; 1|&About|57664; "},
      // One popup, whose own title is never shown.
      {2000,
       "0|Tree|0; 1|New|32772; 1|Delete|32773; 1|-|0; 1|Copy|32774; 1|Paste|32775; "
       "1|Move to...|32776; 1|-|0; 1|Rename|32777; "},
  };
  for (const auto& [id, expected] : menus) {
    const MenuResource* menu = FindMenuIn(ResInstance(), id);
    ASSERT_NE(menu, nullptr) << id;
    EXPECT_EQ(FlattenMenu(*menu), expected) << id;
  }
  EXPECT_EQ(FindMenuIn(ResInstance(), 130), nullptr);
}

}  // namespace

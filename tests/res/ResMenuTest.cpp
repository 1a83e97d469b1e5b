#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "ResTestSupport.h"
#include "protocol/Protocol.h"
#include "res/ResourceIds.h"

namespace {

// The command ids of a menu, checking on the way that the menu is made of popups, each
// command has an id of its own, and no popup is empty or starts, ends or doubles a separator.
std::multiset<UINT> Commands(const MenuResource& menu) {
  std::multiset<UINT> ids;
  std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
    EXPECT_FALSE(items.empty());
    for (std::size_t i = 0; i < items.size(); ++i) {
      const MenuItem& item = items[i];
      if (item.IsSeparator()) {
        EXPECT_TRUE(i > 0 && i + 1 < items.size() && !items[i + 1].IsSeparator()) << i;
      } else if (item.IsPopup()) {
        EXPECT_EQ(item.id, 0u) << item.text;
        walk(item.popup);
      } else {
        EXPECT_NE(item.id, 0u) << item.text;
        EXPECT_EQ(ids.count(item.id), 0u) << item.text;
        ids.insert(item.id);
      }
    }
  };
  for (const MenuItem& top : menu.items) EXPECT_TRUE(top.IsPopup()) << top.text;
  walk(menu.items);
  return ids;
}

// The document menu carries every command the host or the view answers; the tree's menu is the one
// popup tracked at the pointer, with every command of the tree's editing.
TEST(ResMenus, MenusAreWellFormedAndCarryTheHostsCommands) {
  const MenuResource* document = FindMenuIn(ResInstance(), 129);
  const MenuResource* tree = FindMenuIn(ResInstance(), 2000);
  ASSERT_TRUE(document != nullptr && tree != nullptr);
  const std::multiset<UINT> commands = Commands(*document);
  using namespace host_cmd;
  for (UINT id : {kHide, kExit, kHelpContent, kBugReport, kInformationRequest, kSuggestions,
                  kHomePage, kNewsPage, kSeeUpdates, kAbout, ID_CONFIGURE_SETTINGS,
                  ID_CONFIGURE_PREDEFGROUPS, ID_CONFIGURE_LOCKUNLOCK, ID_REPORTS_MAKE}) {
    EXPECT_EQ(commands.count(id), 1u) << id;
  }
  EXPECT_EQ(tree->items.size(), 1u);
  const std::multiset<UINT> edits = Commands(*tree);
  for (UINT id : {ID_POPUP_NEW, ID_POPUP_DELETE, ID_POPUP_COPY, ID_POPUP_PASTE, ID_POPUP_MOVETO,
                  ID_POPUP_RENAME}) {
    EXPECT_EQ(edits.count(id), 1u) << id;
  }
  EXPECT_EQ(FindMenuIn(ResInstance(), 130), nullptr);
}

}  // namespace

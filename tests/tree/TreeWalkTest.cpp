#include <gtest/gtest.h>

#include <tuple>

#include "TreeBuilders.h"
#include "tree/TreeOps.h"

namespace {

TEST(Associations, MatchRule) {
  const std::string caption = "Report 7 - Editor";
  // entry (display name, application, filter text, filter on), application, caption, counts?
  const std::tuple<AppEntry, std::string, std::string, bool> cases[] = {
      {App("E", "editor", "Report", true), "editor", caption, true},
      {App("E", "editor", "Report", false), "editor", caption, true},
      {App("E", "editor", "report", true), "editor", caption, false},
      {App("E", "Editor"), "editor", caption, false},
      {App("E", "editor", "", true), "editor", "", true},
      {App("E", "editor", "Editor", true), "editor", caption, true},
      {App("E", "editor", caption + "!", true), "editor", caption, false},
      {App("E", "editor", "Draft", false), "editor", "", true},
      {AppEntry{}, "", "", false}};
  for (const auto& [entry, app, title, claims] : cases) {
    EXPECT_EQ(EntryClaims(entry, app, title), claims) << entry.TitleFilter << " in " << title;
  }
}

}  // namespace

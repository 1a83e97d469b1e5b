#include "tree/TreeOps.h"

bool EntryClaims(const AppEntry& entry, std::string_view appName, std::string_view windowTitle) {
  if (entry.Name.empty() || entry.Name != appName) return false;
  // An empty filter text is found in every caption, so it matches like no filter.
  return !entry.isCheckTitleFilter || windowTitle.find(entry.TitleFilter) != std::string_view::npos;
}

namespace {

// The association an entry stands for when counted time is written back: display
// name, filter text and filter switch, not the application name.
bool SameAssociation(const AppEntry& a, const AppEntry& b) {
  return a.ShowAs == b.ShowAs && a.TitleFilter == b.TitleFilter &&
         a.isCheckTitleFilter == b.isCheckTitleFilter;
}

}  // namespace

void CopyCounted(const AppEntry& source, AppEntry& target) {
  target.TodayTime = source.TodayTime;
  target.WeekTime = source.WeekTime;
  target.MonthTime = source.MonthTime;
  target.isCheckTitleFilter = source.isCheckTitleFilter;
  target.Name = source.Name;
  target.Path = source.Path;
  target.TitleFilter = source.TitleFilter;
  target.ShowAs = source.ShowAs;
}

void UpdateMatchingEntries(const AppEntry& source, GroupMap& level) {
  for (auto& [name, list] : level) {
    for (AppEntry& entry : list) {
      UpdateMatchingEntries(source, entry.SubGroups);
      if (SameAssociation(entry, source)) {
        // Only the first agreeing entry of a list takes the totals; the rest of the
        // list, sub-groups included, is left alone.
        CopyCounted(source, entry);
        break;
      }
    }
  }
}

#include <utility>

#include "tree/TreeOps.h"

namespace {

// The sub-groups of the first carrier of `list`; the same rule serves both constness.
template <typename List>
auto FirstCarrierSubGroups(List& list) -> decltype(&list.front().SubGroups) {
  for (auto& entry : list) {
    if (IsCarrier(entry)) return &entry.SubGroups;
  }
  return nullptr;
}

// A copy of everything but the sub-groups, so a carrier's subtree is never copied
// only to be thrown away.
AppEntry FlatCopy(const AppEntry& entry) {
  AppEntry copy;
  CopyCounted(entry, copy);
  return copy;
}

void AppendFlattened(const AppList& list, AppList& out) {
  for (const AppEntry& entry : list) {
    for (const auto& [name, subList] : entry.SubGroups) AppendFlattened(subList, out);
    out.push_back(FlatCopy(entry));
  }
}

// Path resolution: one sub-group step per name but the last, from the top level.
// `step` decides whether a missing name is added on the way.
template <typename Level, typename Step>
Level* WalkToLevel(Level& top, const GroupPath& path, Step step) {
  if (path.empty()) return nullptr;
  Level* level = &top;
  for (std::size_t i = 0; i + 1 < path.size() && level != nullptr; ++i) {
    level = step(*level, path[i]);
  }
  return level;
}

}  // namespace

GroupMap* FindSubGroups(GroupMap& level, const std::string& name) {
  // operator[] is deliberate: the editing walks have always left a looked-up name behind.
  return FirstCarrierSubGroups(level[name]);
}

const GroupMap* FindExistingSubGroups(const GroupMap& level, const std::string& name) {
  const auto found = level.find(name);
  return found == level.end() ? nullptr : FirstCarrierSubGroups(found->second);
}

GroupMap* ResolveLevel(GroupMap& top, const GroupPath& path) {
  return WalkToLevel(top, path, [](GroupMap& level, const std::string& name) {
    return FindSubGroups(level, name);
  });
}

const GroupMap* ResolveExistingLevel(const GroupMap& top, const GroupPath& path) {
  return WalkToLevel(top, path, [](const GroupMap& level, const std::string& name) {
    return FindExistingSubGroups(level, name);
  });
}

const AppList* FindGroupList(const GroupMap& top, const GroupPath& path) {
  const GroupMap* level = ResolveExistingLevel(top, path);
  if (level == nullptr) return nullptr;
  const auto found = level->find(path.back());
  return found == level->end() ? nullptr : &found->second;
}

AppList* FindGroupList(GroupMap& top, const GroupPath& path) {
  // The lookup itself never changes the tree, so handing out the list of a tree the
  // caller may change is sound.
  return const_cast<AppList*>(FindGroupList(std::as_const(top), path));
}

void CollectEntries(const AppList& list, AppList& out) {
  if (&list == &out) {
    const AppList snapshot = list;
    AppendFlattened(snapshot, out);
    return;
  }
  AppendFlattened(list, out);
}

void ResetTimes(GroupMap& level) {
  for (auto& [name, list] : level) {
    for (AppEntry& entry : list) {
      entry.TodayTime = 0;
      entry.WeekTime = 0;
      entry.MonthTime = 0;
      ResetTimes(entry.SubGroups);
    }
  }
}

AppEntry* FindApplication(AppList& list, const std::string& shownName) {
  return const_cast<AppEntry*>(FindApplication(std::as_const(list), shownName));
}

const AppEntry* FindApplication(const AppList& list, const std::string& shownName) {
  for (const AppEntry& entry : list) {
    if (IsApplicationEntry(entry) && ShownName(entry) == shownName) return &entry;
  }
  return nullptr;
}

std::size_t GroupDepth(const GroupPath& path) { return path.size(); }

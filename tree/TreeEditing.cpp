#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "tree/TreeOps.h"

// Every operation first decides on a read-only view of the tree whether it can be
// carried out, and only then changes anything, so a refused request never leaves a
// half-made change (or a looked-up name) behind.

namespace {

// The carrier AddGroup appends to a parent without sub-groups: empty texts, and the
// new group as its only sub-group.
AppEntry MakeCarrier(const std::string& groupName) {
  AppEntry carrier;
  carrier.SubGroups[groupName] = AppList{MakePlaceholder()};
  return carrier;
}

// The sub-groups path resolution descends into: those of the list's first carrier.
GroupMap* FirstSubGroups(AppList& list) {
  const auto carrier = std::find_if(list.begin(), list.end(), IsCarrier);
  return carrier == list.end() ? nullptr : &carrier->SubGroups;
}

// How many group levels hang beneath `entry` (0 for an entry that carries nothing).
std::size_t LevelsBeneath(const AppEntry& entry) {
  std::size_t deepest = 0;
  for (const auto& [name, list] : entry.SubGroups) {
    deepest = std::max<std::size_t>(deepest, 1);  // a group is a level even when empty
    for (const AppEntry& inner : list) deepest = std::max(deepest, 1 + LevelsBeneath(inner));
  }
  return deepest;
}

// Where a transfer would append: the level holding the destination group must exist;
// the group itself is made if missing, as the delete command relies on for
// "Other Applications". Null when the entry cannot go there.
AppList* PrepareDestination(GroupMap& tree, const GroupPath& destination, const AppEntry& entry) {
  if (GroupDepth(destination) + LevelsBeneath(entry) > kMaxGroupDepth) return nullptr;
  if (ResolveExistingLevel(tree, destination) == nullptr) return nullptr;
  const AppList* existing = FindGroupList(std::as_const(tree), destination);
  if (existing != nullptr && FindApplication(*existing, ShownName(entry)) != nullptr) {
    return nullptr;
  }
  // Every step exists now, so this walk adds at most the destination group itself.
  return &(*ResolveLevel(tree, destination))[destination.back()];
}

// The same program with the same filter: the count gives both the same records.
bool SameProgramAndFilter(const AppEntry& a, const AppEntry& b) {
  return a.Name == b.Name && a.TitleFilter == b.TitleFilter &&
         a.isCheckTitleFilter == b.isCheckTitleFilter;
}

void CollectDisplayNames(const GroupMap& level, std::set<std::string>& names) {
  for (const auto& [name, list] : level) {
    for (const AppEntry& entry : list) {
      names.insert(entry.ShowAs);
      CollectDisplayNames(entry.SubGroups, names);
    }
  }
}

// Whether an entry of another program has the display name, filter text and switch of
// `entry`: the count would take the two for one association.
bool AssociationOfAnotherProgram(const GroupMap& level, const AppEntry& entry) {
  for (const auto& [name, list] : level) {
    for (const AppEntry& other : list) {
      if (other.ShowAs == entry.ShowAs && other.TitleFilter == entry.TitleFilter &&
          other.isCheckTitleFilter == entry.isCheckTitleFilter && other.Name != entry.Name) {
        return true;
      }
      if (AssociationOfAnotherProgram(other.SubGroups, entry)) return true;
    }
  }
  return false;
}

// "Mail (2)", "Mail (3)", ...: the first that `taken` does not hold.
std::string DistinctName(const std::string& base, const std::set<std::string>& taken) {
  for (std::size_t n = 2;; ++n) {
    std::string name = base + " (" + std::to_string(n) + ")";
    if (!taken.contains(name)) return name;
  }
}

// Puts `entries` into "Other Applications", at its front or its end, so that no two of
// its applications are shown under one name (only the first of them could be found).
void AdmitToOtherApplications(GroupMap& tree, AppList entries, bool atFront) {
  AppList& others = tree[kOtherApplications];
  std::set<std::string> taken;  // every display name, gathered at the first clash
  AppList admitted;
  for (AppEntry& entry : entries) {
    const AppEntry* same = nullptr;
    if (IsApplicationEntry(entry)) {
      same = FindApplication(others, ShownName(entry));
      if (same == nullptr) same = FindApplication(admitted, ShownName(entry));
    }
    if (same != nullptr && SameProgramAndFilter(*same, entry) && !IsCarrier(entry)) continue;
    if (same != nullptr) {
      if (taken.empty()) {
        CollectDisplayNames(tree, taken);
        for (const AppList* list : {&admitted, &entries}) {
          for (const AppEntry& other : *list) taken.insert(other.ShowAs);
        }
      }
      entry.ShowAs = DistinctName(ShownName(entry), taken);
      taken.insert(entry.ShowAs);
    }
    admitted.push_back(std::move(entry));
  }
  others.insert(atFront ? others.begin() : others.end(), std::make_move_iterator(admitted.begin()),
                std::make_move_iterator(admitted.end()));
}

}  // namespace

bool AddGroup(GroupMap& tree, const std::string& name, const GroupPath& parent) {
  if (parent.empty()) {
    tree[name].push_back(MakePlaceholder());
    return true;
  }
  if (GroupDepth(parent) + 1 > kMaxGroupDepth) return false;
  AppList* parentList = FindGroupList(tree, parent);
  if (parentList == nullptr) return false;
  GroupMap* subGroups = FirstSubGroups(*parentList);
  if (subGroups == nullptr) {
    parentList->push_back(MakeCarrier(name));
    return true;
  }
  if (subGroups->contains(name)) return false;
  (*subGroups)[name] = AppList{MakePlaceholder()};
  return true;
}

bool RenameGroup(GroupMap& tree, const std::string& newName, const GroupPath& path) {
  if (path.empty() || newName == path.back()) return false;
  if (FindGroupList(std::as_const(tree), path) == nullptr) return false;
  GroupMap& level = *ResolveLevel(tree, path);  // every step exists: adds nothing
  if (level.contains(newName)) return false;
  // Re-keying the node keeps the whole list, sub-groups included, without a copy.
  auto node = level.extract(path.back());
  node.key() = newName;
  level.insert(std::move(node));
  return true;
}

bool DeleteGroup(GroupMap& tree, const GroupPath& path) {
  if (FindGroupList(std::as_const(tree), path) == nullptr) return false;
  GroupMap& level = *ResolveLevel(tree, path);  // every step exists: adds nothing
  const auto group = level.find(path.back());
  AppList collected;
  CollectEntries(group->second, collected);
  level.erase(group);
  AdmitToOtherApplications(tree, std::move(collected), true);
  return true;
}

bool ReplaceEntry(GroupMap& tree, const std::string& shownName, const GroupPath& path,
                  const AppEntry& entry) {
  AppList* list = FindGroupList(tree, path);
  AppEntry* target = list == nullptr ? nullptr : FindApplication(*list, shownName);
  if (target == nullptr || !IsApplicationEntry(entry)) return false;
  const AppEntry* namesake = FindApplication(*list, ShownName(entry));
  if ((namesake != nullptr && namesake != target) || AssociationOfAnotherProgram(tree, entry)) {
    return false;
  }
  *target = AppEntry(entry);  // copied first: `entry` may live inside the target's subtree
  return true;
}

bool RemoveApplication(GroupMap& tree, const std::string& shownName, const GroupPath& path) {
  AppList* list = FindGroupList(tree, path);
  AppEntry* found = list == nullptr ? nullptr : FindApplication(*list, shownName);
  if (found == nullptr) return false;
  AppList removed{std::move(*found)};
  list->erase(list->begin() + (found - list->data()));
  AdmitToOtherApplications(tree, std::move(removed), false);
  return true;
}

bool TransferEntry(GroupMap& tree, const std::string& shownName, const GroupPath& source,
                   const GroupPath& destination, bool keepSource) {
  if (source.empty() || destination.empty()) return false;
  AppList* sourceList = FindGroupList(tree, source);
  AppEntry* found = sourceList == nullptr ? nullptr : FindApplication(*sourceList, shownName);
  if (found == nullptr) return false;
  if (keepSource) {
    AppEntry copy = *found;
    AppList* target = PrepareDestination(tree, destination, copy);
    if (target == nullptr) return false;
    target->push_back(std::move(copy));
    return true;
  }
  // The destination is looked for with the entry taken out, as a carrier on the move
  // may change which sub-groups the path leads through; a refusal puts it back.
  const auto at = sourceList->begin() + (found - sourceList->data());
  AppEntry moved = std::move(*found);
  const auto index = sourceList->erase(at) - sourceList->begin();
  AppList* target = PrepareDestination(tree, destination, moved);
  if (target == nullptr) {
    sourceList->insert(sourceList->begin() + index, std::move(moved));
    return false;
  }
  target->push_back(std::move(moved));
  return true;
}

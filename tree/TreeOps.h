#pragma once

#include <string>
#include <string_view>

#include "tree/GroupTree.h"

// Walks and lookups. FindSubGroups and ResolveLevel are the ones the editing
// operations use: they add a missing name to its level as a group with an empty list,
// as the tree has always done. The "Existing" forms only read and never add.

// The sub-groups of group `name` of `level`: those of the first carrier of its list,
// or nullptr when it has none.
GroupMap* FindSubGroups(GroupMap& level, const std::string& name);
const GroupMap* FindExistingSubGroups(const GroupMap& level, const std::string& name);

// The level that holds the group `path` names (path.back() is looked up in it).
// nullptr when the path is empty or a step finds no sub-groups.
GroupMap* ResolveLevel(GroupMap& top, const GroupPath& path);
const GroupMap* ResolveExistingLevel(const GroupMap& top, const GroupPath& path);

// The entry list of the group `path` names; nullptr when it does not exist.
// Read-only: never adds anything, also in the form that hands out a changeable list.
const AppList* FindGroupList(const GroupMap& top, const GroupPath& path);
AppList* FindGroupList(GroupMap& top, const GroupPath& path);

// Appends copies (sub-groups emptied) of every entry of `list` and of every group
// beneath it, in list order; each carrier after the entries of the groups it carries,
// those groups in key order.
void CollectEntries(const AppList& list, AppList& out);

// Zeroes the three time counters of every entry of `level` and of all levels beneath.
void ResetTimes(GroupMap& level);

// First application entry of `list` (placeholders, carriers and pauses passed over)
// shown as `shownName` (see ShownName).
AppEntry* FindApplication(AppList& list, const std::string& shownName);
const AppEntry* FindApplication(const AppList& list, const std::string& shownName);

// Depth of a group in the tree: a top-level group has depth 1.
std::size_t GroupDepth(const GroupPath& path);

// Editing operations. Each returns true when it carried the request out, and false
// when it refused it or did not find its target; the tree is then exactly as it was
// (no looked-up name is left behind). A path that leads nowhere counts as not found.

// Makes group `name` (one placeholder entry) at the top level when `parent` is empty,
// else inside the group `parent` names: a parent without sub-groups gets a carrier
// with empty texts appended, else the group joins the sub-groups of its first carrier.
// An existing top-level name only gets one more placeholder. Refused when the parent
// does not exist, already has a sub-group of that name, or the new group would be
// deeper than kMaxGroupDepth.
bool AddGroup(GroupMap& tree, const std::string& name, const GroupPath& parent);

// Gives the group `path` names the name `newName`, with its whole list. Refused for
// an empty path, the group's own name, or the name of a sibling.
bool RenameGroup(GroupMap& tree, const std::string& newName, const GroupPath& path);

// Removes the group `path` names; its entries and those of every group beneath it go,
// in CollectEntries order, to the front of "Other Applications" of `tree` (made when
// missing), as RemoveApplication admits them there.
bool DeleteGroup(GroupMap& tree, const GroupPath& path);

// Overwrites the application shown as `shownName` in group `path` with `entry`, its
// sub-groups and counters included. Refused when `entry` would not be shown as an
// application (a pause or placeholder name), would be shown under the name of another
// application of the group, or would take the association (display name, filter text
// and switch) of another program anywhere in the tree: the count writes one
// association's program and totals into every entry that has it, so the other
// program's time would be counted nowhere.
bool ReplaceEntry(GroupMap& tree, const std::string& shownName, const GroupPath& path,
                  const AppEntry& entry);

// Takes the application shown as `shownName` out of group `path` and appends it to
// "Other Applications" (made when missing). When an application of that name is there
// already, the entry is dropped if that one is the same program with the same filter
// (which counts the same time), and otherwise comes in under a name made distinct
// ("Mail (2)") from every display name of the tree.
bool RemoveApplication(GroupMap& tree, const std::string& shownName, const GroupPath& path);

// Copies (keepSource) or moves the application shown as `shownName` from group `source`
// to the end of group `destination`; moved within its own group, the entry ends up
// last. The destination group is made when only its last name is missing. Refused when
// the destination shows another application under that name, or when a group the
// entry carries would end up deeper than kMaxGroupDepth; a refused move keeps the
// source.
bool TransferEntry(GroupMap& tree, const std::string& shownName, const GroupPath& source,
                   const GroupPath& destination, bool keepSource);

// Associations.

// Whether an activity of application `appName` with caption `windowTitle` counts for
// `entry`: same non-empty Name and, with the filter on, the caption contains the
// filter text (case-sensitive).
bool EntryClaims(const AppEntry& entry, std::string_view appName, std::string_view windowTitle);

// Copies the counters and texts of `source` (not its sub-groups) into the first entry
// of each group's list that has the same ShowAs, TitleFilter and isCheckTitleFilter,
// throughout `level` and the levels beneath it. Each entry's sub-groups are visited
// before the entry is compared; entries after the agreeing one, and their sub-groups,
// are not visited.
void UpdateMatchingEntries(const AppEntry& source, GroupMap& level);

// What the write-back copies from a counted entry: the three counters, the filter
// switch and the four texts (not the sub-groups).
void CopyCounted(const AppEntry& source, AppEntry& target);

#pragma once

#include <optional>

#include "framework/messages/WinTypes.h"
#include "tree/GroupTree.h"

class CTreeComboBox;

// The indented group list of the move-to and new-group dialogs.

// Loads the group icon into `list`'s images; its index, or -1 when it cannot be had.
int AddGroupIcon(CTreeComboBox& list);

// Lists the groups of `tree` depth-first: each group followed by every group beneath
// it (the sub-groups of all its carriers), siblings in key order, one level deeper than
// their parent. Every entry shows icon `icon`.
void FillGroupList(CTreeComboBox& list, const GroupMap& tree, int icon);

// What both dialogs do when they open: the icon once (kept in `icon`), the groups of
// `tree`, the first one selected.
void OpenGroupList(CTreeComboBox& list, const GroupMap& tree, int& icon);

// The chain of group names from the top level down to the selected entry; nothing
// when no entry is selected.
std::optional<GroupPath> SelectedGroupPath(const CTreeComboBox& list);

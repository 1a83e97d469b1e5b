#include "dialogs/GroupList.h"

#include "controls/TreeComboBox.h"
#include "framework/gdi/Icon.h"
#include "res/ResourceIds.h"

namespace {

// An entry keeps its level in 8 bits: groups deeper than that are not listed.
constexpr int kDeepestLevel = 255;

void FillLevel(CTreeComboBox& list, const GroupMap& level, int parentId, int depth, BYTE icon) {
  for (const auto& [name, entries] : level) {
    const int index = list.AddItem(parentId, icon, name.c_str());
    if (index < 0) return;
    if (depth >= kDeepestLevel) continue;
    const int id = list.GetItemId(index);
    for (const AppEntry& entry : entries) {
      if (IsCarrier(entry)) FillLevel(list, entry.SubGroups, id, depth + 1, icon);
    }
  }
}

}  // namespace

int AddGroupIcon(CTreeComboBox& list) { return list.AddIcon(AfxLoadIcon(IDI_GROUP)); }

void FillGroupList(CTreeComboBox& list, const GroupMap& tree, int icon) {
  FillLevel(list, tree, CTreeComboBox::kTopLevel, 0, static_cast<BYTE>(icon < 0 ? 0 : icon));
}

std::optional<GroupPath> SelectedGroupPath(const CTreeComboBox& list) {
  const int selected = list.GetCurSel();
  if (selected < 0) return std::nullopt;
  GroupPath path{list.GetLBText(selected)};
  // Entries above the selection that are shallower than anything collected so far are
  // its ancestors, nearest first.
  int level = list.GetItemLevel(selected);
  for (int i = selected; i > 0 && list.GetItemLevel(i) != 0;) {
    --i;
    if (list.GetItemLevel(i) < level) {
      path.insert(path.begin(), list.GetLBText(i));
      --level;
    }
  }
  return path;
}

void OpenGroupList(CTreeComboBox& list, const GroupMap& tree, int& icon) {
  if (icon < 0) icon = AddGroupIcon(list);
  FillGroupList(list, tree, icon);
  list.SetCurSel(0);
}

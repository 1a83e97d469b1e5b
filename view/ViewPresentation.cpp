// Building the tree or the list from the view's copy of the document's tree, and what a
// selection shows on the two pages.
#include "accounting/DLLDocument.h"
#include "res/ResourceIds.h"
#include "tree/TreeOps.h"
#include "view/DLLDocumentView.h"

namespace {

constexpr int kGroupImage = 0;
constexpr int kApplicationImage = 1;

// Whether a group named `groupName` (searched as the application list fills) holds an
// entry shown as `application`.
bool GroupsOfNameHold(const GroupMap& level, const std::string& groupName,
                      const std::string& application) {
  for (const auto& [name, list] : level) {
    for (const AppEntry& entry : list) {
      if (name == groupName) {
        if (IsApplicationEntry(entry) && ShownName(entry) == application) return true;
      } else if (IsCarrier(entry) && GroupsOfNameHold(entry.SubGroups, groupName, application)) {
        return true;
      }
    }
  }
  return false;
}

// The names `shown` lets through of every group named `groupName`, in tree order; the
// groups beneath such a group are not searched.
template <typename Shown>
void CollectApplications(const GroupMap& level, const std::string& groupName, const Shown& shown,
                         std::vector<std::string>& names) {
  for (const auto& [name, list] : level) {
    for (const AppEntry& entry : list) {
      if (name == groupName) {
        if (shown(entry)) names.push_back(ShownName(entry));
      } else if (IsCarrier(entry)) {
        CollectApplications(entry.SubGroups, groupName, shown, names);
      }
    }
  }
}

}  // namespace

void CDLLDocumentView::RefreshView(int mode) {
  m_nViewMode = mode;
  EnableControl(IDC_VIEW_MOVETO, true);
  m_bMoveAllowed = true;
  CDLLDocument* doc = GetDocument();
  m_groupMap = doc != nullptr ? doc->GetGroupMap() : GroupMap{};

  m_groupPicker.ResetContent();
  m_appList.ResetContent();
  m_tree.DeleteAllItems();
  ShowModeControls();
  if (m_nViewMode == kTreeMode) {
    FillTree(m_groupMap);
    return;
  }
  FillGroupCombo(CTreeComboBox::kTopLevel, m_groupMap);
  if (m_groupPicker.GetCount() > 0) {
    m_groupPicker.SetCurSel(0);
    OnGroupComboSelChange();
  }
}

void CDLLDocumentView::ShowModeControls() {
  const bool tree = m_nViewMode == kTreeMode;
  ShowControl(IDC_VIEW_MODE_TO_TREE, !tree);
  ShowControl(IDC_VIEW_MODE_TO_LIST, tree);
  ShowControl(IDC_VIEW_TREE, tree);
  for (int id :
       {IDC_VIEW_LOOKIN_LABEL, IDC_VIEW_GROUP_BUTTON, IDC_VIEW_GROUP_COMBO, IDC_VIEW_APP_LIST}) {
    ShowControl(id, !tree);
  }
}

void CDLLDocumentView::OnSwitchViewMode() {
  RefreshView(m_nViewMode == kTreeMode ? kListMode : kTreeMode);
}

void CDLLDocumentView::ReadFilterSettings() {
  CDLLDocument* doc = GetDocument();
  const MainPrefs prefs = doc != nullptr ? doc->GetPrefs() : MainPrefs{};
  m_bFilterOn = prefs.bEnableFilter;
  m_nFilterSeconds = prefs.iShowpProgrUsedMoreSec;
}

bool CDLLDocumentView::IsShownApplication(const AppEntry& entry) const {
  if (!IsApplicationEntry(entry)) return false;
  return !m_bFilterOn || (m_nFilterSeconds >= 1 && entry.MonthTime >= m_nFilterSeconds);
}

// Each group goes first among its siblings and each application at its sorted place
// among the siblings present at that moment; every level is placed in one pass. A
// level's last group used to be selected as soon as the level was in, which expanded
// the group holding it; the expansions are made directly, and only the top level's last
// group is selected, once the top level is sorted.
void CDLLDocumentView::FillTree(const GroupMap& topLevel) {
  ReadFilterSettings();
  std::vector<CTreeCtrl::ItemInsert> groups;
  std::vector<const AppList*> lists;
  for (const auto& [name, list] : topLevel) {
    groups.push_back({name, kGroupImage, kGroupImage, TVI_FIRST});
    lists.push_back(&list);
  }
  const std::vector<HTREEITEM> items = m_tree.InsertItems(TVI_ROOT, groups);
  for (size_t i = 0; i < items.size(); ++i) FillGroupItem(items[i], *lists[i]);
  m_tree.SortChildren(TVI_ROOT);
  if (!items.empty()) m_tree.SelectItem(items.back());
}

void CDLLDocumentView::FillGroupItem(HTREEITEM hGroup, const AppList& list) {
  std::vector<CTreeCtrl::ItemInsert> children;
  std::vector<const AppList*> subLists;  // null for an application
  for (const AppEntry& entry : list) {
    if (IsShownApplication(entry)) {
      children.push_back({ShownName(entry), kApplicationImage, kApplicationImage, TVI_SORT});
      subLists.push_back(nullptr);
    }
    if (!IsCarrier(entry)) continue;
    for (const auto& [name, subList] : entry.SubGroups) {
      children.push_back({name, kGroupImage, kGroupImage, TVI_FIRST});
      subLists.push_back(&subList);
    }
  }
  const std::vector<HTREEITEM> items = m_tree.InsertItems(hGroup, children);
  bool holdsGroups = false;
  for (size_t i = 0; i < items.size(); ++i) {
    if (subLists[i] == nullptr) continue;
    FillGroupItem(items[i], *subLists[i]);
    holdsGroups = true;
  }
  if (holdsGroups) m_tree.Expand(hGroup, TVE_EXPAND);
}

void CDLLDocumentView::FillGroupCombo(int nParentId, const GroupMap& level) {
  if (m_groupIconIndex < 0) m_groupIconIndex = m_groupPicker.AddIcon(AfxLoadIcon(IDI_GROUP));
  const auto icon = static_cast<BYTE>(m_groupIconIndex < 0 ? 0 : m_groupIconIndex);
  for (const auto& [name, list] : level) {
    const int added = m_groupPicker.AddItem(nParentId, icon, name.c_str());
    if (added < 0) continue;
    const int id = m_groupPicker.GetItemId(added);
    for (const AppEntry& entry : list) {
      if (IsCarrier(entry)) FillGroupCombo(id, entry.SubGroups);
    }
  }
}

void CDLLDocumentView::FillAppList(const GroupMap& level, const std::string& groupName) {
  ReadFilterSettings();
  std::vector<std::string> names;
  CollectApplications(
      level, groupName, [this](const AppEntry& entry) { return IsShownApplication(entry); }, names);
  m_appList.AddItems(names, kApplicationImage);
}

// ---- Selections ------------------------------------------------------------------------

void CDLLDocumentView::OnTreeSelChanged(NMHDR*, LRESULT* pResult) {
  ShowSelectedTreeItem(m_tree.GetSelectedItem());
  if (pResult != nullptr) *pResult = 0;
}

void CDLLDocumentView::ShowSelectedTreeItem(HTREEITEM hItem) {
  if (hItem != nullptr && m_tree.ItemHasChildren(hItem)) m_tree.EnsureVisible(hItem);
  const std::string text = hItem != nullptr ? m_tree.GetItemText(hItem) : std::string();
  if (!m_tabHost.IsWindow()) return;
  // Only an application can be moved.
  const bool group = IsSelectedGroup();
  EnableControl(IDC_VIEW_MOVETO, !group);
  m_bMoveAllowed = !group;

  m_associationPage.SetView(this);
  m_quickInfoPage.SetView(this);
  m_associationPage.FillHeader(text);
  const HTREEITEM parent = hItem != nullptr ? m_tree.GetParentItem(hItem) : nullptr;
  if (group) {
    const bool removable = parent != nullptr || text != kOtherApplications;
    EnableControl(IDC_VIEW_REMOVE, removable);
    m_bDeleteAllowed = removable;
    ShowGroup(text, ItemPath(hItem, true), parent == nullptr);
    return;
  }
  const bool removable = parent == nullptr || m_tree.GetItemText(parent) != kOtherApplications;
  EnableControl(IDC_VIEW_REMOVE, removable);
  m_bDeleteAllowed = removable;
  ShowApplication(text, ItemPath(hItem, false));
}

void CDLLDocumentView::ShowApplication(const std::string& name, const GroupPath& groupPath) {
  m_associationPage.ShowFilterControls(true);
  const AppEntry entry = LookUpEntry(groupPath, name);
  m_associationPage.FillApplication(entry);
  CDLLDocument* doc = GetDocument();
  m_quickInfoPage.ShowApplication(entry,
                                  doc != nullptr ? doc->GetGroupTotals(groupPath) : PeriodTotals{});
}

void CDLLDocumentView::ShowGroup(const std::string& name, const GroupPath& ownPath, bool topLevel) {
  m_associationPage.ShowFilterControls(false);
  m_associationPage.FillGroup(name);
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return;
  const GroupPath parentPath(ownPath.begin(), ownPath.end() - (ownPath.empty() ? 0 : 1));
  m_quickInfoPage.ShowGroup(doc->GetGroupTotals(ownPath),
                            topLevel ? doc->GetAllTotals() : doc->GetGroupTotals(parentPath));
}

void CDLLDocumentView::OnGroupComboSelChange() {
  const int selected = m_groupPicker.GetCurSel();
  if (selected < 0) return;
  m_appList.ResetContent();
  FillAppList(m_groupMap, m_groupPicker.GetLBText(selected));
  if (m_appList.GetCount() > 0) {
    m_appList.SetCurSel(0);
    OnAppListSelChange();
  }
}

void CDLLDocumentView::OnAppListSelChange() {
  if (m_groupPicker.GetCurSel() < 0) return;
  m_associationPage.SetView(this);
  m_quickInfoPage.SetView(this);
  m_associationPage.ShowFilterControls(true);
  EnableControl(IDC_VIEW_REMOVE, true);
  m_bDeleteAllowed = true;
  const std::string application = SelectedListText();
  if (GroupsOfNameHold(m_groupMap, m_groupPicker.GetLBText(m_groupPicker.GetCurSel()),
                       application)) {
    m_associationPage.FillHeader(application);
  } else {
    m_associationPage.SetFilterCaption(application);
  }
  ShowApplication(application, SelectorPath());
}

bool CDLLDocumentView::IsSelectedGroup() const {
  // The item's image says what it is; its text could name a group and an application.
  const HTREEITEM item = m_tree.GetSelectedItem();
  int image = kGroupImage, selectedImage = kGroupImage;
  return item != nullptr && m_tree.GetItemImage(item, image, selectedImage) &&
         image != kApplicationImage;
}

bool CDLLDocumentView::HasSelectedItem() const {
  if (m_nViewMode == kTreeMode) return m_tree.GetSelectedItem() != nullptr;
  return m_groupPicker.GetCurSel() >= 0 && m_appList.GetCurSel() >= 0;
}

GroupPath CDLLDocumentView::ItemPath(HTREEITEM hItem, bool withItself) const {
  GroupPath path;
  if (hItem == nullptr) return path;
  if (withItself) path.push_back(m_tree.GetItemText(hItem));
  for (HTREEITEM up = m_tree.GetParentItem(hItem); up != nullptr; up = m_tree.GetParentItem(up)) {
    path.insert(path.begin(), m_tree.GetItemText(up));
  }
  return path;
}

GroupPath CDLLDocumentView::SelectorPath() const {
  GroupPath path;
  int index = m_groupPicker.GetCurSel();
  if (index < 0) return path;
  path.push_back(m_groupPicker.GetLBText(index));
  // Up the parent links by id: an entry's id is where it was added, not where it stands.
  for (int parentId = m_groupPicker.GetItemParentId(index);
       parentId >= 0 && parentId != CTreeComboBox::kTopLevel;
       parentId = m_groupPicker.GetItemParentId(index)) {
    index = -1;
    for (int i = 0; i < m_groupPicker.GetCount(); ++i) {
      if (m_groupPicker.GetItemId(i) == parentId) {
        index = i;
        break;
      }
    }
    if (index < 0) break;
    path.insert(path.begin(), m_groupPicker.GetLBText(index));
  }
  return path;
}

std::string CDLLDocumentView::SelectedListText() const {
  const int selected = m_appList.GetCurSel();
  return selected >= 0 ? m_appList.GetText(selected) : std::string();
}

void CDLLDocumentView::SelectItemByPath(const GroupPath& names) {
  HTREEITEM level = m_tree.GetChildItem(TVI_ROOT);
  HTREEITEM result = level;
  for (const std::string& name : names) {
    HTREEITEM match = level;
    while (match != nullptr && m_tree.GetItemText(match) != name) {
      match = m_tree.GetNextSiblingItem(match);
    }
    if (match == nullptr) break;
    result = match;
    level = m_tree.GetChildItem(match);
  }
  if (result != nullptr) m_tree.SelectItem(result);
}

AppEntry CDLLDocumentView::LookUpEntry(const GroupPath& groupPath,
                                       const std::string& shownName) const {
  const AppList* list = FindGroupList(m_groupMap, groupPath);
  const AppEntry* entry = list != nullptr ? FindApplication(*list, shownName) : nullptr;
  return entry != nullptr ? *entry : AppEntry{};
}

void CDLLDocumentView::ApplyAssociation() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr || !HasSelectedItem()) return;
  const bool group = m_nViewMode == kTreeMode && IsSelectedGroup();
  GroupPath path;
  const std::string name = SelectedItem(path);
  const AppEntry entry = m_associationPage.GetStoredEntry();
  if (group) {
    path.push_back(name);
    RenameGroup(doc->GetGroupMap(), entry.ShowAs, path);
  } else {
    // Refused when the new name or filter would make it another application's twin.
    ReplaceEntry(doc->GetGroupMap(), name, path, entry);
  }
  SaveAndRefresh();
}

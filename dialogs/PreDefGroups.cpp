#include "dialogs/PreDefGroups.h"

#include "framework/dialogbase/CDataExchange.h"
#include "framework/messages/MessageMap.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "tree/TreeOps.h"

namespace {

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);  // the transparent colour of our bitmaps
constexpr int kGroupImage = 0;

}  // namespace

CPreDefGroups::CPreDefGroups(CWnd* pParent) : CDialog(IDD_PREDEFGROUPS, pParent) {}

void CPreDefGroups::SetOwner(CWnd* pOwner) {
  m_pOwner = pOwner;
  if (m_pParentWnd == nullptr) m_pParentWnd = pOwner;
}

void CPreDefGroups::SetWorkingTree(const GroupMap& tree) { m_working = tree; }

GroupMap CPreDefGroups::GetWorkingTree() const { return m_working; }

const MessageMap* CPreDefGroups::GetMessageMap() const {
  static const MessageMap map{
      CDialog::GetMessageMap(),
      {
          msg::Notify(TVN_SELCHANGED, IDC_PREDEF_CATALOGUE_TREE,
                      &CPreDefGroups::OnCatalogueSelChanged),
          msg::Control(BN_CLICKED, IDC_PREDEF_COPY_ONE, &CPreDefGroups::OnCopyOne),
          msg::Control(BN_CLICKED, IDC_PREDEF_COPY_ALL, &CPreDefGroups::OnCopyWithSubGroups),
          msg::Control(BN_CLICKED, IDC_PREDEF_DELETE, &CPreDefGroups::OnDelete),
      }};
  return &map;
}

void CPreDefGroups::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PREDEF_CATALOGUE_TREE, m_catalogueTree);
  DDX_Control(pDX, IDC_PREDEF_CURRENT_TREE, m_workingTree);
  DDX_Control(pDX, IDC_PREDEF_DELETE, m_delete);
}

BOOL CPreDefGroups::OnInitDialog() {
  CDialog::OnInitDialog();
  // Without a catalogue file (one has just been made, empty) this opening shows
  // nothing; the working copy still goes back untouched on "Save".
  if (LoadPredefinedGroups(GetPredefinedGroupsPath(), m_catalogue) != TreeFileStatus::Read) {
    return FALSE;
  }
  SetUpImages();
  FillTree(m_catalogueTree, m_catalogue);
  RefillWorkingTree();
  return FALSE;  // the focus stays where it is
}

void CPreDefGroups::SetUpImages() {
  m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 1);
  m_images.AddIcon(IDI_GROUP);
  m_images.AddIcon(IDI_APPLICATION_ENTRY);
  m_catalogueTree.SetImageList(&m_images, TVSIL_NORMAL);
  m_workingTree.SetImageList(&m_images, TVSIL_NORMAL);
  m_delete.SetBitmaps(IDB_REMOVE, kMagenta, 0, kMagenta, 0, kMagenta, 0, kMagenta);
  m_delete.SetStyleFlags(CImageButton::kFlat | CImageButton::kSizeToContent);
  m_delete.SetTooltipText("Delete group", TRUE);
}

// Each group goes in as its parent's first child, so below the top level the groups
// show in descending key order; the top level is sorted afterwards. In the working tree
// every level selects the group it inserted last, which opens that group's parents: the
// user's tree stays open as it was after each change. The top level selects last, so
// its group last in key order ends up selected and takes the next copy.
void CPreDefGroups::FillLevel(CTreeCtrl& tree, const GroupMap& level, HTREEITEM parent) {
  HTREEITEM last = nullptr;
  for (const auto& [name, entries] : level) {
    const HTREEITEM item =
        tree.InsertItem(name.c_str(), kGroupImage, kGroupImage, parent, TVI_FIRST);
    if (item == nullptr) continue;
    last = item;
    for (const AppEntry& entry : entries) {
      if (IsCarrier(entry)) FillLevel(tree, entry.SubGroups, item);
    }
  }
  if (last != nullptr && &tree == &m_workingTree) tree.SelectItem(last);
}

void CPreDefGroups::FillTree(CTreeCtrl& tree, const GroupMap& groups) {
  FillLevel(tree, groups, TVI_ROOT);
  tree.SortChildren(TVI_ROOT);
}

void CPreDefGroups::RefillWorkingTree() {
  m_workingTree.DeleteAllItems();
  FillTree(m_workingTree, m_working);
}

GroupPath CPreDefGroups::SelectedWorkingPath() const {
  GroupPath path;
  for (HTREEITEM h = m_workingTree.GetSelectedItem(); h != nullptr;
       h = m_workingTree.GetParentItem(h)) {
    path.insert(path.begin(), m_workingTree.GetItemText(h));
  }
  return path;
}

void CPreDefGroups::OnCatalogueSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  const HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
  GetDlgItem(IDC_PREDEF_COPY_ONE)->EnableWindow(item != nullptr);
  GetDlgItem(IDC_PREDEF_COPY_ALL)
      ->EnableWindow(item != nullptr && m_catalogueTree.ItemHasChildren(item));
  *pResult = 0;
}

void CPreDefGroups::OnCopyOne() {
  const HTREEITEM item = m_catalogueTree.GetSelectedItem();
  if (item == nullptr) return;
  AddGroup(m_working, m_catalogueTree.GetItemText(item), SelectedWorkingPath());
  RefillWorkingTree();
}

void CPreDefGroups::OnCopyWithSubGroups() {
  const HTREEITEM item = m_catalogueTree.GetSelectedItem();
  if (item == nullptr) return;
  CopyBranch(item, SelectedWorkingPath());
  RefillWorkingTree();
}

// Names and nesting only: the catalogue's entries stay behind. A group that is already
// there takes the copied sub-groups it lacks.
void CPreDefGroups::CopyBranch(HTREEITEM catalogueItem, const GroupPath& into) {
  const std::string name = m_catalogueTree.GetItemText(catalogueItem);
  AddGroup(m_working, name, into);
  GroupPath below = into;
  below.push_back(name);
  if (GroupDepth(below) >= kMaxGroupDepth) return;  // nothing deeper could be made
  for (HTREEITEM child = m_catalogueTree.GetChildItem(catalogueItem); child != nullptr;
       child = m_catalogueTree.GetNextSiblingItem(child)) {
    CopyBranch(child, below);
  }
}

void CPreDefGroups::OnDelete() {
  const GroupPath path = SelectedWorkingPath();
  if (!path.empty()) DeleteGroup(m_working, path);
  RefillWorkingTree();
}

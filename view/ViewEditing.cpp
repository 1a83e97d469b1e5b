// The editing commands on the tree: the application clipboard (Copy, Paste), Delete,
// Rename, Refresh, the right-click menu and dragging in the tree.
#include "accounting/DLLDocument.h"
#include "framework/ownerdraw/DragImage.h"
#include "framework/stdcontrols/CMenu.h"
#include "framework/windows/InputState.h"
#include "res/ResourceIds.h"
#include "tree/TreeOps.h"
#include "view/DLLDocumentView.h"

namespace {

constexpr UINT_PTR kAutoExpandTimer = 1000;
constexpr UINT kAutoExpandMilliseconds = 2000;
constexpr int kApplicationImage = 1;

}  // namespace

std::string CDLLDocumentView::SelectedItem(GroupPath& groupPath) const {
  if (m_nViewMode == kTreeMode) {
    const HTREEITEM item = m_tree.GetSelectedItem();
    groupPath = ItemPath(item, false);
    return item != nullptr ? m_tree.GetItemText(item) : std::string();
  }
  groupPath = SelectorPath();
  return SelectedListText();
}

void CDLLDocumentView::SaveAndRefresh() {
  if (CDLLDocument* doc = GetDocument()) doc->SaveGroupMap();
  RefreshView(m_nViewMode);
  TellFileProblems();
}

void CDLLDocumentView::OnCopy() {
  m_clipSourcePath.clear();
  m_pasteDestinationPath.clear();
  m_clipName.clear();
  // A group is not copied: its name could stand for an application of its parent.
  const bool group = m_nViewMode == kTreeMode && IsSelectedGroup();
  if (!group && (m_nViewMode == kTreeMode || m_groupPicker.GetCurSel() >= 0)) {
    m_clipName = SelectedItem(m_clipSourcePath);
  }
  EnableControl(IDC_VIEW_PASTE, true);
  m_bPasteAllowed = true;
}

void CDLLDocumentView::OnPaste() {
  CDLLDocument* doc = GetDocument();
  if (m_nViewMode == kTreeMode) {
    m_pasteDestinationPath = ItemPath(m_tree.GetSelectedItem(), IsSelectedGroup());
  } else if (m_groupPicker.GetCurSel() >= 0) {
    m_pasteDestinationPath = SelectorPath();
  }
  if (!m_clipName.empty() && doc != nullptr) {
    TransferEntry(doc->GetGroupMap(), m_clipName, m_clipSourcePath, m_pasteDestinationPath,
                  m_bKeepSource);
    SaveAndRefresh();
    GroupPath pasted = m_pasteDestinationPath;
    pasted.push_back(m_clipName);
    SelectItemByPath(pasted);
  }
  // A clipboard serves one paste.
  m_clipSourcePath.clear();
  m_pasteDestinationPath.clear();
  m_clipName.clear();
  EnableControl(IDC_VIEW_PASTE, false);
  m_bPasteAllowed = false;
}

void CDLLDocumentView::OnDelete() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr || !HasSelectedItem()) return;
  const bool group = m_nViewMode == kTreeMode && IsSelectedGroup();
  GroupPath path;
  const std::string name = SelectedItem(path);
  if (group) {
    path.push_back(name);
    DeleteGroup(doc->GetGroupMap(), path);
  } else {
    RemoveApplication(doc->GetGroupMap(), name, path);
  }
  SaveAndRefresh();
}

void CDLLDocumentView::OnRename() {
  if (m_tabHost.IsWindow()) m_tabHost.SetActivePage(0);
  m_associationPage.SetView(this);
  m_associationPage.BeginRename();
}

void CDLLDocumentView::OnRefresh() {
  const GroupPath selected = ItemPath(m_tree.GetSelectedItem(), true);
  if (CDLLDocument* doc = GetDocument()) doc->LoadDocument();
  RefreshView(m_nViewMode);
  SelectItemByPath(selected);
  TellFileProblems();
}

void CDLLDocumentView::OnTreeRightClick(NMHDR*, LRESULT* pResult) {
  POINT at{};
  GetCursorPos(&at);
  if (CMenu* popup = m_popupMenu.GetSubMenu(0)) {
    popup->EnableMenuItem(ID_POPUP_DELETE, m_bDeleteAllowed ? MF_ENABLED : MF_GRAYED);
    popup->EnableMenuItem(ID_POPUP_MOVETO, m_bMoveAllowed ? MF_ENABLED : MF_GRAYED);
    popup->EnableMenuItem(ID_POPUP_PASTE, m_bPasteAllowed ? MF_ENABLED : MF_GRAYED);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
  }
  if (pResult != nullptr) *pResult = 1;
}

void CDLLDocumentView::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
  const UINT key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR)->wVKey;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  bool taken = true;
  if (m_bDragging) {
    // While dragging only Escape counts: it ends the drag with nothing dropped.
    if (key == VK_ESCAPE) CancelDrag();
  } else if (key == VK_DELETE && !control) {
    if (m_bDeleteAllowed) OnDelete();
  } else if (key == VK_F2 && !control) {
    OnRename();
  } else if (key == 'C' && control) {
    OnCopy();
  } else if (key == 'V' && control) {
    if (m_bPasteAllowed) OnPaste();
  } else {
    taken = false;
  }
  if (pResult != nullptr) *pResult = taken ? 1 : 0;
}

// ---- Dragging ----------------------------------------------------------------------------

void CDLLDocumentView::OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  const auto* info = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
  if (pResult != nullptr) *pResult = 0;
  m_hDragItem = info->itemNew.hItem;
  m_hDropTarget = nullptr;
  m_pDragImage = AfxCreateDragImage(m_tree, m_hDragItem);
  if (m_pDragImage == nullptr) return;
  m_bDragging = true;
  int cx = 0, cy = 0;
  m_pDragImage->GetIconSize(cx, cy);
  m_pDragImage->BeginDrag(0, CPoint(cx / 2, cy / 2));
  CPoint start(info->ptDrag.x, info->ptDrag.y);
  m_tree.ClientToScreen(&start);
  ScreenToClient(&start);
  CDragImageList::DragEnter(this, start);
  SetCapture();
}

void CDLLDocumentView::OnMouseMove(UINT nFlags, CPoint point) {
  CFormView::OnMouseMove(nFlags, point);
  if (!m_bDragging) return;
  CDragImageList::DragMove(point);
  // The tree's own coordinates: its client area starts inside its border.
  CPoint inTree = point;
  ClientToScreen(&inTree);
  m_tree.ScreenToClient(&inTree);
  const HTREEITEM hit = m_tree.HitTest(inTree);
  if (hit == nullptr) return;  // the last item hit stays the target
  CDragImageList::DragShowNolock(FALSE);
  if (m_hFirstHighlight == nullptr) m_hFirstHighlight = m_tree.GetDropHilightItem();
  m_tree.SelectDropTarget(hit);
  m_hDropTarget = hit;
  if (m_nExpandTimer != 0 && hit == m_hFirstHighlight) StopAutoExpand();
  if (m_nExpandTimer == 0) m_nExpandTimer = SetTimer(kAutoExpandTimer, kAutoExpandMilliseconds);
  CDragImageList::DragShowNolock(TRUE);
}

void CDLLDocumentView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == m_nExpandTimer && m_nExpandTimer != 0) {
    const HTREEITEM highlighted = m_tree.GetDropHilightItem();
    if (highlighted != nullptr && highlighted == m_hDropTarget &&
        m_tree.ItemHasChildren(highlighted)) {
      m_tree.Expand(highlighted, TVE_EXPAND);
    }
    return;
  }
  CFormView::OnTimer(nIDEvent);
}

void CDLLDocumentView::OnLButtonUp(UINT nFlags, CPoint point) {
  CFormView::OnLButtonUp(nFlags, point);
  if (!m_bDragging) return;
  EndDrag();
  HTREEITEM target = m_hDropTarget;
  bool refused = target == nullptr || target == m_hDragItem;
  for (HTREEITEM up = target; !refused && up != nullptr; up = m_tree.GetParentItem(up)) {
    refused = up == m_hDragItem;  // onto a descendant of what is dragged
  }
  if (refused) {
    StopAutoExpand();
    return;
  }
  m_tree.Expand(target, TVE_EXPAND);
  int image = 0, selectedImage = 0;
  m_tree.GetItemImage(target, image, selectedImage);
  if (image == kApplicationImage) target = m_tree.GetParentItem(target);
  // A drop is a copy of the dragged item pasted into the target group as a move.
  m_tree.SelectItem(m_hDragItem);
  OnCopy();
  m_tree.SelectItem(target);
  m_bKeepSource = false;
  OnPaste();
  m_bKeepSource = true;
  StopAutoExpand();
}

void CDLLDocumentView::EndDrag() {
  m_bDragging = false;
  CDragImageList::DragLeave(this);
  CDragImageList::EndDrag();
  ReleaseCapture();
  m_pDragImage.reset();
  m_tree.SelectDropTarget(nullptr);
  m_hFirstHighlight = nullptr;
}

void CDLLDocumentView::CancelDrag() {
  EndDrag();
  m_hDropTarget = nullptr;
  StopAutoExpand();
}

void CDLLDocumentView::StopAutoExpand() {
  if (m_nExpandTimer == 0) return;
  KillTimer(m_nExpandTimer);
  m_nExpandTimer = 0;
}

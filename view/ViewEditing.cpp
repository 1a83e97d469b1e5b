// The editing commands on the tree: the application clipboard (Copy, Paste), Delete,
// Rename, Refresh, the right-click menu and dragging in the tree.
#include <optional>
#include <utility>

#include "accounting/DLLDocument.h"
#include "framework/stdcontrols/CMenu.h"
#include "framework/windows/InputState.h"
#include "res/ResourceIds.h"
#include "tree/TreeOps.h"
#include "view/DLLDocumentView.h"

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
  // A group is not copied: its name could stand for an application of its parent.
  const bool group = m_nViewMode == kTreeMode && IsSelectedGroup();
  GroupPath source;
  std::string name;
  if (!group && (m_nViewMode == kTreeMode || m_groupPicker.GetCurSel() >= 0)) {
    name = SelectedItem(source);
  }
  m_clipboard.Copy(std::move(name), std::move(source));
  EnableControl(IDC_VIEW_PASTE, true);
}

void CDLLDocumentView::OnPaste() { PasteIntoSelection(true); }

void CDLLDocumentView::PasteIntoSelection(bool keepSource) {
  GroupPath destination;
  if (m_nViewMode == kTreeMode) {
    destination = ItemPath(m_tree.GetSelectedItem(), IsSelectedGroup());
  } else if (m_groupPicker.GetCurSel() >= 0) {
    destination = SelectorPath();
  }
  CDLLDocument* doc = GetDocument();
  GroupMap noTree;
  const std::optional<GroupPath> pasted =
      m_clipboard.Paste(doc != nullptr ? doc->GetGroupMap() : noTree, destination, keepSource);
  if (pasted && doc != nullptr) {
    SaveAndRefresh();
    SelectItemByPath(*pasted);
  }
  EnableControl(IDC_VIEW_PASTE, false);
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
    popup->EnableMenuItem(ID_POPUP_PASTE, m_clipboard.IsPasteAllowed() ? MF_ENABLED : MF_GRAYED);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
  }
  if (pResult != nullptr) *pResult = 1;
}

void CDLLDocumentView::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
  const UINT key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR)->wVKey;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  bool taken = true;
  if (m_dragger.IsDragging()) {
    // While dragging only Escape counts: it ends the drag with nothing dropped.
    if (key == VK_ESCAPE) m_dragger.Cancel();
  } else if (key == VK_DELETE && !control) {
    if (m_bDeleteAllowed) OnDelete();
  } else if (key == VK_F2 && !control) {
    OnRename();
  } else if (key == 'C' && control) {
    OnCopy();
  } else if (key == 'V' && control) {
    if (m_clipboard.IsPasteAllowed()) OnPaste();
  } else {
    taken = false;
  }
  if (pResult != nullptr) *pResult = taken ? 1 : 0;
}

// ---- Dragging ----------------------------------------------------------------------------

void CDLLDocumentView::OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  const auto* info = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
  if (pResult != nullptr) *pResult = 0;
  m_dragger.Begin(info->itemNew.hItem, CPoint(info->ptDrag.x, info->ptDrag.y));
}

void CDLLDocumentView::OnMouseMove(UINT nFlags, CPoint point) {
  CFormView::OnMouseMove(nFlags, point);
  m_dragger.Move(point);
}

void CDLLDocumentView::OnTimer(UINT_PTR nIDEvent) {
  if (!m_dragger.OnTimer(nIDEvent)) CFormView::OnTimer(nIDEvent);
}

void CDLLDocumentView::OnLButtonUp(UINT nFlags, CPoint point) {
  CFormView::OnLButtonUp(nFlags, point);
  const std::optional<CTreeDragger::Drop> drop = m_dragger.Release();
  if (!drop) return;
  // A drop is a copy of the dragged item pasted into the target group as a move.
  m_tree.SelectItem(drop->dragged);
  OnCopy();
  m_tree.SelectItem(drop->target);
  PasteIntoSelection(false);
  m_dragger.StopAutoExpand();
}

#include "view/TreeDragger.h"

#include "framework/ownerdraw/DragImage.h"
#include "framework/windows/CWnd.h"

namespace {

constexpr UINT_PTR kAutoExpandTimer = 1000;
constexpr UINT kAutoExpandMilliseconds = 2000;
constexpr int kApplicationImage = 1;

}  // namespace

CTreeDragger::CTreeDragger(CWnd& form, CTreeCtrl& tree) : m_form(form), m_tree(tree) {}

CTreeDragger::~CTreeDragger() = default;

void CTreeDragger::Begin(HTREEITEM item, CPoint at) {
  m_dragItem = item;
  m_dropTarget = nullptr;
  m_image = AfxCreateDragImage(m_tree, m_dragItem);
  if (m_image == nullptr) return;
  m_dragging = true;
  int cx = 0, cy = 0;
  m_image->GetIconSize(cx, cy);
  m_image->BeginDrag(0, CPoint(cx / 2, cy / 2));
  m_tree.ClientToScreen(&at);
  m_form.ScreenToClient(&at);
  CDragImageList::DragEnter(&m_form, at);
  m_form.SetCapture();
}

void CTreeDragger::Move(CPoint point) {
  if (!m_dragging) return;
  CDragImageList::DragMove(point);
  // The tree's own coordinates: its client area starts inside its border.
  CPoint inTree = point;
  m_form.ClientToScreen(&inTree);
  m_tree.ScreenToClient(&inTree);
  const HTREEITEM hit = m_tree.HitTest(inTree);
  if (hit == nullptr) return;  // the last item hit stays the target
  CDragImageList::DragShowNolock(FALSE);
  if (m_firstHighlight == nullptr) m_firstHighlight = m_tree.GetDropHilightItem();
  m_tree.SelectDropTarget(hit);
  m_dropTarget = hit;
  if (m_expandTimer != 0 && hit == m_firstHighlight) StopAutoExpand();
  if (m_expandTimer == 0) {
    m_expandTimer = m_form.SetTimer(kAutoExpandTimer, kAutoExpandMilliseconds);
  }
  CDragImageList::DragShowNolock(TRUE);
}

bool CTreeDragger::OnTimer(UINT_PTR timer) {
  if (timer != m_expandTimer || m_expandTimer == 0) return false;
  const HTREEITEM highlighted = m_tree.GetDropHilightItem();
  if (highlighted != nullptr && highlighted == m_dropTarget &&
      m_tree.ItemHasChildren(highlighted)) {
    m_tree.Expand(highlighted, TVE_EXPAND);
  }
  return true;
}

std::optional<CTreeDragger::Drop> CTreeDragger::Release() {
  if (!m_dragging) return std::nullopt;
  EndDrag();
  HTREEITEM target = m_dropTarget;
  bool refused = target == nullptr || target == m_dragItem;
  for (HTREEITEM up = target; !refused && up != nullptr; up = m_tree.GetParentItem(up)) {
    refused = up == m_dragItem;  // onto a descendant of what is dragged
  }
  if (refused) {
    StopAutoExpand();
    return std::nullopt;
  }
  m_tree.Expand(target, TVE_EXPAND);
  int image = 0, selectedImage = 0;
  m_tree.GetItemImage(target, image, selectedImage);
  if (image == kApplicationImage) target = m_tree.GetParentItem(target);
  return Drop{m_dragItem, target};
}

void CTreeDragger::Cancel() {
  EndDrag();
  m_dropTarget = nullptr;
  StopAutoExpand();
}

void CTreeDragger::StopAutoExpand() {
  if (m_expandTimer == 0) return;
  m_form.KillTimer(m_expandTimer);
  m_expandTimer = 0;
}

void CTreeDragger::EndDrag() {
  m_dragging = false;
  CDragImageList::DragLeave(&m_form);
  CDragImageList::EndDrag();
  ReleaseCapture();
  m_image.reset();
  m_tree.SelectDropTarget(nullptr);
  m_firstHighlight = nullptr;
}

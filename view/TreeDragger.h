#pragma once

#include <memory>
#include <optional>

#include "framework/stdcontrols/CTreeCtrl.h"

class CDragImageList;
class CWnd;

// Dragging an item across the form's tree: the picture under the pointer, the drop
// target's highlight, and the group under the pointer opened after a pause. The form
// holds the mouse capture and the timer, and hands on their messages.
class CTreeDragger {
 public:
  // What a drop asks for: `dragged` put into the group `target`.
  struct Drop {
    HTREEITEM dragged = nullptr;
    HTREEITEM target = nullptr;
  };

  CTreeDragger(CWnd& form, CTreeCtrl& tree);
  ~CTreeDragger();

  bool IsDragging() const { return m_dragging; }
  // The tree's begin-drag notice: `at` is in the tree's coordinates.
  void Begin(HTREEITEM item, CPoint at);
  // The pointer at `point` of the form.
  void Move(CPoint point);
  // The button released: the drag ends, and a drop that is allowed (not onto the dragged
  // item or below it) names its target group.
  std::optional<Drop> Release();
  // Ends the drag with nothing dropped.
  void Cancel();
  // True when `timer` was the pause timer, which opens the highlighted group.
  bool OnTimer(UINT_PTR timer);
  void StopAutoExpand();

 private:
  void EndDrag();

  CWnd& m_form;
  CTreeCtrl& m_tree;
  HTREEITEM m_dragItem = nullptr;
  HTREEITEM m_dropTarget = nullptr;
  HTREEITEM m_firstHighlight = nullptr;
  std::unique_ptr<CDragImageList> m_image;
  bool m_dragging = false;
  UINT_PTR m_expandTimer = 0;
};

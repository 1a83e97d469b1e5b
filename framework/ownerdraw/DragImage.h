#pragma once

#include <memory>

#include "framework/stdcontrols/CImageList.h"
#include "framework/windows/CWnd.h"

class CTreeCtrl;
class QWidget;

// An image list that can show one of its pictures following the mouse while something is
// dragged. One drag runs at a time in the process: BeginDrag starts it with a picture and
// the hot spot (the picture's point that sits under the pointer), DragEnter shows it in a
// window, DragMove moves it, DragShowNolock hides and shows it while the window repaints,
// DragLeave takes it off the window and EndDrag ends the drag.
//
// Points are in the coordinates of the window given to DragEnter (without one, the
// screen). The picture is drawn half transparent over the window's content.
class CDragImageList : public CImageList {
 public:
  BOOL BeginDrag(int nImage, CPoint ptHotSpot);
  static BOOL DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL DragMove(CPoint pt);
  static BOOL DragShowNolock(BOOL bShow);
  static BOOL DragLeave(CWnd* pWndLock);
  static void EndDrag();

  // The widget that shows the drag picture now, or null: for looking at it.
  static QWidget* GetDragWidget();
};

// Starts a drag with picture `nImage` of any image list; what BeginDrag does.
BOOL AfxBeginImageDrag(const CImageList& list, int nImage, CPoint ptHotSpot);

// A picture of tree item `hItem` for dragging: its image from the tree's normal image list
// beside its text, on the window colour. Null for no item.
std::unique_ptr<CDragImageList> AfxCreateDragImage(CTreeCtrl& tree, HTREEITEM hItem);

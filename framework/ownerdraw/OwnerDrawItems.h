#pragma once

#include "framework/gdi/OwnerDraw.h"
#include "framework/messages/WinTypes.h"

class QComboBox;
class QPainter;
class QWidget;

// The control side of owner drawing. An owner-drawn list box or combo box asks its
// owner to draw each entry (WM_DRAWITEM) and, with variable heights, to measure each
// line (WM_MEASUREITEM). An owner that answers a request returns TRUE; a request the
// owner leaves unanswered is passed back to the control's own object when that object
// implements this interface, so a control class can draw itself wherever it is placed.
class COwnerDrawItems {
 public:
  virtual ~COwnerDrawItems() = default;

  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

namespace ownerdraw {
// Sent to an owner-drawn control's window when the application's colours change, so that
// colours it keeps are taken again.
inline constexpr UINT kSysColorChange = 0x0015;
}  // namespace ownerdraw

// Makes the entries of list box or combo box `control` owner-drawn when `style` holds
// LBS_OWNERDRAWFIXED / LBS_OWNERDRAWVARIABLE (list box) or CBS_OWNERDRAWFIXED /
// CBS_OWNERDRAWVARIABLE (combo box); a combo box's selection field is then drawn by
// request too. Each line of a variable-height list is measured once. Entries nobody
// draws keep the plain look. False when the style asks for no owner drawing or the
// widget is no list box or combo box. Calling it again does no harm. The control's window
// hears of colour changes (ownerdraw::kSysColorChange).
bool AfxEnableOwnerDrawItems(QWidget* control, DWORD style);

// The plain painting of an owner-drawn combo box: its frame and drop button, then its
// selection field by draw request. A control that adds to the painting calls this first.
void AfxPaintOwnerDrawnCombo(QComboBox* combo, QPainter& painter);

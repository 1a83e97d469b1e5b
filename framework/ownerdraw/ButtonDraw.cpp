#include "framework/ownerdraw/ButtonDraw.h"

#include <QAbstractButton>
#include <QPainter>
#include <QWidget>

#include "framework/gdi/CDC.h"
#include "framework/windows/CWnd.h"
#include "framework/windows/WindowProps.h"

namespace buttondraw {

UINT ItemState(const QWidget* button) {
  UINT state = 0;
  if (button == nullptr) return state;
  if (const auto* push = qobject_cast<const QAbstractButton*>(button); push && push->isDown()) {
    state |= ODS_SELECTED;
  }
  if (button->hasFocus()) state |= ODS_FOCUS;
  if (!button->isEnabled()) state |= ODS_DISABLED;
  return state;
}

BOOL SendDrawItem(CWnd* button, QPainter& painter) {
  QWidget* widget = button != nullptr ? button->GetSafeHwnd() : nullptr;
  if (widget == nullptr) return FALSE;
  CDC dc(&painter);
  DRAWITEMSTRUCT request;
  request.CtlType = ODT_BUTTON;
  request.CtlID = static_cast<UINT>(button->GetDlgCtrlID());
  request.itemAction = ODA_DRAWENTIRE;
  request.itemState = ItemState(widget);
  request.hwndItem = widget;
  request.hDC = &dc;
  request.rcItem = CRect(0, 0, widget->width(), widget->height());
  const auto lParam = reinterpret_cast<LPARAM>(&request);
  if (CWnd* parent = button->GetParent()) {
    if (parent->SendMessage(WM_DRAWITEM, request.CtlID, lParam) != 0) return TRUE;
  }
  return button->SendMessage(kReflectedDrawItem, request.CtlID, lParam) != 0 ? TRUE : FALSE;
}

UINT SetButtonType(CWnd* button, UINT type) {
  QWidget* widget = button != nullptr ? button->GetSafeHwnd() : nullptr;
  if (widget == nullptr) return 0;
  const DWORD style = wndprops::Style(widget);
  wndprops::SetStyle(widget, (style & ~static_cast<DWORD>(BS_TYPEMASK)) | (type & BS_TYPEMASK));
  widget->update();
  return style & BS_TYPEMASK;
}

}  // namespace buttondraw

#pragma once

#include "framework/gdi/OwnerDraw.h"

class CWnd;
class QPainter;
class QWidget;

// Owner drawing of push buttons. A button whose type is BS_OWNERDRAW stays the Qt push
// button the dialog made, so the dialog's default button and Enter keep working; only
// its painting changes hands. Each paint becomes a draw request: WM_DRAWITEM to the
// button's parent first, and when the parent leaves it unhandled (answers 0), the same
// request reflected to the button itself, so that a button class can draw itself.
//
// Every paint of a widget repaints all of it, so the request always asks for the whole
// item (ODA_DRAWENTIRE) with the current state; there are no partial focus-only or
// selection-only requests that would draw over an earlier picture.
namespace buttondraw {

// The request as the button itself receives it after its parent left it unhandled.
constexpr UINT kReflectedDrawItem = 0xBC00 + WM_DRAWITEM;

// ODS_SELECTED while the button is held down, ODS_FOCUS while it has the keyboard focus,
// ODS_DISABLED while it is disabled.
UINT ItemState(const QWidget* button);

// Sends the draw request for the whole of `button`, painting through `painter`. Returns
// whether the parent or the button drew it.
BOOL SendDrawItem(CWnd* button, QPainter& painter);

// Replaces the type bits of the button's style by `type` and returns the type it had.
UINT SetButtonType(CWnd* button, UINT type);

}  // namespace buttondraw

#include "controls/OwnerDrawButton.h"

#include <QPushButton>

#include "framework/gdi/CDC.h"
#include "framework/ownerdraw/ButtonDraw.h"

const CRuntimeClass COwnerDrawButton::classCOwnerDrawButton{"COwnerDrawButton",
                                                            &CButton::classCButton, nullptr};
const CRuntimeClass* COwnerDrawButton::GetRuntimeClass() const { return &classCOwnerDrawButton; }

bool COwnerDrawButton::IsDefault() const {
  // The dialog of this platform marks its default button on the push button itself
  // (SetDefID does not go through the set-style message), so that mark wins.
  if (const auto* push = qobject_cast<const QPushButton*>(GetSafeHwnd())) return push->isDefault();
  return m_bDefault;
}

void COwnerDrawButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  UINT type = GetButtonStyle() & BS_TYPEMASK;
  if (type == BS_OWNERDRAW) return;  // subclassed once already: keep what was recorded
  m_bDefault = type == BS_DEFPUSHBUTTON || IsDefault();
  if (type == BS_DEFPUSHBUTTON) type = BS_PUSHBUTTON;
  m_nCreationType = type;
  buttondraw::SetButtonType(this, BS_OWNERDRAW);
  EnableOwnerPaint();
}

BOOL COwnerDrawButton::OnOwnerPaint(QPainter& painter, const CRect&) {
  return buttondraw::SendDrawItem(this, painter);
}

LRESULT COwnerDrawButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  const UINT type = static_cast<UINT>(wParam) & BS_TYPEMASK;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) m_bDefault = type == BS_DEFPUSHBUTTON;
  // The base applies the requested type to the push button and the dialog's default id;
  // the control itself stays owner-drawn.
  CButton::DefWindowProc(BM_SETSTYLE, wParam, lParam);
  buttondraw::SetButtonType(this, BS_OWNERDRAW);
  return 0;
}

LRESULT COwnerDrawButton::OnGetDlgCode() {
  LRESULT code = CButton::DefWindowProc(WM_GETDLGCODE, 0, 0);
  code &= ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  if (m_nCreationType == BS_RADIOBUTTON || m_nCreationType == BS_AUTORADIOBUTTON) {
    return code | DLGC_RADIOBUTTON;
  }
  return code | (IsDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT COwnerDrawButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_SETSTYLE:
      return OnSetStyle(wParam, lParam);
    case WM_GETDLGCODE:
      return OnGetDlgCode();
    case buttondraw::kReflectedDrawItem:
      if (lParam == 0) return FALSE;
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      return TRUE;
    default:
      return CButton::DefWindowProc(message, wParam, lParam);
  }
}

void COwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr || lpDrawItemStruct->hDC == nullptr) return;
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rect = lpDrawItemStruct->rcItem;
  const UINT state = lpDrawItemStruct->itemState;
  dc->DrawFrameControl(&rect, DFC_BUTTON,
                       DFCS_BUTTONPUSH | ((state & ODS_SELECTED) ? DFCS_PUSHED : 0) |
                           ((state & ODS_DISABLED) ? DFCS_INACTIVE : 0));
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor((state & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  CRect text = lpDrawItemStruct->rcItem;
  dc->DrawText(GetWindowText(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

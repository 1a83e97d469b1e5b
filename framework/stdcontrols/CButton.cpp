#include "framework/stdcontrols/CButton.h"

#include <QCheckBox>
#include <QPushButton>

#include "framework/dialogbase/CDialog.h"
#include "framework/windows/WindowProps.h"

const CRuntimeClass CButton::classCButton{"CButton", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CButton::GetRuntimeClass() const { return &classCButton; }

BOOL CButton::Create(const char* lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
  return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

QWidget* CButton::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("BUTTON", cs, parent);
}

int CButton::GetCheck() const {
  return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }

UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
  SendMessage(BM_SETSTYLE, nStyle, bRedraw);
}

void CButton::ApplyStyle(UINT style) {
  QWidget* widget = GetSafeHwnd();
  wndprops::SetStyle(widget, (wndprops::Style(widget) & ~0xFFFFu) | (style & 0xFFFFu));
  auto* push = qobject_cast<QPushButton*>(widget);
  const UINT type = style & BS_TYPEMASK;
  if (push == nullptr || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) return;
  push->setDefault(type == BS_DEFPUSHBUTTON);
  // The dialog's Enter goes to its default id: a button made default takes that role.
  auto* dialog = dynamic_cast<CDialog*>(GetParent());
  if (type == BS_DEFPUSHBUTTON && dialog != nullptr &&
      LOWORD(dialog->GetDefID()) != static_cast<WORD>(GetDlgCtrlID())) {
    dialog->SetDefID(static_cast<UINT>(GetDlgCtrlID()));
  }
}

UINT CButton::DialogCode() const {
  const UINT type = GetStyle() & BS_TYPEMASK;
  switch (type) {
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_OWNERDRAW: {
      auto* push = qobject_cast<QPushButton*>(GetSafeHwnd());
      const bool isDefault = push != nullptr && push->isDefault();
      return DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    default:
      return DLGC_BUTTON;
  }
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  QWidget* widget = GetSafeHwnd();
  if (widget == nullptr) return 0;
  switch (message) {
    case BM_SETSTYLE:
      ApplyStyle(static_cast<UINT>(wParam));
      if (lParam != 0) widget->update();
      return 0;
    case WM_GETDLGCODE:
      return DialogCode();
    case BM_SETCHECK:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        // The third state only while it is set, so that a click cycles as two states do.
        box->setTristate(wParam == BST_INDETERMINATE);
        if (wParam == BST_INDETERMINATE) {
          box->setCheckState(Qt::PartiallyChecked);
          return 0;
        }
      }
      return CWnd::DefWindowProc(message, wParam, lParam);
    case BM_GETCHECK:
      if (auto* box = qobject_cast<QCheckBox*>(widget);
          box != nullptr && box->checkState() == Qt::PartiallyChecked) {
        return BST_INDETERMINATE;
      }
      return CWnd::DefWindowProc(message, wParam, lParam);
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

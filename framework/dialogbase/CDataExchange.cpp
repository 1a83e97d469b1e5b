#include "framework/dialogbase/CDataExchange.h"

#include <cctype>
#include <limits>

#include "framework/dialogbase/MessageBox.h"
#include "framework/windows/CWnd.h"

DialogInt ParseDialogInt(const std::string& text, bool isSigned) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (isSigned && i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return {};
  long long value = 0;
  const long long limit = isSigned ? (negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX)
                                   : static_cast<long long>(UINT32_MAX);
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return {};
    value = value * 10 + (text[i] - '0');
    if (value > limit) return {};  // out of range reads as no number at all
  }
  return {true, negative ? -value : value};
}

CWnd* CDataExchange::PrepareCtrl(int nIDC) {
  m_pLastControl = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
  return m_pLastControl;
}

void CDataExchange::Fail() {
  if (m_pLastControl != nullptr) m_pLastControl->SetFocus();
  throw Failure{};
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
  CWnd* control = pDX->PrepareCtrl(nIDC);
  if (control == nullptr) return;
  if (pDX->m_bSaveAndValidate) {
    control->GetWindowText(value);
  } else {
    control->SetWindowText(value);
  }
}

namespace {

template <class Int>
void ExchangeNumber(CDataExchange* pDX, int nIDC, Int& value, bool isSigned) {
  CWnd* control = pDX->PrepareCtrl(nIDC);
  if (control == nullptr) return;
  if (!pDX->m_bSaveAndValidate) {
    control->SetWindowText(std::to_string(value));
    return;
  }
  const DialogInt parsed = ParseDialogInt(control->GetWindowText(), isSigned);
  if (!parsed.ok) {
    AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONWARNING);
    pDX->Fail();
  }
  value = static_cast<Int>(parsed.value);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeNumber(pDX, nIDC, value, true); }

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  ExchangeNumber(pDX, nIDC, value, false);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  CWnd* control = pDX->PrepareCtrl(nIDC);
  if (control == nullptr) return;
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(control->SendMessage(BM_GETCHECK, 0, 0));
  } else {
    control->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
  if (control.GetSafeHwnd() != nullptr) return;
  if (CWnd* item = pDX->PrepareCtrl(nIDC)) control.SubclassWindow(item->GetSafeHwnd());
}

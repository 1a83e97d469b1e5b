#include "framework/dialogbase/CTabPage.h"

const CRuntimeClass CTabPage::classCTabPage{"CTabPage", &CDialog::classCDialog, nullptr};
const CRuntimeClass* CTabPage::GetRuntimeClass() const { return &classCTabPage; }

BOOL CTabPage::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return CDialog::Create(nIDTemplate, pParentWnd);
}

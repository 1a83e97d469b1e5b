#include "dialogs/PassDlg.h"

#include "framework/dialogbase/CDataExchange.h"
#include "res/ResourceIds.h"

CPassDlg::CPassDlg(CWnd* pParent) : CDialog(IDD_PASSWORD, pParent) {}

void CPassDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PASS_PASSWORD, m_strPassword);
}

#include "dialogs/NewGroupDlg.h"

#include "framework/dialogbase/CDataExchange.h"
#include "framework/messages/MessageMap.h"
#include "res/ResourceIds.h"

CNewGroupDlg::CNewGroupDlg(const GroupMap& tree, CWnd* pParent)
    : CGroupPickerDlg(IDD_NEWGROUP, IDC_NEWGROUP_GROUPS, tree, pParent) {}

const MessageMap* CNewGroupDlg::GetMessageMap() const {
  static const MessageMap map{
      CDialog::GetMessageMap(),
      {
          msg::Control(CBN_SELCHANGE, IDC_NEWGROUP_GROUPS, &CNewGroupDlg::OnGroupSelChange),
          msg::Control(BN_CLICKED, IDC_NEWGROUP_CREATE_INTO, &CNewGroupDlg::OnCreateIntoClicked),
      }};
  return &map;
}

void CNewGroupDlg::DoDataExchange(CDataExchange* pDX) {
  CGroupPickerDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_NEWGROUP_NAME, m_strGroupName);
}

// The check box ticks itself; the flag follows each click, and the list is usable only
// while the flag is on.
void CNewGroupDlg::OnCreateIntoClicked() {
  m_groups.EnableWindow(m_bCreateInto ? FALSE : TRUE);
  m_bCreateInto = !m_bCreateInto;
  OnGroupSelChange();
}

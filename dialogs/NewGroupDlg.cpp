#include "dialogs/NewGroupDlg.h"

#include "dialogs/GroupList.h"
#include "framework/dialogbase/CDataExchange.h"
#include "framework/messages/MessageMap.h"
#include "res/ResourceIds.h"

CNewGroupDlg::CNewGroupDlg(const GroupMap& tree, CWnd* pParent)
    : CDialog(IDD_NEWGROUP, pParent), m_tree(tree) {}

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
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NEWGROUP_GROUPS, m_groups);
  DDX_Text(pDX, IDC_NEWGROUP_NAME, m_strGroupName);
}

BOOL CNewGroupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  OpenGroupList(m_groups, m_tree, m_nIcon);
  UpdateResultPath();
  return TRUE;
}

void CNewGroupDlg::OnGroupSelChange() { UpdateResultPath(); }

// The check box ticks itself; the flag follows each click, and the list is usable only
// while the flag is on.
void CNewGroupDlg::OnCreateIntoClicked() {
  m_groups.EnableWindow(m_bCreateInto ? FALSE : TRUE);
  m_bCreateInto = !m_bCreateInto;
  UpdateResultPath();
}

void CNewGroupDlg::UpdateResultPath() {
  if (auto path = SelectedGroupPath(m_groups)) m_resultPath = std::move(*path);
}

#include "dialogs/GroupPickerDlg.h"

#include "dialogs/GroupList.h"
#include "framework/dialogbase/CDataExchange.h"

CGroupPickerDlg::CGroupPickerDlg(UINT nIDTemplate, int nGroupsId, const GroupMap& tree,
                                 CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nGroupsId(nGroupsId), m_tree(tree) {}

void CGroupPickerDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, m_nGroupsId, m_groups);
}

BOOL CGroupPickerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  OpenGroupList(m_groups, m_tree, m_nIcon);
  OnGroupSelChange();
  return TRUE;
}

void CGroupPickerDlg::OnGroupSelChange() {
  if (auto path = SelectedGroupPath(m_groups)) m_resultPath = std::move(*path);
}

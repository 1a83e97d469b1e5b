#include "dialogs/MoveToDlg.h"

#include "dialogs/GroupList.h"
#include "framework/dialogbase/CDataExchange.h"
#include "framework/messages/MessageMap.h"
#include "res/ResourceIds.h"

CMoveToDlg::CMoveToDlg(const GroupMap& tree, CWnd* pParent)
    : CDialog(IDD_MOVETO, pParent), m_tree(tree) {}

const MessageMap* CMoveToDlg::GetMessageMap() const {
  static const MessageMap map{
      CDialog::GetMessageMap(),
      {msg::Control(CBN_SELCHANGE, IDC_MOVETO_GROUPS, &CMoveToDlg::OnGroupSelChange)}};
  return &map;
}

void CMoveToDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_MOVETO_GROUPS, m_groups);
}

BOOL CMoveToDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  OpenGroupList(m_groups, m_tree, m_nIcon);
  UpdateResultPath();
  return TRUE;
}

void CMoveToDlg::OnGroupSelChange() { UpdateResultPath(); }

void CMoveToDlg::UpdateResultPath() {
  if (auto path = SelectedGroupPath(m_groups)) m_resultPath = std::move(*path);
}

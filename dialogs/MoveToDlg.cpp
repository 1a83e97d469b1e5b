#include "dialogs/MoveToDlg.h"

#include "framework/messages/MessageMap.h"
#include "res/ResourceIds.h"

CMoveToDlg::CMoveToDlg(const GroupMap& tree, CWnd* pParent)
    : CGroupPickerDlg(IDD_MOVETO, IDC_MOVETO_GROUPS, tree, pParent) {}

const MessageMap* CMoveToDlg::GetMessageMap() const {
  static const MessageMap map{
      CDialog::GetMessageMap(),
      {msg::Control(CBN_SELCHANGE, IDC_MOVETO_GROUPS, &CMoveToDlg::OnGroupSelChange)}};
  return &map;
}

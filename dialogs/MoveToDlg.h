#pragma once

#include "controls/TreeComboBox.h"
#include "framework/dialogbase/CDialog.h"
#include "tree/GroupTree.h"

// "Select Distination": picks the group an application is moved to. Lists the groups
// of the view's tree copy, indented by depth; the first is chosen at the start.
class CMoveToDlg : public CDialog {
 public:
  // `tree` is copied: the dialog only reads it.
  CMoveToDlg(const GroupMap& tree, CWnd* pParent = nullptr);

  GroupPath m_resultPath;  // valid after IDOK

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnGroupSelChange();
  void UpdateResultPath();

  GroupMap m_tree;
  int m_nIcon = -1;
  CTreeComboBox m_groups;
};

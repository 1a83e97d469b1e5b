#pragma once

#include "controls/TreeComboBox.h"
#include "framework/dialogbase/CDialog.h"
#include "tree/GroupTree.h"

// A dialog around the indented group list (move-to, new group): the groups of the view's
// tree copy, the first chosen at the start, and the path of the one chosen.
class CGroupPickerDlg : public CDialog {
 public:
  GroupPath m_resultPath;  // valid after IDOK

 protected:
  // `tree` is copied: the dialog only reads it. `nGroupsId` is the list's control id.
  CGroupPickerDlg(UINT nIDTemplate, int nGroupsId, const GroupMap& tree, CWnd* pParent);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  // The list's selection-change handler for the derived message maps.
  void OnGroupSelChange();

  CTreeComboBox m_groups;

 private:
  int m_nGroupsId;
  GroupMap m_tree;
  int m_nIcon = -1;
};

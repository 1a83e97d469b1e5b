#pragma once

#include <string>

#include "controls/TreeComboBox.h"
#include "framework/dialogbase/CDialog.h"
#include "tree/GroupTree.h"

// "New Folder/Group": the name of a new group and, when "Create group into:" is ticked,
// the group to make it in (from the view's tree copy, indented by depth). Any name is
// accepted, the empty one included.
class CNewGroupDlg : public CDialog {
 public:
  // `tree` is copied: the dialog only reads it.
  CNewGroupDlg(const GroupMap& tree, CWnd* pParent = nullptr);

  std::string m_strGroupName;
  bool m_bCreateInto = false;
  GroupPath m_resultPath;  // the chosen parent; the caller uses it only with m_bCreateInto

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnGroupSelChange();
  void OnCreateIntoClicked();
  void UpdateResultPath();

  GroupMap m_tree;
  int m_nIcon = -1;
  CTreeComboBox m_groups;
};

#pragma once

#include <string>

#include "dialogs/GroupPickerDlg.h"

// "New Folder/Group": the name of a new group and, when "Create group into:" is ticked,
// the group to make it in. Any name is accepted, the empty one included. The caller uses
// m_resultPath (the chosen parent) only with m_bCreateInto.
class CNewGroupDlg : public CGroupPickerDlg {
 public:
  CNewGroupDlg(const GroupMap& tree, CWnd* pParent = nullptr);

  std::string m_strGroupName;
  bool m_bCreateInto = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnCreateIntoClicked();
};

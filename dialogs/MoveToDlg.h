#pragma once

#include "dialogs/GroupPickerDlg.h"

// "Select Distination": picks the group an application is moved to.
class CMoveToDlg : public CGroupPickerDlg {
 public:
  CMoveToDlg(const GroupMap& tree, CWnd* pParent = nullptr);

 protected:
  const MessageMap* GetMessageMap() const override;
};

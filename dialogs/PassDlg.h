#pragma once

#include <string>

#include "framework/dialogbase/CDialog.h"

// "Unlock TaskMeter": asks for the password. OK and Cancel are the dialog's standard
// ones; the entered text is read by the data exchange on OK.
class CPassDlg : public CDialog {
 public:
  explicit CPassDlg(CWnd* pParent = nullptr);

  std::string m_strPassword;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

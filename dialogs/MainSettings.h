#pragma once

#include <string>

#include "framework/dialogbase/CDialog.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CEdit.h"
#include "framework/stdcontrols/CListBox.h"
#include "storage/MainPrefs.h"

// "Settings": the main preferences, one page at a time, chosen from the list on the
// left. OK writes "options/mainpref.ini" and tells the host and every window that the
// preferences changed; Cancel leaves the file as it was, even after a new password was
// accepted.
class CMainSettings : public CDialog {
 public:
  explicit CMainSettings(CWnd* pParent = nullptr);

  bool m_bSecurityFirst = false;  // open on the "Security" page

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  // Enter in a password field saves the password rather than closing the dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DoDataExchange(CDataExchange* pDX) override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnPageSelChange();
  void OnEnableFilterClicked();
  void OnEnablePasswordClicked();
  void OnChangePasswordClicked();
  void OnNewPasswordChange();
  void OnSavePasswordClicked();

  void FillPageList();
  void SwitchPage();
  void ShowPasswordFields(bool show);
  void EnableFilterEdits(bool enable);
  void LoadControls();
  void ReadControls();

  MainPrefs m_prefs;
  CListBox m_pages;
  CComboBox m_language;
  CEdit m_newPassword;
  CEdit m_confirmPassword;
};

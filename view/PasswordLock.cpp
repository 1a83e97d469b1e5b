#include "view/PasswordLock.h"

#include "dialogs/PassDlg.h"
#include "res/ResourceIds.h"

namespace {

// What the lock disables and the unlock enables again.
constexpr int kLockedControls[] = {
    IDC_VIEW_TREE,    IDC_VIEW_APP_LIST,     IDC_VIEW_MODE_TO_LIST, IDC_VIEW_MODE_TO_TREE,
    IDC_VIEW_MOVETO,  IDC_VIEW_COPY,         IDC_VIEW_PASTE,        IDC_VIEW_NEWGROUP,
    IDC_VIEW_REMOVE,  IDC_VIEW_REFRESH,      IDC_VIEW_GROUP_COMBO,  IDC_VIEW_GROUP_BUTTON,
    IDC_VIEW_TABHOST, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_PREFERENCES,  IDC_VIEW_REPORTS,
    IDC_VIEW_LOCK};

}  // namespace

void CPasswordLock::SetLocked(bool locked) {
  for (int id : kLockedControls) EnableControl(id, !locked);
  EnableControl(IDC_VIEW_UNLOCK, locked);
  EnableControl(IDC_VIEW_HELP, !locked);
  m_unlocked = !locked;
}

bool CPasswordLock::AskPassword(const std::string& password, int& failedUnlocks) {
  for (;;) {
    CPassDlg prompt(&m_form);
    if (prompt.DoModal() != IDOK) return false;
    if (prompt.m_strPassword == password) return true;
    ++failedUnlocks;
    m_form.MessageBox("Password isn't correct, try again.", nullptr, MB_OK);
    if (failedUnlocks >= kUnlockTries) return false;
  }
}

void CPasswordLock::EnableControl(int id, bool enable) {
  if (CWnd* control = m_form.GetDlgItem(id)) control->EnableWindow(enable ? TRUE : FALSE);
}

#include "framework/messages/CCmdUI.h"

#include <QAction>
#include <QString>

#include "framework/messages/CCmdTarget.h"
#include "framework/windows/CWnd.h"

void CCmdUI::Enable(BOOL bOn) {
  if (m_pOther != nullptr) m_pOther->EnableWindow(bOn);
  m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int /*nCheck*/) {}

void CCmdUI::SetText(const char* text) {
  if (m_pOther != nullptr && text != nullptr) m_pOther->SetWindowText(text);
}

void CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  if (target == nullptr) return;
  m_bEnableChanged = false;
  if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr) && m_bEnableChanged) return;
  if (disableIfNoHandler) {
    AFX_CMDHANDLERINFO info;
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
}

CMenuItemCmdUI::CMenuItemCmdUI(QAction* action) : m_action(action) {}

void CMenuItemCmdUI::Enable(BOOL bOn) {
  m_action->setEnabled(bOn != FALSE);
  m_bEnableChanged = true;
}

void CMenuItemCmdUI::SetCheck(int nCheck) {
  m_action->setCheckable(true);
  m_action->setChecked(nCheck != 0);
}

void CMenuItemCmdUI::SetText(const char* text) {
  if (text != nullptr) m_action->setText(QString::fromUtf8(text));
}

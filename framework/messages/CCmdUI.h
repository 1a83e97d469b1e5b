#pragma once

#include "framework/messages/WinTypes.h"

class CCmdTarget;
class QAction;

// A command-state query: the routing chain's handler says whether the command is
// available (Enable), checked (SetCheck) or how it is labelled (SetText).
class CCmdUI {
 public:
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  CWnd* m_pOther = nullptr;  // a control that shows the command, if any

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetText(const char* text);

  // Asks `target` (and its routing chain) for the state. When nobody answers the query,
  // an item is enabled exactly when some handler takes the command itself, or greyed
  // when none does and `disableIfNoHandler` is set.
  void DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

  bool WasEnableChanged() const { return m_bEnableChanged; }

 protected:
  bool m_bEnableChanged = false;
};

// The state query for one menu item.
class CMenuItemCmdUI : public CCmdUI {
 public:
  explicit CMenuItemCmdUI(QAction* action);
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetText(const char* text) override;

 private:
  QAction* m_action;
};

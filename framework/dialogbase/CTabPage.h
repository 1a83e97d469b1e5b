#pragma once

#include "framework/dialogbase/CDialog.h"

// A page of a tab host: a dialog made modeless as a child window from its template. The
// page handles its own commands and notifications; its buttons with ids 1 and 2 are
// ordinary buttons of the page (Apply, Discard, ...), so OK and Cancel never end or hide
// it. Escape and Enter belong to the top-level window around it.
class CTabPage : public CDialog {
 public:
  static const CRuntimeClass classCTabPage;
  const CRuntimeClass* GetRuntimeClass() const override;

  CTabPage() = default;

  // Creates the page from `nIDTemplate` as a child of `pParentWnd`, hidden until a tab
  // host shows it.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd);

  void OnOK() override {}
  void OnCancel() override {}
};

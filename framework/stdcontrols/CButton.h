#pragma once

#include "framework/stdcontrols/CStdControl.h"

// A push button, check box, radio button or group box over its Qt button. A click
// sends BN_CLICKED to the parent. The set-style message (BM_SETSTYLE) changes the
// button type; BS_DEFPUSHBUTTON makes the button its dialog's default, the one Enter
// presses. Asked for its dialog code, a push button tells whether it is the default.
class CButton : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCButton;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(const char* lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCheck() const;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
  void SetCheck(int nCheck);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyStyle(UINT style);
  UINT DialogCode() const;
};

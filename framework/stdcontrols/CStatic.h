#pragma once

#include "framework/stdcontrols/CStdControl.h"

// Static text (SS_LEFT, SS_CENTER, SS_RIGHT), etched lines and frames (SS_ETCHEDHORZ,
// SS_ETCHEDVERT, SS_ETCHEDFRAME) and rectangles (SS_BLACKRECT, SS_GRAYRECT). A group box
// is a button (BS_GROUPBOX); see CButton.
class CStatic : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCStatic;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(const char* lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID = 0xFFFF);

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
};

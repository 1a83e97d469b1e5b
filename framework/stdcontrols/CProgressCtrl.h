#pragma once

#include "framework/stdcontrols/CStdControl.h"

// A progress bar over a range (0 to 100 at first). Positions outside the range are
// clamped to it; an empty range shows an empty bar.
class CProgressCtrl : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCProgressCtrl;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }
  void SetRange32(int nLower, int nUpper);
  void GetRange(int& nLower, int& nUpper) const;
  int SetPos(int nPos);  // returns the previous position
  int GetPos() const;
  int OffsetPos(int nPos);
  int SetStep(int nStep);
  int StepIt();

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
};

#pragma once

#include "framework/stdcontrols/CStdControl.h"

// A single-line edit (or a multi-line one with ES_MULTILINE). ES_PASSWORD hides the
// text behind echo characters; every change of the text, typed or set, sends EN_CHANGE
// to the parent. Positions are character indexes; an end of -1 means the end of the text.
class CEdit : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCEdit;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Selects from nStartChar up to (not including) nEndChar; (0, -1) selects all and
  // (-1, ...) removes the selection.
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void GetSel(int& nStartChar, int& nEndChar) const;
  DWORD GetSel() const;  // start in the low word, end in the high word
  void ReplaceSel(const char* lpszNewText, BOOL bCanUndo = FALSE);
  // The most bytes of UTF-8 the user can enter, in whole characters (the edit's text is
  // 8-bit text, as everywhere in the framework); 0 lifts the limit.
  void LimitText(int nBytes = 0);
  void SetLimitText(UINT nMax) { LimitText(static_cast<int>(nMax)); }
  UINT GetLimitText() const;
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  void Clear();

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
};

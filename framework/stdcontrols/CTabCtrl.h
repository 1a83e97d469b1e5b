#pragma once

#include <string>

#include "framework/stdcontrols/CStdControl.h"

class StdTabWidget;

// A tab control: a strip of tabs over a display area, in which the owner places its
// pages as children of the control. A tab change by the user sends TCN_SELCHANGING to
// the parent first (a non-zero result keeps the current tab) and TCN_SELCHANGE after;
// SetCurSel changes the tab silently.
class CTabCtrl : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCTabCtrl;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int InsertItem(int nItem, const char* lpszItem);  // the new index, or -1
  int InsertItem(int nItem, const TCITEM* pTabCtrlItem);
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem, std::string* text = nullptr) const;
  BOOL SetItem(int nItem, const TCITEM* pTabCtrlItem);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  int GetItemCount() const;

  int GetCurSel() const;     // -1 when there is no tab
  int SetCurSel(int nItem);  // the previous selection, or -1 for a bad index
  // Every tab gets this size; returns the size tabs had before. With TCS_VERTICAL
  // the width runs across the strip and the height along it.
  CSize SetItemSize(CSize size);
  int GetRowCount() const;
  // The display area of a window rectangle (bLarger FALSE) or the reverse; both in
  // the control's client coordinates.
  void AdjustRect(BOOL bLarger, RECT* lpRect) const;
  BOOL GetItemRect(int nItem, RECT* lpRect) const;

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;

 private:
  StdTabWidget* Tabs() const;
};

#pragma once

#include <string>

#include "framework/stdcontrols/CStdControl.h"

class QListWidget;

// A single-selection list box. With LBS_SORT, AddString puts each string at its place
// in case-ignoring order (InsertString never sorts). Each line carries a pointer-sized
// item data. With LBS_NOTIFY a selection change by the user sends LBN_SELCHANGE (and a
// double click LBN_DBLCLK); a change made by code sends nothing.
class CListBox : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCListBox;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int AddString(const char* lpszItem);                 // the new line's index, or LB_ERR
  int InsertString(int nIndex, const char* lpszItem);  // -1 appends
  int DeleteString(UINT nIndex);                       // the count left, or LB_ERR
  void ResetContent();
  int GetCount() const;
  int GetText(int nIndex, std::string& rString) const;  // the length, or LB_ERR
  std::string GetText(int nIndex) const;
  int GetTextLen(int nIndex) const;
  int FindString(int nStartAfter, const char* lpszItem) const;       // prefix, case ignored
  int FindStringExact(int nStartAfter, const char* lpszItem) const;  // whole, case ignored
  int SelectString(int nStartAfter, const char* lpszItem);

  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  DWORD_PTR GetItemData(int nIndex) const;  // LB_ERR for a bad index
  int SetItemDataPtr(int nIndex, void* pData);
  void* GetItemDataPtr(int nIndex) const;

  int GetCurSel() const;       // LB_ERR when nothing is selected
  int SetCurSel(int nSelect);  // -1 clears; LB_ERR for a bad index or -1
  int GetTopIndex() const;
  int SetTopIndex(int nIndex);
  int GetItemRect(int nIndex, RECT* lpRect) const;
  // One height for every line (the index is ignored); LB_ERR above 255 pixels.
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const;

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;

 private:
  QListWidget* List() const;
  int Find(int nStartAfter, const char* text, bool exact) const;
};

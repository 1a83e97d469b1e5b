#pragma once

#include <string>

#include "framework/stdcontrols/CStdControl.h"

class StdComboBox;
class QComboBox;

// A combo box; CBS_DROPDOWNLIST makes a pick-only list, CBS_DROPDOWN an editable one.
// With CBS_SORT, AddString puts each string at its place in case-ignoring order. A
// selection change by the user sends CBN_SELCHANGE; a change by code sends nothing.
// Opening the list sends CBN_DROPDOWN first, so its owner can still set the width of
// the dropped list.
class CComboBox : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCComboBox;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int AddString(const char* lpszString);                 // the new entry's index, or CB_ERR
  int InsertString(int nIndex, const char* lpszString);  // -1 appends
  int DeleteString(UINT nIndex);                         // the count left, or CB_ERR
  void ResetContent();
  int GetCount() const;
  int GetLBText(int nIndex, std::string& rString) const;  // the length, or CB_ERR
  std::string GetLBText(int nIndex) const;
  int GetLBTextLen(int nIndex) const;
  int FindString(int nStartAfter, const char* lpszString) const;       // prefix, case ignored
  int FindStringExact(int nStartAfter, const char* lpszString) const;  // whole, case ignored
  int SelectString(int nStartAfter, const char* lpszString);

  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  DWORD_PTR GetItemData(int nIndex) const;  // CB_ERR for a bad index
  int SetItemDataPtr(int nIndex, void* pData);
  void* GetItemDataPtr(int nIndex) const;

  int GetCurSel() const;       // CB_ERR when nothing is selected
  int SetCurSel(int nSelect);  // -1 clears; CB_ERR for a bad index or -1

  // The width of the dropped list in pixels; never less than the control's width.
  int SetDroppedWidth(UINT nWidth);
  int GetDroppedWidth() const;
  void ShowDropDown(BOOL bShowIt = TRUE);
  // nIndex -1: the height of the selection field; otherwise of every list entry.
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const;
  BOOL GetDroppedState() const;

 protected:
  friend class StdComboBox;
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
  // Called just before the list drops down, before the parent hears CBN_DROPDOWN: the
  // place where a subclass sizes its list.
  virtual void OnDropDown();

 private:
  QComboBox* Combo() const;
  int Insert(int index, const char* text);
  int Find(int nStartAfter, const char* text, bool exact) const;
};

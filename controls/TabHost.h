#pragma once

#include <QPointer>
#include <vector>

#include "framework/stdcontrols/CTabCtrl.h"

// A tab control that owns one child window (page) per tab and shows only the page of the
// selected tab, sized to the control's display area. It remembers which control had the
// focus inside each page, so switching tabs and focusing the tab control return the focus
// to where the user left it. Commands and notifications from the pages go on to the tab
// control's own parent.
class CTabHost : public CTabCtrl {
 public:
  static const CRuntimeClass classCTabHost;
  const CRuntimeClass* GetRuntimeClass() const override;

  CTabHost();
  ~CTabHost() override;

  // Appends a tab showing `pPage`; with nOwns 1 the host deletes the page object when it
  // is destroyed. Returns the tab index, or -1 (no page window, or no tab made).
  int AddPage(const char* lpszCaption, int nUserValue, CWnd* pPage, DWORD nOwns = 0);
  CWnd* GetPage(int nIndex) const;
  BOOL SetActivePage(int nIndex);
  BOOL SetPageTitle(int nIndex, const char* lpszCaption);

  // Page notifications, with the page's index and the value given with it.
  virtual BOOL WantsFirstControlFocus(int nIndex, int nUserValue);
  virtual void OnPageSelected(int nIndex, int nUserValue);
  virtual void OnPageLeaving(int nIndex, int nUserValue);
  virtual void OnPageRemoved(int nIndex, int nUserValue);

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  const MessageMap* GetMessageMap() const override;

  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  void OnDestroy();

  // The user's tab change, as the control reports it to its parent, which hands it
  // back here: before (the change is always allowed) and after.
  void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
  void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);

 private:
  struct Page {
    CWnd* window = nullptr;
    DWORD owns = 0;
  };

  void PlacePage(CWnd* pPage);
  void ShowPage(int nIndex);
  void HidePage(int nIndex);
  void RemoveAllPages();
  bool HasPage(int nIndex) const;

  std::vector<Page> m_pages;
  std::vector<QPointer<QWidget>> m_focus;
  std::vector<int> m_userValues;
};

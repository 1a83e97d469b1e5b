#pragma once

#include <string>

#include "framework/dialogbase/CTabPage.h"
#include "framework/gdi/GdiObjects.h"
#include "framework/stdcontrols/CEdit.h"
#include "tree/GroupTree.h"

class CDLLDocumentView;

// "Main": edits the selected item. For an application its display name and its title
// filter, for a group its name. The page keeps the entry it was given; Apply and Discard
// are enabled exactly while the controls differ from it.
class CAssociationPage : public CTabPage {
 public:
  CAssociationPage();

  BOOL Create(CWnd* pParentWnd);
  void SetView(CDLLDocumentView* pView) { m_pView = pView; }

  // The selected item's text in "Show as:", on tab 0 and inside the check box's caption.
  void FillHeader(const std::string& text);
  // The check box's caption with `text` between its quotes.
  void SetFilterCaption(const std::string& text);
  void ShowFilterControls(bool show);
  void FillApplication(const AppEntry& entry);
  void FillGroup(const std::string& name);
  void StoreEntry(const AppEntry& entry);
  AppEntry GetStoredEntry() const { return m_entry; }

  // Rename: the "Show as:" edit takes the focus and its text is selected from the
  // start, further at each tick of a timer: a character every 50 ms, the whole name
  // within half a second. Input goes on meanwhile; a new selection or an edit ends it.
  void BeginRename();

 protected:
  const MessageMap* GetMessageMap() const override;
  BOOL OnInitDialog() override;

  // Apply (id 1) and Discard (id 2).
  void OnOK() override;
  void OnCancel() override;

  void OnSize(UINT nType, int cx, int cy);
  CBrush* OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnRestoreName();
  void OnEdited();
  void OnTimer(UINT_PTR nIDEvent);

 private:
  void DoDataExchange(CDataExchange* pDX) override;
  bool Differs() const;
  void UpdateButtons();
  void StopRename();

  CDLLDocumentView* m_pView = nullptr;
  CEdit m_showAs;
  AppEntry m_entry;
  std::string m_filterCaption;  // the check box's template caption
  int m_renameLength = 0;       // characters of the name being selected
  int m_renameSteps = 0;        // 0: no selection runs
  int m_renameStep = 0;
  CBrush m_whiteBrush{RGB(255, 255, 255)};
};

#pragma once

#include <array>

#include "controls/ImageButton.h"
#include "controls/ImageListBox.h"
#include "controls/TabHost.h"
#include "controls/TreeComboBox.h"
#include "framework/CFormView.h"
#include "framework/controls/CImageList.h"

class CDLLDocument;
struct MenuResource;

// The one view of the document: a form on dialog template 101 with the group tree on the
// left, the tab host on the right and the command buttons above and below. Creating it
// reads the preferences into the document, which happens before the document loads.
class CDLLDocumentView : public CFormView {
  TM_DECLARE_DYNCREATE(CDLLDocumentView)

 public:
  CDLLDocumentView();

  // Null when the view shows no document of the module's own class.
  CDLLDocument* GetDocument() const;

  void OnInitialUpdate() override;

  // "Make report...": the host's main window makes the report.
  void OnReports();
  void OnUpdateReports(CCmdUI* pCmdUI);

  bool IsUnlocked() const { return m_bUnlocked; }
  UINT GetReportMessage() const { return m_nReportMessage; }
  const MenuResource* GetPopupMenu() const { return m_popupMenu; }

 protected:
  const MessageMap* GetMessageMap() const override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  // Bitmaps, styles and tooltips of the image buttons; the list's icons.
  void SetUpControls();
  // Shows the controls of tree mode and hides those of list mode.
  void ShowTreeMode();

  bool m_bUnlocked = true;
  UINT m_nReportMessage = 0;
  const MenuResource* m_popupMenu = nullptr;

  CImageList m_imageList;                  // group and application icons; the list borrows it
  std::array<CImageButton, 15> m_buttons;  // in the order of the view's button table
  CTabHost m_tabHost;
  CImageListBox m_appList;
  CTreeComboBox m_groupPicker;
  int m_groupIconIndex = -1;  // the group icon in the picker's image list
};

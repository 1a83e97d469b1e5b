#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/ImageButton.h"
#include "controls/ImageListBox.h"
#include "controls/TabHost.h"
#include "controls/TreeComboBox.h"
#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/CMenu.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "framework/windows/CFormView.h"
#include "storage/FileProblem.h"
#include "tree/GroupTree.h"
#include "view/AssociationPage.h"
#include "view/QuickInfoPage.h"

class CDLLDocument;
class CDragImageList;

// The one view of the document: a form on dialog template 101 with the group tree (or
// the group picker and the application list) on the left, the association and
// statistics pages on the right and the command buttons above and below. Creating it
// reads the preferences into the document, which happens before the document loads.
class CDLLDocumentView : public CFormView {
  TM_DECLARE_DYNCREATE(CDLLDocumentView)

 public:
  static constexpr int kTreeMode = 0;
  static constexpr int kListMode = 1;

  CDLLDocumentView();
  ~CDLLDocumentView() override;

  // Null when the view shows no document of the module's own class.
  CDLLDocument* GetDocument() const;

  void OnInitialUpdate() override;

  // Rebuilds the presentation in `mode` from a fresh copy of the document's tree.
  void RefreshView(int mode);
  // Writes the association page's stored entry into the document and saves.
  void ApplyAssociation();

  // The view's copy of the document's tree, as the dialogs list it.
  const GroupMap& GetTreeCopy() const { return m_groupMap; }
  int GetViewMode() const { return m_nViewMode; }
  bool IsUnlocked() const { return m_bUnlocked; }

 protected:
  const MessageMap* GetMessageMap() const override;
  void DoDataExchange(CDataExchange* pDX) override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  void OnContextMenu(CWnd* pWnd, CPoint pos);
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  void OnDestroy();

  // Commands of the menu and the upper row.
  void OnSettings();
  void OnPredefinedGroups();
  void OnReports();
  void OnLockUnlock();
  void OnLock();
  void OnUnlock();
  void OnHelp();
  void OnUpdateUnlockedOnly(CCmdUI* pCmdUI);
  void OnSwitchViewMode();

  // Selections.
  void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  void OnGroupComboSelChange();
  void OnAppListSelChange();

  // Editing the tree: the lower row, the popup menu and dragging.
  void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
  // The popup's commands by their usual keys (Delete, F2, Ctrl+C, Ctrl+V), enabled as
  // the popup's items are; Escape ends a drag without a drop.
  void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  void OnNewGroup();
  void OnDelete();
  void OnCopy();
  void OnPaste();
  void OnMoveTo();
  void OnRename();
  void OnRefresh();
  void OnTreeBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);

 private:
  // Building the presentation.
  void ShowModeControls();
  void FillTree(const GroupMap& topLevel);
  void FillGroupItem(HTREEITEM hGroup, const AppList& list);
  void FillGroupCombo(int nParentId, const GroupMap& level);
  void FillAppList(const GroupMap& level, const std::string& groupName);
  bool IsShownApplication(const AppEntry& entry) const;
  void ReadFilterSettings();

  // Selections and paths.
  void ShowSelectedTreeItem(HTREEITEM hItem);
  void ShowApplication(const std::string& name, const GroupPath& groupPath);
  void ShowGroup(const std::string& name, const GroupPath& ownPath, bool topLevel);
  bool IsSelectedGroup() const;
  // A tree item, or in list mode an application of the picked group, is selected.
  bool HasSelectedItem() const;
  GroupPath ItemPath(HTREEITEM hItem, bool withItself) const;
  GroupPath SelectorPath() const;
  std::string SelectedListText() const;
  void SelectItemByPath(const GroupPath& names);
  AppEntry LookUpEntry(const GroupPath& groupPath, const std::string& shownName) const;

  // Editing.
  // The selected item's text (in list mode the selected application's) and the path of
  // the group it stands in.
  std::string SelectedItem(GroupPath& groupPath) const;
  // Saves the document's tree and rebuilds the view in its mode.
  void SaveAndRefresh();
  // A message box for each problem with an options file that the user has not been told
  // of yet; a problem that went away is forgotten, so it is told again if it comes back.
  void TellFileProblems();
  LRESULT OnTellFileProblems(WPARAM, LPARAM);
  void StopAutoExpand();
  void EndDrag();
  void CancelDrag();

  // The lock.
  void SetLocked(bool locked);
  void OpenSettings(bool securityFirst);
  bool AskPassword();

  void EnableControl(int id, bool enable);
  void ShowControl(int id, bool show);

  bool m_bUnlocked = true;
  bool m_bDeleteAllowed = false;
  bool m_bMoveAllowed = false;
  bool m_bPasteAllowed = false;
  int m_nViewMode = kTreeMode;
  GroupMap m_groupMap;
  bool m_bFilterOn = false;
  int m_nFilterSeconds = 0;

  // The application clipboard: one application and the group it was copied from.
  GroupPath m_clipSourcePath;
  GroupPath m_pasteDestinationPath;
  std::string m_clipName;
  bool m_bKeepSource = true;  // off only while a drop pastes

  // Dragging in the tree.
  HTREEITEM m_hDragItem = nullptr;
  HTREEITEM m_hDropTarget = nullptr;
  HTREEITEM m_hFirstHighlight = nullptr;
  std::unique_ptr<CDragImageList> m_pDragImage;
  bool m_bDragging = false;
  UINT_PTR m_nExpandTimer = 0;

  std::vector<FileProblem> m_toldProblems;

  UINT m_nReportMessage = 0;
  CMenu m_popupMenu;  // the tree's right-click menu

  CImageList m_imageList;                  // group and application icons, shared
  std::array<CImageButton, 15> m_buttons;  // in the order of the view's button table
  CTabHost m_tabHost;
  CTreeCtrl m_tree;
  CImageListBox m_appList;
  CTreeComboBox m_groupPicker;
  int m_groupIconIndex = -1;  // the group icon in the picker's image list
  CAssociationPage m_associationPage;
  CQuickInfoPage m_quickInfoPage;
};

#pragma once

#include "controls/ImageButton.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "tree/GroupTree.h"

// "Groups/Folders Configuration": copies ready-made groups from the catalogue in
// "options/predefgroups.xml" into a working copy of the user's tree, and deletes groups
// from it. Both trees show groups only. The caller takes the working tree back after
// "Save" (IDOK); nothing is written here, the catalogue file least of all.
class CPreDefGroups : public CDialog {
 public:
  explicit CPreDefGroups(CWnd* pParent = nullptr);

  // The window the dialog belongs to; without a parent of its own it opens over it.
  void SetOwner(CWnd* pOwner);
  void SetWorkingTree(const GroupMap& tree);
  GroupMap GetWorkingTree() const;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnCatalogueSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  void OnCopyOne();
  void OnCopyWithSubGroups();
  void OnDelete();

  void SetUpImages();
  void FillLevel(CTreeCtrl& tree, const GroupMap& level, HTREEITEM parent);
  void FillTree(CTreeCtrl& tree, const GroupMap& groups);
  void RefillWorkingTree();
  GroupPath SelectedWorkingPath() const;
  void CopyBranch(HTREEITEM catalogueItem, const GroupPath& into);

  CWnd* m_pOwner = nullptr;
  GroupMap m_catalogue;
  GroupMap m_working;
  CImageList m_images;
  CTreeCtrl m_catalogueTree;
  CTreeCtrl m_workingTree;
  CImageButton m_delete;
};

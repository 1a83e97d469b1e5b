#pragma once

#include <span>
#include <string>
#include <vector>

#include "framework/stdcontrols/CStdControl.h"

class CImageList;
class StdTreeWidget;
class QTreeWidgetItem;

// A tree control. Items are named by HTREEITEM handles, valid until the item is
// deleted. Each item has a text, a normal and a selected image (indexes into the
// normal image list; 0 unless given) and an LPARAM of data.
//
// Notifications to the parent (WM_NOTIFY with an NMTREEVIEW): TVN_SELCHANGING (a
// non-zero result refuses the change) and TVN_SELCHANGED, for the user's clicks and
// keys and for SelectItem alike; TVN_BEGINDRAG when the user drags an item (the
// control does no dragging of its own); NM_RCLICK for a right click, which becomes
// WM_CONTEXTMENU when the parent leaves it unhandled (result 0).
class CTreeCtrl : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCTreeCtrl;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // hInsertAfter: TVI_FIRST, TVI_LAST, TVI_SORT (case-ignoring place among the
  // siblings) or a sibling to follow. hParent TVI_ROOT (or null) is the top level.
  HTREEITEM InsertItem(const char* lpszItem, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(const char* lpszItem, int nImage, int nSelectedImage,
                       HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(const TVINSERTSTRUCT* lpInsertStruct);

  // One item for InsertItems: its text, its images and where it goes among its siblings
  // (TVI_FIRST, TVI_LAST or TVI_SORT).
  struct ItemInsert {
    std::string text;
    int image = 0;
    int selectedImage = 0;
    HTREEITEM where = TVI_LAST;
  };
  // Inserts `items` under `hParent` exactly where one InsertItem call each, in this
  // order, would put them, but without a scan of the siblings per sorted item, so a
  // level of n items costs n log n. Their handles in the order given; empty when
  // `hParent` is no item of this tree.
  std::vector<HTREEITEM> InsertItems(HTREEITEM hParent, std::span<const ItemInsert> items);
  BOOL DeleteItem(HTREEITEM hItem);  // TVI_ROOT deletes everything
  BOOL DeleteAllItems();

  std::string GetItemText(HTREEITEM hItem) const;
  BOOL SetItemText(HTREEITEM hItem, const char* lpszItem);
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
  UINT GetCount() const;

  // Walks; each gives null when there is no such item.
  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM hItem) const;  // TVI_ROOT: the first top-level item
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
  HTREEITEM GetParentItem(HTREEITEM hItem) const;
  HTREEITEM GetFirstVisibleItem() const;
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;  // TVGN_*
  BOOL ItemHasChildren(HTREEITEM hItem) const;

  BOOL SelectItem(HTREEITEM hItem);  // null clears; FALSE when the parent refused
  HTREEITEM GetSelectedItem() const;
  // The drop highlight, a look apart from the selection (null removes it).
  BOOL SelectDropTarget(HTREEITEM hItem);
  HTREEITEM GetDropHilightItem() const;
  BOOL Select(HTREEITEM hItem, UINT nCode);  // TVGN_CARET or TVGN_DROPHILITE

  BOOL EnsureVisible(HTREEITEM hItem);
  BOOL Expand(HTREEITEM hItem, UINT nCode);  // TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE
  // Orders the children of `hItem` (TVI_ROOT: the top level) by text, ignoring case;
  // with bRecurse their descendants too.
  BOOL SortChildren(HTREEITEM hItem, BOOL bRecurse = FALSE);

  // The item at `pt` (client coordinates), with TVHT_* flags in *pFlags.
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
  BOOL GetItemRect(HTREEITEM hItem, RECT* lpRect, BOOL bTextOnly) const;

  // The list shares its images with the tree; it returns the list it replaced. The tree
  // keeps the list with its widget, so every wrapper of it sees the same list.
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(int nImageListType) const;

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;

 private:
  StdTreeWidget* Tree() const;
  QTreeWidgetItem* ParentOf(HTREEITEM hParent) const;
};

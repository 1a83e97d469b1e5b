#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/gdi/Icon.h"
#include "framework/ownerdraw/OwnerDrawItems.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CImageList.h"

// A drop-down list whose entries form an indented tree of groups, each with a 16 by 16
// icon. Entries are added under a parent entry named by its id (the position the
// parent got when it was added) and land after the parent's last descendant. Entries
// are 18 pixels high; the dropped list is as wide as the widest indented entry needs.
//
// Ids are full ints rather than the 16 bits such lists used to keep: with 16 bits the
// 65,536th group took the top-level mark as its id and later ones wrapped onto earlier
// groups, so children landed under the wrong parent. Records are indexed by id and
// each knows how many descendants follow it, so adding a group costs the same
// whatever the list holds.
class CTreeComboBox : public CComboBox, public COwnerDrawItems {
 public:
  static const CRuntimeClass classCTreeComboBox;
  const CRuntimeClass* GetRuntimeClass() const override;

  static constexpr int kTopLevel = -1;  // the parent id of a top-level entry

  CTreeComboBox();
  ~CTreeComboBox() override;

  // Appends `hIcon` to the entries' image list; its index, or -1.
  int AddIcon(const HICON& hIcon);
  // Adds `lpszText` with icon `nImage` under the entry whose id is `wParentId`
  // (kTopLevel: at the end, on the top level). The new entry's position, which is also
  // its id; CB_ERR when no entry has that id.
  int AddItem(int nParentId, BYTE nImage, const char* lpszText);

  // The entry's level (top level 0), parent id, own id and image; -1 for no entry (and
  // kTopLevel, also -1, as the parent id of a top-level entry).
  int GetItemLevel(int nIndex) const;
  int GetItemParentId(int nIndex) const;
  int GetItemId(int nIndex) const;
  int GetItemImage(int nIndex) const;
  int GetRecordCount() const { return static_cast<int>(m_records.size()); }

  // Sets the widget up when it is made, frees every record when it goes, and takes the
  // new colours when the system's change.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Free the records of the entries they remove; a removed entry no longer counts as
  // its parent's descendant.
  void ResetContent();
  int DeleteString(UINT nIndex);

  // The icon and text indented by level, 18 pixels high, the selected text framed.
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

  // The width the dropped list gets: the widest entry's text, indent, a scroll bar and
  // a margin.
  int CalcDroppedWidth() const;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
  void PreSubclassWindow() override;
  void OnDropDown() override;
  BOOL OnOwnerPaint(QPainter& painter, const CRect& dirty) override;

 private:
  struct EntryRecord {
    int parentId = kTopLevel;
    int ownId = 0;
    std::uint8_t image = 0;
    std::uint8_t level = 0;
    int descendants = 0;  // the deeper entries right after it that AddItem put there
  };

  EntryRecord* RecordOf(int nIndex) const;
  int IndexOfId(int nId) const;
  int IndexOfRecord(const EntryRecord* record) const;
  int PlaceAfterDescendants(int nParent, const EntryRecord& parent) const;
  void CountDescendant(int nParentId, int change);
  int InsertEntry(int nIndex, const char* lpszText, const EntryRecord& record);
  void FreeRecord(int nIndex);
  void FreeAllRecords();
  void SetUpWidget();
  void LoadColours();
  void DrawFrame(CDC& dc);

  CImageList m_images;
  COLORREF m_clrWindow = 0;
  COLORREF m_clrHighlight = 0;
  COLORREF m_clrWindowText = 0;
  COLORREF m_clrHighlightText = 0;
  COLORREF m_clrFrame = 0;  // around the selected entry's text
  // Every record this list made, by address (item data is checked against it before it
  // is followed) and by id (ids repeat only after entries were added out of tree order).
  std::unordered_map<const EntryRecord*, std::unique_ptr<EntryRecord>> m_records;
  std::unordered_multimap<int, EntryRecord*> m_byId;
};

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/controls/CComboBox.h"
#include "framework/controls/CImageList.h"
#include "framework/gdi/Icon.h"
#include "framework/ownerdraw/OwnerDrawItems.h"

// A drop-down list whose entries form an indented tree of groups, each with a 16 by 16
// icon. Entries are added under a parent entry named by its id (the position the
// parent got when it was added) and land after the parent's last descendant. Entries
// are 18 pixels high; the dropped list is as wide as the widest indented entry needs.
class CTreeComboBox : public CComboBox, public COwnerDrawItems {
 public:
  static const CRuntimeClass classCTreeComboBox;
  const CRuntimeClass* GetRuntimeClass() const override;

  static constexpr WORD kTopLevel = 0xFFFF;  // the parent id of a top-level entry

  CTreeComboBox();
  ~CTreeComboBox() override;

  // Appends `hIcon` to the entries' image list; its index, or -1.
  int AddIcon(const HICON& hIcon);
  // Adds `lpszText` with icon `nImage` under the entry whose id is `wParentId`
  // (kTopLevel: at the end, on the top level). The new entry's position, which is also
  // its id; CB_ERR when no entry has that id.
  int AddItem(WORD wParentId, BYTE nImage, const char* lpszText);

  // The entry's level (top level 0), parent id, own id and image; -1 for no entry.
  int GetItemLevel(int nIndex) const;
  int GetItemParentId(int nIndex) const;
  int GetItemId(int nIndex) const;
  int GetItemImage(int nIndex) const;
  int GetRecordCount() const { return static_cast<int>(m_records.size()); }

  void ResetContent();
  int DeleteString(UINT nIndex);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

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
    std::uint16_t parentId = kTopLevel;
    std::uint16_t ownId = 0;
    std::uint8_t image = 0;
    std::uint8_t level = 0;
  };

  EntryRecord* RecordOf(int nIndex) const;
  int IndexOfId(WORD wId) const;
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
  std::vector<std::unique_ptr<EntryRecord>> m_records;
};

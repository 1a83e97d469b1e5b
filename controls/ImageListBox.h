#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/ownerdraw/OwnerDrawItems.h"
#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/CListBox.h"

class CDC;

// A sorted list box whose lines show an icon column beside word-wrapped text; each
// line is as high as its wrapped text (never lower than the icon + 8 with an image
// list). Made with variable owner-drawn line heights and strings, or subclassed from a
// template list box with those styles.
//
// Every line owns a record holding its image index; the record is the line's item
// data, and the control frees it when the line goes (ResetContent, DeleteString) and
// when the window is destroyed.
class CImageListBox : public CListBox, public COwnerDrawItems {
 public:
  static const CRuntimeClass classCImageListBox;
  const CRuntimeClass* GetRuntimeClass() const override;

  CImageListBox();
  ~CImageListBox() override;

  // Adds `lpszText` at its sorted place with image `nImage`; the line's index, or
  // LB_ERR (no record made).
  int AddItem(const char* lpszText, int nImage);
  // Adds each of `texts` with image `nImage` where AddItem, called for them in this
  // order, would put it; a sorted copy goes in at a time, so that thousands of lines
  // cost n log n instead of a search and a shift of the list for each.
  void AddItems(std::span<const std::string> texts, int nImage);
  // Borrows `pImageList` (null: none), takes its icon size and repaints.
  void SetItemImageList(CImageList* pImageList);
  CImageList* GetItemImageList() const { return m_pImageList; }
  // The image index of line `nIndex`, or -1 for a line without a record.
  int GetItemImage(int nIndex) const;
  // How many line records the control holds now.
  int GetRecordCount() const { return static_cast<int>(m_records.size()); }

  // Free the records of the lines they remove.
  void ResetContent();
  int DeleteString(UINT nIndex);

  // The icon column beside the wrapped text; each line as high as its text needs.
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

  // Frees every record when the window goes.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // The three drawing steps of a line: the text column's background, the icon column's
  // background, the icon.
  virtual void DrawTextBackground(CDC* pDC, const CRect& rcText, BOOL bSelected, BOOL bDisabled);
  virtual void DrawIconBackground(CDC* pDC, const CRect& rcIcon, BOOL bSelected, BOOL bDisabled);
  virtual void DrawItemIcon(CDC* pDC, const CRect& rcIcon, int nImage, BOOL bDisabled);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
  void PreSubclassWindow() override;

 private:
  struct LineRecord {
    std::int32_t nImage = 0;
  };

  LineRecord* RecordOf(int nIndex) const;
  void FreeRecord(int nIndex);
  void FreeAllRecords();

  CImageList* m_pImageList = nullptr;
  int m_cxIcon = 0;
  int m_cyIcon = 0;
  std::unordered_map<const LineRecord*, std::unique_ptr<LineRecord>> m_records;
};

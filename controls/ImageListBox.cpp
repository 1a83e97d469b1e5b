#include "controls/ImageListBox.h"

#include <QImage>
#include <QWidget>
#include <algorithm>

#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/stdcontrols/ControlTypes.h"
#include "framework/stdcontrols/SiblingOrder.h"

namespace {

constexpr int kIconColumnPad = 6;  // icon column: the icon plus 3 pixels each side
constexpr int kIconLeft = 3;
constexpr int kIconTop = 2;
constexpr int kIconPad = 4;  // a line is at least the icon + this, before the line pad
constexpr int kLinePad = 4;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

}  // namespace

const CRuntimeClass CImageListBox::classCImageListBox{"CImageListBox", &CListBox::classCListBox,
                                                      nullptr};
const CRuntimeClass* CImageListBox::GetRuntimeClass() const { return &classCImageListBox; }

CImageListBox::CImageListBox() = default;

CImageListBox::~CImageListBox() {
  // The widget may outlive this object: no line may keep a pointer to a freed record.
  FreeAllRecords();
}

BOOL CImageListBox::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  return CListBox::PreCreateWindow(cs);
}

QWidget* CImageListBox::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  QWidget* widget = CListBox::CreateWidget(cs, parent);
  AfxEnableOwnerDrawItems(widget, static_cast<DWORD>(cs.style));
  return widget;
}

void CImageListBox::PreSubclassWindow() {
  CListBox::PreSubclassWindow();
  AfxEnableOwnerDrawItems(GetSafeHwnd(), GetStyle());
}

LRESULT CImageListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) FreeAllRecords();
  return CListBox::WindowProc(message, wParam, lParam);
}

int CImageListBox::AddItem(const char* lpszText, int nImage) {
  const int index = AddString(lpszText);
  if (index < 0) return index;
  auto record = std::make_unique<LineRecord>();
  record->nImage = nImage;
  if (SetItemDataPtr(index, record.get()) != LB_OKAY) return LB_ERR;
  const LineRecord* key = record.get();
  m_records.emplace(key, std::move(record));
  return index;
}

void CImageListBox::AddItems(std::span<const std::string> texts, int nImage) {
  std::vector<QString> keys;
  keys.reserve(texts.size());
  for (const std::string& text : texts) keys.push_back(QString::fromStdString(text));
  // Each added line goes behind the lines that sort like it: a stable sort.
  for (int id : CaseIgnoredOrder(keys)) AddItem(texts[static_cast<size_t>(id)].c_str(), nImage);
}

void CImageListBox::SetItemImageList(CImageList* pImageList) {
  m_pImageList = pImageList;
  m_cxIcon = 0;
  m_cyIcon = 0;
  if (m_pImageList != nullptr) m_pImageList->GetIconSize(m_cxIcon, m_cyIcon);
  Invalidate();
}

CImageListBox::LineRecord* CImageListBox::RecordOf(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetCount()) return nullptr;
  const auto* data = static_cast<const LineRecord*>(GetItemDataPtr(nIndex));
  // Only records this control made count; other item data is left alone. Looked up by
  // address, so that a list of thousands of lines costs no more per line than a short one.
  const auto owned = m_records.find(data);
  return owned != m_records.end() ? owned->second.get() : nullptr;
}

int CImageListBox::GetItemImage(int nIndex) const {
  const LineRecord* record = RecordOf(nIndex);
  return record != nullptr ? record->nImage : -1;
}

void CImageListBox::FreeRecord(int nIndex) {
  const LineRecord* record = RecordOf(nIndex);
  if (record == nullptr) return;
  SetItemDataPtr(nIndex, nullptr);
  m_records.erase(record);
}

// Only where every line goes with the records (reset, destruction): the lines' item
// data is not cleared one by one, since each change costs the list a search for the line.
void CImageListBox::FreeAllRecords() { m_records.clear(); }

void CImageListBox::ResetContent() {
  FreeAllRecords();
  CListBox::ResetContent();
}

int CImageListBox::DeleteString(UINT nIndex) {
  FreeRecord(static_cast<int>(nIndex));
  return CListBox::DeleteString(nIndex);
}

void CImageListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  const std::string text = GetText(static_cast<int>(lpMeasureItemStruct->itemID));
  // Measured in the text column, where the line is drawn, so that no wrapped line is cut.
  const int iconColumn = m_pImageList != nullptr ? m_cxIcon + kIconColumnPad : 0;
  CRect bounds(0, 0, std::max(1, static_cast<int>(lpMeasureItemStruct->itemWidth) - iconColumn), 0);
  QWidget* widget = GetSafeHwnd();
  CFont font(widget != nullptr ? widget->font() : QFont());
  AfxPaintToImage(1, 1, [&](CDC& dc) {
    dc.SelectObject(&font);
    dc.DrawText(text, &bounds, kTextFormat | DT_CALCRECT);
  });
  int height = bounds.Height();
  if (m_pImageList != nullptr) height = std::max(height, m_cyIcon + kIconPad);
  lpMeasureItemStruct->itemHeight = static_cast<UINT>(height + kLinePad);
}

void CImageListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const int index = static_cast<int>(lpDrawItemStruct->itemID);
  const LineRecord* record = RecordOf(index);
  if (record == nullptr) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const UINT state = lpDrawItemStruct->itemState;
  const BOOL bSelected = (state & ODS_SELECTED) != 0 ? TRUE : FALSE;
  const BOOL bFocus = (state & ODS_FOCUS) != 0 ? TRUE : FALSE;
  const BOOL bDisabled = (state & ODS_DISABLED) != 0 || !IsWindowEnabled() ? TRUE : FALSE;

  const CRect rcItem(lpDrawItemStruct->rcItem);
  const int iconColumn = m_pImageList != nullptr ? m_cxIcon + kIconColumnPad : 0;
  const CRect rcIcon(rcItem.left, rcItem.top, rcItem.left + iconColumn, rcItem.bottom);
  const CRect rcText(rcIcon.right, rcItem.top, rcItem.right, rcItem.bottom);
  const std::string text = GetText(index);
  CRect rcWrapped(rcText);
  pDC->DrawText(text, &rcWrapped, kTextFormat | DT_CALCRECT);
  CRect rcTextDraw(rcText);
  rcTextDraw.top += (rcText.Height() - rcWrapped.Height()) / 2;

  if (m_pImageList != nullptr) DrawIconBackground(pDC, rcIcon, bSelected, bDisabled);
  const COLORREF window = GetSysColor(COLOR_WINDOWTEXT);
  pDC->SetTextColor(bDisabled   ? GetSysColor(COLOR_GRAYTEXT)
                    : bSelected ? InvertColour(window)
                                : window);
  DrawTextBackground(pDC, rcText, bSelected, bDisabled);
  if (m_pImageList != nullptr) DrawItemIcon(pDC, rcIcon, record->nImage, bDisabled);
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(text, &rcTextDraw, kTextFormat);
  if (bFocus && !bDisabled) pDC->DrawFocusRect(&rcItem);
}

void CImageListBox::DrawTextBackground(CDC* pDC, const CRect& rcText, BOOL bSelected,
                                       BOOL bDisabled) {
  const bool highlight = bSelected && !bDisabled;
  pDC->FillSolidRect(rcText, GetSysColor(highlight ? COLOR_HIGHLIGHT : COLOR_WINDOW));
}

void CImageListBox::DrawIconBackground(CDC* pDC, const CRect& rcIcon, BOOL bSelected,
                                       BOOL bDisabled) {
  const bool highlight = bSelected && !bDisabled;
  pDC->FillSolidRect(rcIcon, GetSysColor(highlight ? COLOR_HIGHLIGHT : COLOR_WINDOW));
}

void CImageListBox::DrawItemIcon(CDC* pDC, const CRect& rcIcon, int nImage, BOOL bDisabled) {
  if (m_pImageList == nullptr) return;
  const QPixmap icon = m_pImageList->GetPixmap(nImage);
  if (icon.isNull()) return;
  pDC->DrawState(CPoint(rcIcon.left + kIconLeft, rcIcon.top + kIconTop), CSize(m_cxIcon, m_cyIcon),
                 icon.toImage(), bDisabled ? DSS_DISABLED : DSS_NORMAL);
}

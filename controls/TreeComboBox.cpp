#include "controls/TreeComboBox.h"

#include <QComboBox>
#include <QIcon>
#include <QPixmap>
#include <algorithm>
#include <iterator>

#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/gdi/SystemMetrics.h"
#include "framework/stdcontrols/ControlTypes.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kEntryHeight = 18;
constexpr int kFieldHeight = 16;
constexpr int kIndent = 20;        // per level, in the list
constexpr int kFieldIconLeft = 2;  // the icon box's place in the selection field
constexpr int kIconBoxWidth = 18;
constexpr int kIconInset = 2;
constexpr int kTextGap = 2;     // between the icon box and the text box
constexpr int kDropIndent = 8;  // per level, when sizing the dropped list
constexpr int kDropMargin = 50;
constexpr COLORREF kDisabledFill = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kIconFrameLight = 0x8080FF;  // light red
constexpr COLORREF kIconFrameDark = 0xFF0000;   // blue

}  // namespace

const CRuntimeClass CTreeComboBox::classCTreeComboBox{"CTreeComboBox", &CComboBox::classCComboBox,
                                                      nullptr};
const CRuntimeClass* CTreeComboBox::GetRuntimeClass() const { return &classCTreeComboBox; }

CTreeComboBox::CTreeComboBox() {
  m_images.Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 0, 1);
  LoadColours();
}

CTreeComboBox::~CTreeComboBox() { FreeAllRecords(); }

void CTreeComboBox::LoadColours() {
  m_clrWindow = GetSysColor(COLOR_WINDOW);
  m_clrHighlight = GetSysColor(COLOR_HIGHLIGHT);
  m_clrWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_clrHighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  m_clrFrame = RGB(0, 0, 0);
}

BOOL CTreeComboBox::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style = (cs.style & ~CBS_TYPEMASK & ~CBS_OWNERDRAWVARIABLE) | CBS_DROPDOWNLIST |
             CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  return CComboBox::PreCreateWindow(cs);
}

QWidget* CTreeComboBox::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  QWidget* widget = CComboBox::CreateWidget(cs, parent);
  AfxEnableOwnerDrawItems(widget, static_cast<DWORD>(cs.style));
  return widget;
}

LRESULT CTreeComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    SetUpWidget();
  } else if (message == WM_DESTROY) {
    FreeAllRecords();
  } else if (message == ownerdraw::kSysColorChange) {
    LoadColours();
  }
  return CComboBox::WindowProc(message, wParam, lParam);
}

void CTreeComboBox::PreSubclassWindow() {
  CComboBox::PreSubclassWindow();
  AfxEnableOwnerDrawItems(GetSafeHwnd(), GetStyle() | CBS_OWNERDRAWFIXED);
  SetUpWidget();
}

void CTreeComboBox::SetUpWidget() {
  SetItemHeight(-1, kFieldHeight);
  SetItemHeight(0, kEntryHeight);
  EnableOwnerPaint();
}

int CTreeComboBox::AddIcon(const HICON& hIcon) {
  if (hIcon == nullptr) return -1;
  return m_images.Add(QIcon(QPixmap::fromImage(hIcon.Image())));
}

CTreeComboBox::EntryRecord* CTreeComboBox::RecordOf(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetCount()) return nullptr;
  const auto* data = static_cast<const EntryRecord*>(GetItemDataPtr(nIndex));
  const auto owned = m_records.find(data);
  return owned != m_records.end() ? owned->second.get() : nullptr;
}

int CTreeComboBox::IndexOfRecord(const EntryRecord* record) const {
  // Entries added in tree order stand where they were added.
  if (RecordOf(record->ownId) == record) return record->ownId;
  for (int i = 0; i < GetCount(); ++i) {
    if (RecordOf(i) == record) return i;
  }
  return CB_ERR;
}

int CTreeComboBox::IndexOfId(int nId) const {
  const auto [first, last] = m_byId.equal_range(nId);
  if (first == last) return CB_ERR;
  if (std::next(first) == last) return IndexOfRecord(first->second);
  // Ids repeat only when entries went in out of tree order: the first one listed counts.
  for (int i = 0; i < GetCount(); ++i) {
    const EntryRecord* record = RecordOf(i);
    if (record != nullptr && record->ownId == nId) return i;
  }
  return CB_ERR;
}

int CTreeComboBox::PlaceAfterDescendants(int nParent, const EntryRecord& parent) const {
  // The count is right unless entries were deleted from under a group; the entries on
  // both sides of the place tell, and the walk below is the fallback.
  const int counted = nParent + 1 + parent.descendants;
  auto deeper = [&](int index) {
    const EntryRecord* record = RecordOf(index);
    return record != nullptr && record->level > parent.level;
  };
  if (counted <= GetCount() && (counted == nParent + 1 || deeper(counted - 1)) &&
      (counted == GetCount() || !deeper(counted))) {
    return counted;
  }
  int place = nParent + 1;
  while (place < GetCount() && deeper(place)) ++place;
  return place;
}

void CTreeComboBox::CountDescendant(int nParentId, int change) {
  int level = -1;  // each step must go one level up; anything else is not an ancestor
  for (int id = nParentId; id != kTopLevel;) {
    EntryRecord* record = RecordOf(IndexOfId(id));
    if (record == nullptr || (level >= 0 && record->level + 1 != level)) return;
    record->descendants = std::max(0, record->descendants + change);
    level = record->level;
    id = record->parentId;
  }
}

int CTreeComboBox::InsertEntry(int nIndex, const char* lpszText, const EntryRecord& record) {
  const int index = InsertString(nIndex, lpszText);
  if (index < 0) return CB_ERR;
  auto owned = std::make_unique<EntryRecord>(record);
  owned->ownId = index;
  EntryRecord* made = owned.get();
  SetItemDataPtr(index, made);
  m_records.emplace(made, std::move(owned));
  m_byId.emplace(made->ownId, made);
  CountDescendant(made->parentId, 1);
  return index;
}

int CTreeComboBox::AddItem(int nParentId, BYTE nImage, const char* lpszText) {
  EntryRecord record;
  record.image = nImage;
  if (nParentId == kTopLevel) return InsertEntry(-1, lpszText, record);

  const int parent = IndexOfId(nParentId);
  const EntryRecord* parentRecord = RecordOf(parent);
  if (parentRecord == nullptr) return CB_ERR;
  record.parentId = parentRecord->ownId;
  record.level = static_cast<std::uint8_t>(parentRecord->level + 1);
  return InsertEntry(PlaceAfterDescendants(parent, *parentRecord), lpszText, record);
}

int CTreeComboBox::GetItemLevel(int nIndex) const {
  const EntryRecord* record = RecordOf(nIndex);
  return record != nullptr ? record->level : -1;
}

int CTreeComboBox::GetItemParentId(int nIndex) const {
  const EntryRecord* record = RecordOf(nIndex);
  return record != nullptr ? record->parentId : -1;
}

int CTreeComboBox::GetItemId(int nIndex) const {
  const EntryRecord* record = RecordOf(nIndex);
  return record != nullptr ? record->ownId : -1;
}

int CTreeComboBox::GetItemImage(int nIndex) const {
  const EntryRecord* record = RecordOf(nIndex);
  return record != nullptr ? record->image : -1;
}

void CTreeComboBox::FreeRecord(int nIndex) {
  const EntryRecord* record = RecordOf(nIndex);
  if (record == nullptr) return;
  CountDescendant(record->parentId, -1);
  SetItemDataPtr(nIndex, nullptr);
  const auto [first, last] = m_byId.equal_range(record->ownId);
  for (auto it = first; it != last; ++it) {
    if (it->second == record) {
      m_byId.erase(it);
      break;
    }
  }
  m_records.erase(record);
}

// Only where every line goes with the records (reset, destruction): the lines' item
// data is not cleared one by one, since each change costs the list a search for the line.
void CTreeComboBox::FreeAllRecords() {
  m_byId.clear();
  m_records.clear();
}

void CTreeComboBox::ResetContent() {
  FreeAllRecords();
  CComboBox::ResetContent();
}

int CTreeComboBox::DeleteString(UINT nIndex) {
  FreeRecord(static_cast<int>(nIndex));
  return CComboBox::DeleteString(nIndex);
}

void CTreeComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  lpMeasureItemStruct->itemHeight = kEntryHeight;
}

void CTreeComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const int index = static_cast<int>(lpDrawItemStruct->itemID);
  if (index < 0) return;
  const EntryRecord* record = RecordOf(index);
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const bool enabled = IsWindowEnabled() && (lpDrawItemStruct->itemState & ODS_DISABLED) == 0;
  const bool selectedLook = enabled && (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  const bool inField = (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) != 0;

  CRect rc(lpDrawItemStruct->rcItem);
  pDC->FillSolidRect(rc, enabled ? m_clrWindow : kDisabledFill);
  pDC->SetTextColor(selectedLook ? m_clrHighlightText : m_clrWindowText);
  rc.bottom -= 1;

  const int level = record != nullptr ? record->level : 0;
  const int iconLeft = inField ? rc.left + kFieldIconLeft : rc.left + level * kIndent;
  const CRect rcIcon(iconLeft, rc.top, iconLeft + kIconBoxWidth, rc.bottom);
  const bool haveIcons = m_images.GetImageCount() > 0;
  if (haveIcons && record != nullptr) {
    const QPixmap icon = m_images.GetPixmap(record->image);
    if (!icon.isNull()) {
      pDC->DrawState(CPoint(rcIcon.left + kIconInset, rcIcon.top + kIconInset / 2),
                     CSize(kIconSize, kIconSize), icon.toImage(), DSS_NORMAL);
    }
  }
  if (selectedLook) {
    pDC->Draw3dRect(CRect(rcIcon.left, rcIcon.top, rcIcon.right + 1, rcIcon.bottom),
                    kIconFrameLight, kIconFrameDark);
  }

  CRect rcText(haveIcons ? rcIcon.right + kTextGap : rc.left, rc.top, rc.right, rc.bottom);
  if (selectedLook) {
    pDC->FillSolidRect(rcText, m_clrHighlight);
    CBrush frame(m_clrFrame);
    pDC->FrameRect(&rcText, &frame);
  }
  CRect rcLabel(rcText.left + 3, rcText.top + 1, rcText.right - 2, rcText.bottom - 1);
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(GetLBText(index), &rcLabel, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

int CTreeComboBox::CalcDroppedWidth() const {
  QWidget* widget = GetSafeHwnd();
  CFont font(widget != nullptr ? widget->font() : QFont());
  int widest = 0;
  int zero = 0;
  AfxPaintToImage(1, 1, [&](CDC& dc) {
    dc.SelectObject(&font);
    for (int i = 0; i < GetCount(); ++i) {
      const int level = std::max(0, GetItemLevel(i));
      const int width = dc.GetTextExtent(GetLBText(i)).cx + level * kDropIndent +
                        GetSystemMetrics(SM_CXVSCROLL) + kDropMargin;
      widest = std::max(widest, width);
    }
    zero = dc.GetTextExtent("0").cx;
  });
  return widest + zero;
}

void CTreeComboBox::OnDropDown() { SetDroppedWidth(static_cast<UINT>(CalcDroppedWidth())); }

BOOL CTreeComboBox::OnOwnerPaint(QPainter& painter, const CRect&) {
  auto* combo = As<QComboBox>();
  if (combo == nullptr) return FALSE;
  AfxPaintOwnerDrawnCombo(combo, painter);
  CDC dc(&painter);
  DrawFrame(dc);
  return TRUE;
}

void CTreeComboBox::DrawFrame(CDC& dc) {
  const bool enabled = IsWindowEnabled() != FALSE;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  CRect rc;
  GetClientRect(&rc);
  dc.Draw3dRect(rc, shadow, light);
  rc = CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
  const COLORREF inner = enabled ? face : GetSysColor(COLOR_HIGHLIGHT);
  dc.Draw3dRect(rc, inner, inner);
  const CRect button(rc.right - GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom);
  dc.Draw3dRect(button, face, face);
  dc.Draw3dRect(CRect(button.left + 1, button.top + 1, button.right - 1, button.bottom - 1), face,
                face);
  if (enabled) dc.Draw3dRect(button, light, shadow);
}

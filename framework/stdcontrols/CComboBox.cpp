#include "framework/stdcontrols/CComboBox.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

#include "framework/stdcontrols/EntryDelegate.h"
#include "framework/stdcontrols/StdComboBox.h"
#include "framework/windows/WindowProps.h"

namespace {

constexpr int kFieldFrame = 6;  // the selection field's border and margin, both sides

QString Text(const char* text) { return QString::fromUtf8(text != nullptr ? text : ""); }

int SortedPlace(const QComboBox* combo, const QString& text) {
  int low = 0;
  int high = combo->count();
  while (low < high) {
    const int mid = (low + high) / 2;
    if (QString::compare(combo->itemText(mid), text, Qt::CaseInsensitive) <= 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

}  // namespace

const CRuntimeClass CComboBox::classCComboBox{"CComboBox", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CComboBox::GetRuntimeClass() const { return &classCComboBox; }

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("COMBOBOX", "", dwStyle, rect, pParentWnd, nID);
}

QWidget* CComboBox::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("COMBOBOX", cs, parent);
}

QComboBox* CComboBox::Combo() const { return As<QComboBox>(); }

int CComboBox::Insert(int index, const char* text) {
  QComboBox* combo = Combo();
  const QSignalBlocker quiet(combo);
  const int selected = combo->currentIndex();
  combo->insertItem(index, Text(text));
  // Adding never selects: a list that had no selection keeps none.
  if (selected < 0) combo->setCurrentIndex(-1);
  return index;
}

int CComboBox::AddString(const char* lpszString) {
  QComboBox* combo = Combo();
  if (combo == nullptr) return CB_ERR;
  const bool sorted = (wndprops::Style(combo) & CBS_SORT) != 0;
  return Insert(sorted ? SortedPlace(combo, Text(lpszString)) : combo->count(), lpszString);
}

int CComboBox::InsertString(int nIndex, const char* lpszString) {
  QComboBox* combo = Combo();
  if (combo == nullptr || nIndex < -1 || nIndex > combo->count()) return CB_ERR;
  return Insert(nIndex == -1 ? combo->count() : nIndex, lpszString);
}

int CComboBox::DeleteString(UINT nIndex) {
  QComboBox* combo = Combo();
  if (combo == nullptr || nIndex >= static_cast<UINT>(combo->count())) return CB_ERR;
  const QSignalBlocker quiet(combo);
  const int selected = combo->currentIndex();
  combo->removeItem(static_cast<int>(nIndex));
  // Deleting the selected entry leaves no selection.
  if (selected == static_cast<int>(nIndex)) combo->setCurrentIndex(-1);
  return combo->count();
}

void CComboBox::ResetContent() {
  if (QComboBox* combo = Combo()) {
    const QSignalBlocker quiet(combo);
    combo->clear();
  }
}

int CComboBox::GetCount() const {
  QComboBox* combo = Combo();
  return combo != nullptr ? combo->count() : 0;
}

int CComboBox::GetLBText(int nIndex, std::string& rString) const {
  QComboBox* combo = Combo();
  rString.clear();
  if (combo == nullptr || nIndex < 0 || nIndex >= combo->count()) return CB_ERR;
  rString = combo->itemText(nIndex).toStdString();
  return static_cast<int>(rString.size());
}

std::string CComboBox::GetLBText(int nIndex) const {
  std::string text;
  GetLBText(nIndex, text);
  return text;
}

int CComboBox::GetLBTextLen(int nIndex) const {
  std::string text;
  return GetLBText(nIndex, text);
}

int CComboBox::Find(int nStartAfter, const char* text, bool exact) const {
  QComboBox* combo = Combo();
  if (combo == nullptr || combo->count() == 0) return CB_ERR;
  const QString wanted = Text(text);
  const int count = combo->count();
  const int first = nStartAfter < 0 || nStartAfter >= count ? 0 : nStartAfter + 1;
  for (int step = 0; step < count; ++step) {
    const int i = (first + step) % count;
    const QString entry = combo->itemText(i);
    const bool match = exact ? QString::compare(entry, wanted, Qt::CaseInsensitive) == 0
                             : entry.startsWith(wanted, Qt::CaseInsensitive);
    if (match) return i;
  }
  return CB_ERR;
}

int CComboBox::FindString(int nStartAfter, const char* lpszString) const {
  return Find(nStartAfter, lpszString, false);
}

int CComboBox::FindStringExact(int nStartAfter, const char* lpszString) const {
  return Find(nStartAfter, lpszString, true);
}

int CComboBox::SelectString(int nStartAfter, const char* lpszString) {
  const int index = FindString(nStartAfter, lpszString);
  if (index != CB_ERR) SetCurSel(index);
  return index;
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  QComboBox* combo = Combo();
  if (combo == nullptr || nIndex < 0 || nIndex >= combo->count()) return CB_ERR;
  combo->setItemData(nIndex, QVariant::fromValue<qulonglong>(dwItemData));
  return CB_OKAY;
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
  QComboBox* combo = Combo();
  if (combo == nullptr || nIndex < 0 || nIndex >= combo->count()) {
    return static_cast<DWORD_PTR>(CB_ERR);
  }
  return static_cast<DWORD_PTR>(combo->itemData(nIndex).toULongLong());
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData) {
  return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

void* CComboBox::GetItemDataPtr(int nIndex) const {
  return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CComboBox::GetCurSel() const {
  QComboBox* combo = Combo();
  return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int nSelect) {
  QComboBox* combo = Combo();
  if (combo == nullptr) return CB_ERR;
  const QSignalBlocker quiet(combo);
  if (nSelect < 0 || nSelect >= combo->count()) {
    combo->setCurrentIndex(-1);
    return CB_ERR;
  }
  combo->setCurrentIndex(nSelect);
  return nSelect;
}

int CComboBox::SetDroppedWidth(UINT nWidth) {
  auto* combo = As<StdComboBox>();
  if (combo == nullptr) return CB_ERR;
  combo->SetDroppedWidth(static_cast<int>(nWidth));
  return combo->DroppedWidth();
}

int CComboBox::GetDroppedWidth() const {
  if (auto* combo = As<StdComboBox>()) return combo->DroppedWidth();
  QComboBox* plain = Combo();
  return plain != nullptr ? plain->width() : CB_ERR;
}

void CComboBox::ShowDropDown(BOOL bShowIt) {
  if (QComboBox* combo = Combo()) {
    if (bShowIt) {
      combo->showPopup();
    } else {
      combo->hidePopup();
    }
  }
}

BOOL CComboBox::GetDroppedState() const {
  QComboBox* combo = Combo();
  return combo != nullptr && combo->view()->isVisible() ? TRUE : FALSE;
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
  QComboBox* combo = Combo();
  if (combo == nullptr || cyItemHeight > 255) return CB_ERR;
  if (nIndex == -1) {
    combo->setFixedHeight(static_cast<int>(cyItemHeight) + kFieldFrame);
    return CB_OKAY;
  }
  SetEntryHeight(combo, static_cast<int>(cyItemHeight));
  EntryDelegate::Of(combo->view(), combo);
  combo->view()->doItemsLayout();
  return CB_OKAY;
}

int CComboBox::GetItemHeight(int nIndex) const {
  QComboBox* combo = Combo();
  if (combo == nullptr) return CB_ERR;
  if (nIndex == -1) return combo->height() - kFieldFrame;
  return EntryHeight(combo) > 0 ? EntryHeight(combo) : combo->fontMetrics().height();
}

void CComboBox::OnDropDown() {}

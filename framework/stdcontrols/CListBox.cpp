#include "framework/stdcontrols/CListBox.h"

#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

#include "framework/stdcontrols/EntryDelegate.h"
#include "framework/windows/WindowProps.h"

namespace {

QString Text(const char* text) { return QString::fromUtf8(text != nullptr ? text : ""); }

// Where a sorted list puts `text`: after every line that does not sort after it.
int SortedPlace(const QListWidget* list, const QString& text) {
  int low = 0;
  int high = list->count();
  // Lines added in order go to the end without a search.
  if (high == 0 || QString::compare(list->item(high - 1)->text(), text, Qt::CaseInsensitive) <= 0) {
    return high;
  }
  while (low < high) {
    const int mid = (low + high) / 2;
    if (QString::compare(list->item(mid)->text(), text, Qt::CaseInsensitive) <= 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

}  // namespace

const CRuntimeClass CListBox::classCListBox{"CListBox", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CListBox::GetRuntimeClass() const { return &classCListBox; }

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("LISTBOX", "", dwStyle, rect, pParentWnd, nID);
}

QWidget* CListBox::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("LISTBOX", cs, parent);
}

QListWidget* CListBox::List() const { return As<QListWidget>(); }

int CListBox::AddString(const char* lpszItem) {
  QListWidget* list = List();
  if (list == nullptr) return LB_ERR;
  const QString text = Text(lpszItem);
  const bool sorted = (wndprops::Style(list) & LBS_SORT) != 0;
  const int index = sorted ? SortedPlace(list, text) : list->count();
  const QSignalBlocker quiet(list);
  list->insertItem(index, text);
  return index;
}

int CListBox::InsertString(int nIndex, const char* lpszItem) {
  QListWidget* list = List();
  if (list == nullptr || nIndex < -1 || nIndex > list->count()) return LB_ERR;
  const int index = nIndex == -1 ? list->count() : nIndex;
  const QSignalBlocker quiet(list);
  list->insertItem(index, Text(lpszItem));
  return index;
}

int CListBox::DeleteString(UINT nIndex) {
  QListWidget* list = List();
  if (list == nullptr || nIndex >= static_cast<UINT>(list->count())) return LB_ERR;
  const QSignalBlocker quiet(list);
  delete list->takeItem(static_cast<int>(nIndex));
  return list->count();
}

void CListBox::ResetContent() {
  if (QListWidget* list = List()) {
    const QSignalBlocker quiet(list);
    list->clear();
  }
}

int CListBox::GetCount() const {
  QListWidget* list = List();
  return list != nullptr ? list->count() : 0;
}

int CListBox::GetText(int nIndex, std::string& rString) const {
  QListWidget* list = List();
  rString.clear();
  if (list == nullptr || nIndex < 0 || nIndex >= list->count()) return LB_ERR;
  rString = list->item(nIndex)->text().toStdString();
  return static_cast<int>(rString.size());
}

std::string CListBox::GetText(int nIndex) const {
  std::string text;
  GetText(nIndex, text);
  return text;
}

int CListBox::GetTextLen(int nIndex) const {
  std::string text;
  return GetText(nIndex, text);
}

int CListBox::Find(int nStartAfter, const char* text, bool exact) const {
  QListWidget* list = List();
  if (list == nullptr || list->count() == 0) return LB_ERR;
  const QString wanted = Text(text);
  const int count = list->count();
  const int first = nStartAfter < 0 || nStartAfter >= count ? 0 : nStartAfter + 1;
  // The search runs to the end and wraps round to the line it started after.
  for (int step = 0; step < count; ++step) {
    const int i = (first + step) % count;
    const QString line = list->item(i)->text();
    const bool match = exact ? QString::compare(line, wanted, Qt::CaseInsensitive) == 0
                             : line.startsWith(wanted, Qt::CaseInsensitive);
    if (match) return i;
  }
  return LB_ERR;
}

int CListBox::FindString(int nStartAfter, const char* lpszItem) const {
  return Find(nStartAfter, lpszItem, false);
}

int CListBox::FindStringExact(int nStartAfter, const char* lpszItem) const {
  return Find(nStartAfter, lpszItem, true);
}

int CListBox::SelectString(int nStartAfter, const char* lpszItem) {
  const int index = FindString(nStartAfter, lpszItem);
  if (index != LB_ERR) SetCurSel(index);
  return index;
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  QListWidget* list = List();
  if (list == nullptr || nIndex < 0 || nIndex >= list->count()) return LB_ERR;
  list->item(nIndex)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(dwItemData));
  return LB_OKAY;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
  QListWidget* list = List();
  if (list == nullptr || nIndex < 0 || nIndex >= list->count()) {
    return static_cast<DWORD_PTR>(LB_ERR);
  }
  return static_cast<DWORD_PTR>(list->item(nIndex)->data(Qt::UserRole).toULongLong());
}

int CListBox::SetItemDataPtr(int nIndex, void* pData) {
  return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

void* CListBox::GetItemDataPtr(int nIndex) const {
  return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CListBox::GetCurSel() const {
  QListWidget* list = List();
  if (list == nullptr) return LB_ERR;
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? LB_ERR : list->row(selected.first());
}

int CListBox::SetCurSel(int nSelect) {
  QListWidget* list = List();
  if (list == nullptr) return LB_ERR;
  const QSignalBlocker quiet(list);
  if (nSelect < 0 || nSelect >= list->count()) {
    list->clearSelection();
    return LB_ERR;
  }
  list->setCurrentRow(nSelect, QItemSelectionModel::ClearAndSelect);
  list->scrollToItem(list->item(nSelect));
  return nSelect;
}

int CListBox::GetTopIndex() const {
  QListWidget* list = List();
  if (list == nullptr || list->count() == 0) return 0;
  QListWidgetItem* top = list->itemAt(QPoint(1, 1));
  return top != nullptr ? list->row(top) : 0;
}

int CListBox::SetTopIndex(int nIndex) {
  QListWidget* list = List();
  if (list == nullptr || nIndex < 0 || nIndex >= list->count()) return LB_ERR;
  list->scrollToItem(list->item(nIndex), QAbstractItemView::PositionAtTop);
  return LB_OKAY;
}

int CListBox::GetItemRect(int nIndex, RECT* lpRect) const {
  QListWidget* list = List();
  if (list == nullptr || nIndex < 0 || nIndex >= list->count()) return LB_ERR;
  const QRect r = list->visualItemRect(list->item(nIndex)).translated(list->viewport()->pos());
  *lpRect = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
  return LB_OKAY;
}

int CListBox::SetItemHeight(int, UINT cyItemHeight) {
  QListWidget* list = List();
  if (list == nullptr || cyItemHeight > 255) return LB_ERR;
  SetEntryHeight(list, static_cast<int>(cyItemHeight));
  EntryDelegate::Of(list, list);
  list->doItemsLayout();
  return LB_OKAY;
}

int CListBox::GetItemHeight(int nIndex) const {
  QListWidget* list = List();
  if (list == nullptr) return LB_ERR;
  if (EntryHeight(list) > 0) return EntryHeight(list);
  if (nIndex >= 0 && nIndex < list->count())
    return list->visualItemRect(list->item(nIndex)).height();
  return list->fontMetrics().height();
}

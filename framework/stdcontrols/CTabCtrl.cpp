#include "framework/stdcontrols/CTabCtrl.h"

#include <QSignalBlocker>

#include "framework/stdcontrols/StdTabWidget.h"

const CRuntimeClass CTabCtrl::classCTabCtrl{"CTabCtrl", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CTabCtrl::GetRuntimeClass() const { return &classCTabCtrl; }

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("SysTabControl32", "", dwStyle, rect, pParentWnd, nID);
}

QWidget* CTabCtrl::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("SysTabControl32", cs, parent);
}

StdTabWidget* CTabCtrl::Tabs() const { return As<StdTabWidget>(); }

int CTabCtrl::InsertItem(int nItem, const char* lpszItem) {
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = lpszItem;
  return InsertItem(nItem, &item);
}

int CTabCtrl::InsertItem(int nItem, const TCITEM* pTabCtrlItem) {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || pTabCtrlItem == nullptr || nItem < 0) return -1;
  StdTabBar* bar = tabs->Bar();
  const int index = std::min(nItem, bar->count());
  const QString text =
      QString::fromUtf8((pTabCtrlItem->mask & TCIF_TEXT) != 0 && pTabCtrlItem->pszText != nullptr
                            ? pTabCtrlItem->pszText
                            : "");
  const QSignalBlocker quiet(bar);
  const int selected = bar->currentIndex();
  bar->insertTab(index, text);
  bar->setTabData(index, static_cast<qlonglong>(
                             (pTabCtrlItem->mask & TCIF_PARAM) != 0 ? pTabCtrlItem->lParam : 0));
  // A tab inserted before the selected one keeps the selection on the same tab.
  if (selected >= 0) bar->setCurrentIndex(selected >= index ? selected + 1 : selected);
  tabs->Relayout();
  return index;
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem, std::string* text) const {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || nItem < 0 || nItem >= tabs->Bar()->count()) return FALSE;
  if (pTabCtrlItem != nullptr && (pTabCtrlItem->mask & TCIF_PARAM) != 0) {
    pTabCtrlItem->lParam = static_cast<LPARAM>(tabs->Bar()->tabData(nItem).toLongLong());
  }
  if (text != nullptr) *text = tabs->Bar()->tabText(nItem).toStdString();
  return TRUE;
}

BOOL CTabCtrl::SetItem(int nItem, const TCITEM* pTabCtrlItem) {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || pTabCtrlItem == nullptr || nItem < 0 || nItem >= tabs->Bar()->count()) {
    return FALSE;
  }
  if ((pTabCtrlItem->mask & TCIF_TEXT) != 0) {
    tabs->Bar()->setTabText(
        nItem, QString::fromUtf8(pTabCtrlItem->pszText != nullptr ? pTabCtrlItem->pszText : ""));
  }
  if ((pTabCtrlItem->mask & TCIF_PARAM) != 0) {
    tabs->Bar()->setTabData(nItem, static_cast<qlonglong>(pTabCtrlItem->lParam));
  }
  tabs->update();
  return TRUE;
}

BOOL CTabCtrl::DeleteItem(int nItem) {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || nItem < 0 || nItem >= tabs->Bar()->count()) return FALSE;
  const QSignalBlocker quiet(tabs->Bar());
  tabs->Bar()->removeTab(nItem);
  tabs->Relayout();
  return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr) return FALSE;
  const QSignalBlocker quiet(tabs->Bar());
  while (tabs->Bar()->count() > 0) tabs->Bar()->removeTab(tabs->Bar()->count() - 1);
  tabs->Relayout();
  return TRUE;
}

int CTabCtrl::GetItemCount() const {
  StdTabWidget* tabs = Tabs();
  return tabs != nullptr ? tabs->Bar()->count() : 0;
}

int CTabCtrl::GetCurSel() const {
  StdTabWidget* tabs = Tabs();
  return tabs != nullptr ? tabs->Bar()->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int nItem) {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || nItem < 0 || nItem >= tabs->Bar()->count()) return -1;
  const int previous = tabs->Bar()->currentIndex();
  tabs->SetCurrentByCode(nItem);
  return previous;
}

CSize CTabCtrl::SetItemSize(CSize size) {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr) return {};
  const QSize before =
      tabs->Bar()->count() > 0 ? tabs->Bar()->tabRect(0).size() : tabs->Bar()->FixedTabSize();
  tabs->Bar()->SetFixedTabSize(QSize(size.cx, size.cy));
  tabs->Relayout();
  return CSize(before.width(), before.height());
}

// The strip holds one row: tabs that do not fit scroll instead of wrapping.
int CTabCtrl::GetRowCount() const { return 1; }

void CTabCtrl::AdjustRect(BOOL bLarger, RECT* lpRect) const {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || lpRect == nullptr) return;
  const QRect in(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1));
  const QRect out = tabs->AdjustRect(bLarger != FALSE, in);
  *lpRect = CRect(out.left(), out.top(), out.right() + 1, out.bottom() + 1);
}

BOOL CTabCtrl::GetItemRect(int nItem, RECT* lpRect) const {
  StdTabWidget* tabs = Tabs();
  if (tabs == nullptr || lpRect == nullptr || nItem < 0 || nItem >= tabs->Bar()->count()) {
    return FALSE;
  }
  const QRect r = tabs->Bar()->tabRect(nItem).translated(tabs->Bar()->pos());
  *lpRect = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
  return TRUE;
}

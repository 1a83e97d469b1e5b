#include "controls/TabHost.h"

#include <QApplication>
#include <QWidget>

namespace {

// The first child window of a page: where its keyboard focus starts.
QWidget* FirstChild(CWnd* page) {
  QWidget* widget = page->GetSafeHwnd();
  if (widget == nullptr) return nullptr;
  for (QObject* child : widget->children()) {
    if (auto* first = qobject_cast<QWidget*>(child)) return first;
  }
  return nullptr;
}

}  // namespace

const CRuntimeClass CTabHost::classCTabHost{"CTabHost", &CTabCtrl::classCTabCtrl, nullptr};
const CRuntimeClass* CTabHost::GetRuntimeClass() const { return &classCTabHost; }

CTabHost::CTabHost() = default;

CTabHost::~CTabHost() {
  // Destroyed without its window: the pages it owns still go with it. Pages owned by
  // someone else may be gone already, so they are left alone.
  for (Page& page : m_pages) {
    if (page.owned != nullptr) page.owned->DestroyWindow();
  }
}

const MessageMap* CTabHost::GetMessageMap() const {
  static const MessageMap map{CTabCtrl::GetMessageMap(),
                              {
                                  msg::Message(WM_SETFOCUS, &CTabHost::OnSetFocus),
                                  msg::Message(WM_KILLFOCUS, &CTabHost::OnKillFocus),
                                  msg::Void(WM_DESTROY, &CTabHost::OnDestroy),
                                  msg::NotifyReflect(TCN_SELCHANGING, &CTabHost::OnSelChanging),
                                  msg::NotifyReflect(TCN_SELCHANGE, &CTabHost::OnSelChange),
                              }};
  return &map;
}

bool CTabHost::HasPage(int nIndex) const {
  return nIndex >= 0 && nIndex < static_cast<int>(m_pages.size()) &&
         m_pages[static_cast<std::size_t>(nIndex)].window != nullptr;
}

int CTabHost::AddPage(const char* lpszCaption, int nUserValue, std::unique_ptr<CWnd> page) {
  CWnd* window = page.get();
  const int index = AddPage(lpszCaption, nUserValue, window);
  if (index >= 0) m_pages.back().owned = std::move(page);
  return index;
}

int CTabHost::AddPage(const char* lpszCaption, int nUserValue, CWnd* pPage) {
  const int index = InsertItem(GetItemCount(), lpszCaption != nullptr ? lpszCaption : "");
  if (index < 0) return -1;
  if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr) {
    DeleteItem(index);
    return -1;
  }
  m_pages.push_back({pPage, nullptr});
  m_userValues.push_back(nUserValue);
  QWidget* page = pPage->GetSafeHwnd();
  page->setParent(GetSafeHwnd());
  CRect client;
  GetClientRect(&client);
  if (!client.IsRectEmpty()) PlacePage(pPage);
  m_focus.emplace_back(WantsFirstControlFocus(index, nUserValue) ? FirstChild(pPage)
                                                                 : QApplication::focusWidget());
  // Only the first page is on show; the others wait for their tab.
  pPage->ShowWindow(index == 0 ? SW_SHOW : SW_HIDE);
  return index;
}

CWnd* CTabHost::GetPage(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetItemCount() || !HasPage(nIndex)) return nullptr;
  return m_pages[static_cast<std::size_t>(nIndex)].window;
}

BOOL CTabHost::SetActivePage(int nIndex) {
  if (nIndex < 0 || nIndex >= GetItemCount()) return FALSE;
  const int current = GetCurSel();
  if (current == nIndex) return TRUE;
  HidePage(current);
  SetCurSel(nIndex);
  ShowPage(nIndex);
  return TRUE;
}

BOOL CTabHost::SetPageTitle(int nIndex, const char* lpszCaption) {
  if (nIndex < 0 || nIndex >= GetItemCount()) return FALSE;
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = lpszCaption != nullptr ? lpszCaption : "";
  const BOOL set = SetItem(nIndex, &item);
  Invalidate();
  return set;
}

BOOL CTabHost::WantsFirstControlFocus(int, int) { return TRUE; }
void CTabHost::OnPageSelected(int, int) {}
void CTabHost::OnPageLeaving(int, int) {}
void CTabHost::OnPageRemoved(int, int) {}

void CTabHost::HidePage(int nIndex) {
  if (!HasPage(nIndex)) return;
  const auto i = static_cast<std::size_t>(nIndex);
  m_focus[i] = QApplication::focusWidget();
  m_pages[i].window->ShowWindow(SW_HIDE);
}

void CTabHost::ShowPage(int nIndex) {
  if (!HasPage(nIndex)) return;
  const auto i = static_cast<std::size_t>(nIndex);
  CWnd* page = m_pages[i].window;
  PlacePage(page);
  page->ShowWindow(SW_SHOW);
  // A hidden widget cannot take the focus, so it moves once the page is on show.
  if (QWidget* focus = m_focus[i].data()) focus->setFocus(Qt::OtherFocusReason);
}

void CTabHost::PlacePage(CWnd* pPage) {
  CRect client;
  GetClientRect(&client);
  CRect tab;
  if (!GetItemRect(0, &tab)) tab = CRect();
  const int rows = GetRowCount();
  const DWORD style = GetStyle();
  const int width = client.Width();
  const int height = client.Height();
  int x = 4;
  int y = 4;
  int cx = 0;
  int cy = 0;
  if (style & TCS_VERTICAL) {
    const int strip = rows * tab.Width();
    x = (style & TCS_RIGHT) ? 4 : strip + 4;
    cx = width - strip - 8;
    cy = height - 8;
  } else {
    const int strip = rows * tab.Height();
    y = (style & TCS_BOTTOM) ? 4 : strip + 4;
    cx = width - 8;
    cy = height - strip - 8;
  }
  pPage->SetWindowPos(nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTabHost::OnSelChanging(NMHDR*, LRESULT* pResult) {
  *pResult = 0;  // the change is always allowed
  const int current = GetCurSel();
  if (current < 0) return;
  const int value = current < static_cast<int>(m_userValues.size()) ? m_userValues[current] : 0;
  OnPageLeaving(current, value);
  HidePage(current);
}

void CTabHost::OnSelChange(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  const int current = GetCurSel();
  if (current < 0) return;
  ShowPage(current);
  const int value = current < static_cast<int>(m_userValues.size()) ? m_userValues[current] : 0;
  OnPageSelected(current, value);
}

LRESULT CTabHost::OnSetFocus(WPARAM, LPARAM) {
  const int current = GetCurSel();
  if (HasPage(current)) {
    QWidget* focus = m_focus[static_cast<std::size_t>(current)].data();
    if (focus != nullptr && focus->isVisible()) focus->setFocus(Qt::OtherFocusReason);
  }
  return Default();
}

LRESULT CTabHost::OnKillFocus(WPARAM, LPARAM) {
  const int current = GetCurSel();
  if (HasPage(current)) m_focus[static_cast<std::size_t>(current)] = QApplication::focusWidget();
  return Default();
}

void CTabHost::OnDestroy() {
  RemoveAllPages();
  Default();
}

void CTabHost::RemoveAllPages() {
  for (int i = static_cast<int>(m_pages.size()) - 1; i >= 0; --i) {
    const auto at = static_cast<std::size_t>(i);
    OnPageRemoved(i, m_userValues[at]);
    if (CWnd* page = m_pages[at].window) page->DestroyWindow();
  }
  m_pages.clear();
  m_focus.clear();
  m_userValues.clear();
}

BOOL CTabHost::OnCommand(WPARAM wParam, LPARAM lParam) {
  CWnd* parent = GetParent();
  if (parent == nullptr) return CTabCtrl::OnCommand(wParam, lParam);
  parent->SendMessage(WM_COMMAND, wParam, lParam);
  return TRUE;
}

BOOL CTabHost::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CWnd* parent = GetParent();
  if (parent == nullptr) return CTabCtrl::OnNotify(wParam, lParam, pResult);
  const LRESULT result = parent->SendMessage(WM_NOTIFY, wParam, lParam);
  if (pResult != nullptr) *pResult = result;
  return TRUE;
}

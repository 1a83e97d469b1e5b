#include "framework/windows/CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QWidget>

#include "framework/app/ModuleState.h"
#include "framework/dialogbase/CDataExchange.h"
#include "framework/dialogbase/ColourRequest.h"
#include "framework/dialogbase/MessageBox.h"
#include "framework/windows/CFrameWnd.h"
#include "framework/windows/WidgetText.h"
#include "framework/windows/WindowProps.h"
#include "framework/windows/WndEventBridge.h"

namespace {

QPointer<QWidget> g_capture;

bool IsInputMessage(UINT message) {
  return message == WM_MOUSEMOVE || (message >= WM_LBUTTONDOWN && message <= WM_RBUTTONUP);
}

// Calls `fn` for the nearest windows below `widget`: the first widgets on every path
// down that have a permanent wrapper.
template <class Fn>
void ForEachChildWindow(QWidget* widget, Fn fn) {
  for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(child)) {
      fn(wnd);
    } else {
      ForEachChildWindow(child, fn);
    }
  }
}

}  // namespace

void wndprops::RecordModuleContext(QWidget* w) {
  if (w->property(kModuleState).isValid()) return;
  w->setProperty(kModuleState, QVariant::fromValue(static_cast<void*>(AfxGetModuleState())));
  w->setProperty(kResourceHandle, QVariant::fromValue(static_cast<void*>(AfxGetResourceHandle())));
}

const CRuntimeClass CWnd::classCWnd{"CWnd", &CCmdTarget::classCCmdTarget, nullptr};
const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

CWnd::CWnd() : m_alive(std::make_shared<bool>(true)) {}

CWnd::~CWnd() {
  *m_alive = false;
  m_timers.clear();
  if (QWidget* widget = m_widget.data()) {
    const bool owned = m_ownsWidget;
    Detach();
    if (owned) {
      widget->hide();
      widget->deleteLater();
    }
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  CWnd* wnd = wndprops::Wnd(hwnd);
  return wnd != nullptr && !wnd->m_temporary ? wnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (hwnd == nullptr || hwnd == HWND_BROADCAST) return nullptr;
  if (CWnd* wnd = wndprops::Wnd(hwnd)) return wnd;
  // A temporary wrapper lives as long as the widget it wraps.
  auto* temp = new CWnd;
  temp->m_temporary = true;
  temp->AttachWidget(hwnd, false);
  QObject::connect(hwnd, &QObject::destroyed, [temp] {
    temp->m_widget = nullptr;
    delete temp;
  });
  return temp;
}

HWND CWnd::GetSafeHwnd() const { return m_widget.data(); }

const MessageMap* CWnd::GetMessageMap() const {
  static const MessageMap map{CCmdTarget::GetMessageMap(), {}};
  return &map;
}

void CWnd::AttachWidget(QWidget* widget, bool owned) {
  m_widget = widget;
  m_ownsWidget = owned;
  // A control from a template keeps the state its dialog was built under; a widget
  // met for the first time takes the one in force now.
  wndprops::RecordModuleContext(widget);
  m_moduleState = wndprops::ModuleState(widget);
  m_resourceHandle = wndprops::ResourceHandle(widget);
  wndprops::SetWnd(widget, this);
  m_bridge = std::make_unique<WndEventBridge>(this);
  widget->installEventFilter(m_bridge.get());
}

BOOL CWnd::Attach(HWND hwnd) {
  if (hwnd == nullptr || m_widget) return FALSE;
  if (CWnd* previous = wndprops::Wnd(hwnd)) {
    if (!previous->m_temporary) return FALSE;  // someone else owns it
    previous->Detach();
  }
  AttachWidget(hwnd, false);
  return TRUE;
}

HWND CWnd::Detach() {
  QWidget* widget = m_widget.data();
  if (widget != nullptr) {
    if (wndprops::Wnd(widget) == this) wndprops::SetWnd(widget, nullptr);
    widget->removeEventFilter(m_bridge.get());
  }
  m_bridge.reset();
  m_widget = nullptr;
  m_ownsWidget = false;
  return widget;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  CWnd* item = pParent != nullptr ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
  return item != nullptr && SubclassWindow(item->GetSafeHwnd());
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

QWidget* CWnd::CreateWidget(const CREATESTRUCT&, QWidget* parent) { return new QWidget(parent); }

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                  pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam) {
  if (m_widget) return FALSE;
  CREATESTRUCT cs;
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.hwndParent = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
  cs.hMenu = nID;
  cs.lpCreateParams = lpParam;
  // A creation that fails before the window exists still ends the object's life the
  // way a destroyed window does (self-deleting frames and views go).
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  QWidget* widget = CreateWidget(cs, cs.hwndParent);
  if (widget == nullptr) {
    PostNcDestroy();
    return FALSE;
  }
  AttachWidget(widget, true);
  wndprops::SetId(widget, static_cast<int>(cs.hMenu));
  wndprops::SetStyle(widget, static_cast<DWORD>(cs.style));
  wndprops::SetExStyle(widget, cs.dwExStyle);
  if (cs.lpszName != nullptr) SetWidgetText(widget, cs.lpszName);
  if (cs.cx > 0 || cs.cy > 0) widget->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
  widget->setEnabled((cs.style & WS_DISABLED) == 0);

  if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow();
    return FALSE;
  }
  if (m_widget && (cs.style & WS_VISIBLE) != 0) m_widget->show();
  return m_widget ? TRUE : FALSE;
}

void CWnd::DestroyTree() {
  WindowProc(WM_DESTROY, 0, 0);
  if (QWidget* widget = m_widget.data()) {
    ForEachChildWindow(widget, [](CWnd* child) { child->DestroyTree(); });
  }
  m_timers.clear();
  if (g_capture == m_widget) ReleaseCapture();
  Detach();
  PostNcDestroy();  // may delete this
}

BOOL CWnd::DestroyWindow() {
  QWidget* widget = m_widget.data();
  if (widget == nullptr) return FALSE;
  // The widget may be inside one of its own event handlers (a click that closes the
  // window): it goes from the screen now and from memory when the event loop is back.
  wndprops::ClearId(widget);
  DestroyTree();
  widget->hide();
  widget->deleteLater();
  return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_widget ? WindowProc(message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_bridge) return FALSE;
  m_bridge->Post(message, wParam, lParam);
  return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

AfxModuleContextGuard CWnd::EnterModuleContext() const {
  return AfxModuleContextGuard(m_widget ? m_moduleState : nullptr, m_resourceHandle);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const AfxModuleContextGuard context = EnterModuleContext();
  const std::shared_ptr<bool> alive = m_alive;
  const MSG saved = m_current;
  m_current = MSG{GetSafeHwnd(), message, wParam, lParam, {}};
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  if (*alive) m_current = saved;  // the handler may have deleted this window
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND:
      if (!OnCommand(wParam, lParam)) return FALSE;
      *pResult = 0;
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(wParam, lParam, pResult);
    default:
      return DispatchMapMessage(message, wParam, lParam, pResult) ? TRUE : FALSE;
  }
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // Commands reach a window's map by routing as well as by its own messages.
  const AfxModuleContextGuard context = EnterModuleContext();
  return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* pResult) {
  CWnd* wnd = FromHandlePermanent(control);
  return wnd != nullptr && wnd != this && wnd->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) return OnCmdMsg(HIWORD(wParam), CN_REFLECT_COMMAND, nullptr, nullptr);
  if (message != WM_NOTIFY) return FALSE;
  LRESULT ignored = 0;
  AFX_NOTIFY notify{reinterpret_cast<NMHDR*>(lParam), pResult != nullptr ? pResult : &ignored};
  return OnCmdMsg(0, CN_REFLECT_NOTIFY, &notify, nullptr);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 &&
      ReflectToControl(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, nullptr)) {
    return TRUE;
  }
  return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == nullptr) return FALSE;
  if (ReflectToControl(header->hwndFrom, WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
  AFX_NOTIFY notify{header, pResult};
  return OnCmdMsg(static_cast<UINT>(header->idFrom), CN_NOTIFY, &notify, nullptr);
}

LRESULT CWnd::Default() {
  return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

bool CWnd::TakeInputPassThrough() {
  const bool pass = m_passToWidget;
  m_passToWidget = false;
  return pass;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  QWidget* widget = m_widget.data();
  if (widget == nullptr) return 0;
  if (IsInputMessage(message)) {
    m_passToWidget = true;  // let the widget do its own work with the event
    return 0;
  }
  switch (message) {
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_CONTEXTMENU:
    case WM_HELP:
      // Unhandled by a child: its parent gets the chance.
      if (!widget->isWindow()) {
        if (CWnd* parent = GetParent()) return parent->SendMessage(message, wParam, lParam);
      }
      return 0;
    case WM_SETTEXT:
      SetWidgetText(widget, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
      return TRUE;
    case WM_GETTEXT: {
      std::string text = GetWidgetText(widget);
      if (lParam != 0) *reinterpret_cast<std::string*>(lParam) = text;
      return static_cast<LRESULT>(text.size());
    }
    case BM_GETCHECK:
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
      }
      return 0;
    case BM_SETCHECK:
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setChecked(wParam == BST_CHECKED);
      }
      return 0;
    case BM_CLICK:
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->click();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return AfxDefaultColourAnswer(message, reinterpret_cast<CDC*>(wParam));
    case WM_GETDLGCODE:
      if (auto* push = qobject_cast<QPushButton*>(widget)) {
        return DLGC_BUTTON | (push->isDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      }
      return 0;
    default:
      return 0;
  }
}

int CWnd::GetDlgCtrlID() const { return m_widget ? wndprops::Id(m_widget) : 0; }

void CWnd::SetDlgCtrlID(int nID) {
  if (m_widget) wndprops::SetId(m_widget, nID);
}

CWnd* CWnd::GetParent() const {
  if (!m_widget) return nullptr;
  for (QWidget* up = m_widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (CWnd* wnd = FromHandlePermanent(up)) return wnd;
  }
  return FromHandle(m_widget->parentWidget());
}

CWnd* CWnd::GetDlgItem(int nID) const {
  if (!m_widget) return nullptr;
  for (QWidget* child : m_widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (wndprops::HasId(child) && wndprops::Id(child) == nID) return FromHandle(child);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (CWnd* up = GetParent(); up != nullptr; up = up->GetParent()) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(up)) return frame;
  }
  return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
  if (!m_widget) return nullptr;
  return FromHandle(m_widget->window());
}

void CWnd::SetWindowText(const char* text) {
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
}

void CWnd::GetWindowText(std::string& text) const {
  text.clear();
  const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
}

std::string CWnd::GetWindowText() const {
  std::string text;
  GetWindowText(text);
  return text;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
  if (!m_widget) return FALSE;
  const BOOL wasDisabled = !m_widget->isEnabled();
  m_widget->setEnabled(bEnable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_widget && m_widget->isEnabled(); }

BOOL CWnd::ShowWindow(int nCmdShow) {
  if (!m_widget) return FALSE;
  const BOOL wasVisible = !m_widget->isHidden();
  switch (nCmdShow) {
    case SW_HIDE:
      m_widget->hide();
      break;
    case SW_SHOWMAXIMIZED:
      m_widget->showMaximized();
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      m_widget->showMinimized();
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      m_widget->showNormal();
      break;
    default:
      m_widget->show();
      break;
  }
  return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_widget && m_widget->isVisible(); }
// A document frame's state is its MDI sub-window's.
static const QWidget* StateHolder(const QWidget* widget) {
  if (auto* sub = qobject_cast<const QMdiSubWindow*>(widget->parentWidget())) return sub;
  return widget;
}

BOOL CWnd::IsZoomed() const { return m_widget && StateHolder(m_widget)->isMaximized(); }
BOOL CWnd::IsIconic() const { return m_widget && StateHolder(m_widget)->isMinimized(); }

DWORD CWnd::GetStyle() const {
  if (!m_widget) return 0;
  DWORD style = wndprops::Style(m_widget) & ~static_cast<DWORD>(WS_VISIBLE | WS_DISABLED);
  if (!m_widget->isHidden()) style |= WS_VISIBLE;
  if (!m_widget->isEnabled()) style |= WS_DISABLED;
  if (IsZoomed()) style |= WS_MAXIMIZE;
  if (IsIconic()) style |= WS_MINIMIZE;
  return style;
}

DWORD CWnd::GetExStyle() const { return m_widget ? wndprops::ExStyle(m_widget) : 0; }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
  if (!m_widget) return FALSE;
  const DWORD before = wndprops::Style(m_widget);
  const DWORD after = (before & ~dwRemove) | dwAdd;
  wndprops::SetStyle(m_widget, after);
  if ((dwRemove | dwAdd) & WS_VISIBLE) m_widget->setVisible((after & WS_VISIBLE) != 0);
  if ((dwRemove | dwAdd) & WS_DISABLED) m_widget->setEnabled((after & WS_DISABLED) == 0);
  return before != after;
}

void CWnd::SendPendingResize(QSize before) {
  // Qt holds the resize of a hidden widget back until it is shown; a window lays itself
  // out on WM_SIZE at once, shown or not (a page placed before its tab is chosen).
  if (!m_widget || !m_widget->testAttribute(Qt::WA_PendingResizeEvent)) return;
  m_widget->setAttribute(Qt::WA_PendingResizeEvent, false);
  QResizeEvent resize(m_widget->size(), before);
  QCoreApplication::sendEvent(m_widget, &resize);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  if (!m_widget) return;
  const QSize before = m_widget->size();
  m_widget->setGeometry(x, y, nWidth, nHeight);
  SendPendingResize(before);
  if (bRepaint && m_widget) m_widget->update();
}

void CWnd::MoveWindow(const RECT& rect, BOOL bRepaint) {
  MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags) {
  if (!m_widget) return FALSE;
  const QSize before = m_widget->size();
  if (!(nFlags & SWP_NOMOVE)) m_widget->move(x, y);
  if (!(nFlags & SWP_NOSIZE)) m_widget->resize(cx, cy);
  SendPendingResize(before);
  if (!m_widget) return TRUE;
  if (nFlags & SWP_SHOWWINDOW) m_widget->show();
  if (nFlags & SWP_HIDEWINDOW) m_widget->hide();
  return TRUE;
}

void CWnd::GetClientRect(RECT* rect) const {
  *rect = m_widget ? CRect(0, 0, m_widget->width(), m_widget->height()) : CRect();
}

void CWnd::GetWindowRect(RECT* rect) const {
  if (!m_widget) {
    *rect = CRect();
    return;
  }
  const QPoint origin = m_widget->mapToGlobal(QPoint(0, 0));
  *rect = CRect(origin.x(), origin.y(), origin.x() + m_widget->width(),
                origin.y() + m_widget->height());
}

void CWnd::ScreenToClient(POINT* point) const {
  if (!m_widget) return;
  const QPoint p = m_widget->mapFromGlobal(QPoint(point->x, point->y));
  *point = CPoint(p.x(), p.y());
}

void CWnd::ScreenToClient(RECT* rect) const {
  POINT tl{rect->left, rect->top};
  POINT br{rect->right, rect->bottom};
  ScreenToClient(&tl);
  ScreenToClient(&br);
  *rect = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::ClientToScreen(POINT* point) const {
  if (!m_widget) return;
  const QPoint p = m_widget->mapToGlobal(QPoint(point->x, point->y));
  *point = CPoint(p.x(), p.y());
}

void CWnd::ClientToScreen(RECT* rect) const {
  POINT tl{rect->left, rect->top};
  POINT br{rect->right, rect->bottom};
  ClientToScreen(&tl);
  ClientToScreen(&br);
  *rect = CRect(tl.x, tl.y, br.x, br.y);
}

void CWnd::Invalidate(BOOL) {
  if (m_widget) m_widget->update();
}

void CWnd::UpdateWindow() {
  if (m_widget) m_widget->repaint();
}

CWnd* CWnd::SetFocus() {
  CWnd* previous = GetFocus();
  if (m_widget) m_widget->setFocus(Qt::OtherFocusReason);
  return previous;
}

CWnd* CWnd::GetFocus() { return FromHandle(QApplication::focusWidget()); }

CWnd* CWnd::SetCapture() {
  CWnd* previous = GetCapture();
  if (!m_widget) return previous;
  if (g_capture && g_capture != m_widget) ReleaseCapture();
  g_capture = m_widget;
  if (m_widget->isVisible()) m_widget->grabMouse();
  return previous;
}

CWnd* CWnd::GetCapture() { return g_capture ? FromHandle(g_capture.data()) : nullptr; }

BOOL ReleaseCapture() {
  QPointer<QWidget> had = g_capture;
  g_capture = nullptr;
  if (!had) return TRUE;
  if (QWidget::mouseGrabber() == had) had->releaseMouse();
  if (CWnd* wnd = CWnd::FromHandlePermanent(had)) wnd->SendMessage(WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*) {
  if (!m_widget || nIDEvent == 0) return 0;
  auto timer = std::make_unique<QTimer>();
  timer->setInterval(static_cast<int>(nElapse));
  QObject::connect(timer.get(), &QTimer::timeout, [this, nIDEvent] {
    if (m_widget) WindowProc(WM_TIMER, nIDEvent, 0);
  });
  timer->start();
  m_timers[nIDEvent] = std::move(timer);  // a timer with the same id is replaced
  return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return m_timers.erase(nIDEvent) > 0 ? TRUE : FALSE; }

void CWnd::SetDlgItemText(int nID, const char* text) {
  if (CWnd* item = GetDlgItem(nID)) item->SetWindowText(text);
}

std::string CWnd::GetDlgItemText(int nID) const {
  CWnd* item = GetDlgItem(nID);
  return item != nullptr ? item->GetWindowText() : std::string();
}

void CWnd::SetDlgItemInt(int nID, UINT value, BOOL bSigned) {
  SetDlgItemText(nID, bSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value));
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
  const DialogInt parsed = ParseDialogInt(GetDlgItemText(nID), bSigned != FALSE);
  if (lpTrans != nullptr) *lpTrans = parsed.ok ? TRUE : FALSE;
  return parsed.ok ? static_cast<UINT>(parsed.value) : 0;
}

void CWnd::CheckDlgButton(int nID, UINT nCheck) {
  if (CWnd* item = GetDlgItem(nID)) item->SendMessage(BM_SETCHECK, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nID) const {
  CWnd* item = GetDlgItem(nID);
  return item != nullptr ? static_cast<UINT>(item->SendMessage(BM_GETCHECK, 0, 0)) : 0;
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType) {
  return AfxShowMessageBox(this, lpszText, lpszCaption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CDataExchange::Failure&) {
    return FALSE;
  }
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// Base handlers: each does what the window would do without a handler.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
CBrush* CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<CBrush*>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (CWnd* wnd = CWnd::FromHandlePermanent(top)) wnd->SendMessage(message, wParam, lParam);
    }
    return 0;
  }
  CWnd* wnd = CWnd::FromHandle(hwnd);
  return wnd != nullptr ? wnd->SendMessage(message, wParam, lParam) : 0;
}

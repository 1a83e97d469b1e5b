#include "framework/windows/WndEventBridge.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QTextEdit>
#include <QWidget>

#include "framework/windows/CWnd.h"

namespace {

struct PostedMessage : QEvent {
  PostedMessage(UINT m, WPARAM w, LPARAM l)
      : QEvent(WndEventBridge::PostedMessageType()), message(m), wParam(w), lParam(l) {}
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

UINT MouseFlags(const QMouseEvent& e) {
  UINT flags = 0;
  if (e.buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
  if (e.buttons() & Qt::RightButton) flags |= MK_RBUTTON;
  if (e.modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (e.modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

UINT ButtonMessage(const QMouseEvent& e, bool down, bool twice) {
  if (e.button() == Qt::LeftButton) {
    return twice ? WM_LBUTTONDBLCLK : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
  }
  if (e.button() == Qt::RightButton) return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  return WM_NULL;
}

// Edits show a context menu of their own (Cut, Copy, Paste, ...), which a wrapper keeps.
bool HasOwnContextMenu(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
         qobject_cast<const QTextEdit*>(widget) != nullptr;
}

}  // namespace

WndEventBridge::WndEventBridge(CWnd* wnd) : m_wnd(wnd) {}

QEvent::Type WndEventBridge::PostedMessageType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void WndEventBridge::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  QCoreApplication::postEvent(this, new PostedMessage(message, wParam, lParam));
}

void WndEventBridge::customEvent(QEvent* event) {
  if (event->type() != PostedMessageType()) return;
  const auto* posted = static_cast<PostedMessage*>(event);
  if (m_wnd->GetSafeHwnd() != nullptr) {
    Deliver(posted->message, posted->wParam, posted->lParam);
  }
}

LRESULT WndEventBridge::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_wnd->WindowProc(message, wParam, lParam);
}

bool WndEventBridge::eventFilter(QObject* watched, QEvent* event) {
  QWidget* widget = m_wnd->GetSafeHwnd();
  if (watched != widget) return false;
  switch (event->type()) {
    case QEvent::Resize: {
      const QSize size = static_cast<QResizeEvent*>(event)->size();
      const UINT kind = widget->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
      Deliver(WM_SIZE, kind, MAKELPARAM(size.width(), size.height()));
      return false;
    }
    case QEvent::MouseMove:
      return OnMouse(event, WM_MOUSEMOVE);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      return OnMouse(event, ButtonMessage(*mouse, event->type() != QEvent::MouseButtonRelease,
                                          event->type() == QEvent::MouseButtonDblClick));
    }
    case QEvent::ContextMenu:
      return OnContextMenu(event);
    case QEvent::KeyPress:
      return OnKey(event);
    case QEvent::FocusIn:
      Deliver(WM_SETFOCUS, 0, 0);
      return false;
    case QEvent::EnabledChange:
      // A window that can no longer take input gives the mouse back, or every later
      // click of the program would go to it and be dropped.
      if (!widget->isEnabled() && CWnd::GetCapture() != nullptr &&
          CWnd::GetCapture()->GetSafeHwnd() == widget) {
        ReleaseCapture();
      }
      return false;
    case QEvent::FocusOut:
      Deliver(WM_KILLFOCUS, 0, 0);
      return false;
    case QEvent::Close:
      // Closing is the window's decision: WM_CLOSE destroys it by default.
      event->ignore();
      Deliver(WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

bool WndEventBridge::OnMouse(QEvent* event, UINT message) {
  if (message == WM_NULL || !m_wnd->IsWindowEnabled()) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint pos = mouse->position().toPoint();
  MSG msg{m_wnd->GetSafeHwnd(), message, MouseFlags(*mouse), MAKELPARAM(pos.x(), pos.y()), {}};
  const AfxModuleContextGuard context = m_wnd->EnterModuleContext();
  // A handler may destroy the window, and this bridge with it.
  const QPointer<WndEventBridge> self(this);
  if (m_wnd->PreTranslateMessage(&msg) || !self) return true;
  m_wnd->m_passToWidget = false;
  Deliver(message, msg.wParam, msg.lParam);
  if (!self) return true;
  // The widget sees the event only when the handler asked for the default handling.
  return !m_wnd->TakeInputPassThrough();
}

bool WndEventBridge::OnContextMenu(QEvent* event) {
  if (HasOwnContextMenu(m_wnd->GetSafeHwnd())) return false;
  const auto* menu = static_cast<QContextMenuEvent*>(event);
  const QPoint global = menu->globalPos();
  Deliver(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_wnd->GetSafeHwnd()),
          MAKELPARAM(global.x(), global.y()));
  event->accept();
  return true;
}

bool WndEventBridge::OnKey(QEvent* event) {
  const auto* key = static_cast<QKeyEvent*>(event);
  UINT vk = 0;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      vk = VK_RETURN;
      break;
    case Qt::Key_Escape:
      vk = VK_ESCAPE;
      break;
    case Qt::Key_F1:
      vk = VK_F1;
      break;
    default:
      return false;
  }
  MSG msg{m_wnd->GetSafeHwnd(), WM_KEYDOWN, vk, 0, {}};
  const AfxModuleContextGuard context = m_wnd->EnterModuleContext();
  const QPointer<WndEventBridge> self(this);
  if (m_wnd->PreTranslateMessage(&msg) || !self) return true;
  if (vk == VK_F1) {
    HELPINFO info;
    info.iCtrlId = m_wnd->GetDlgCtrlID();
    info.hItemHandle = m_wnd->GetSafeHwnd();
    Deliver(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return true;
  }
  return false;
}

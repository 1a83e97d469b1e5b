#include "framework/app/ThreadQueue.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <atomic>
#include <memory>

#include "framework/app/CWinApp.h"
#include "framework/windows/CWnd.h"

namespace {

class ThreadQueue : public QObject {
 public:
  struct Posted : QEvent {
    Posted(UINT m, WPARAM w, LPARAM l) : QEvent(MessageType()), message(m), wParam(w), lParam(l) {}
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  static QEvent::Type MessageType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }

 protected:
  void customEvent(QEvent* event) override {
    if (event->type() != MessageType()) return;
    const auto* posted = static_cast<Posted*>(event);
    if (CWinApp* app = AfxGetThread()) {
      app->OnThreadMessage(posted->message, posted->wParam, posted->lParam);
    }
  }
};

ThreadQueue& Queue() {
  thread_local ThreadQueue queue;
  return queue;
}

DWORD NextThreadId() {
  static std::atomic<DWORD> next{1};
  return next++;
}

}  // namespace

BOOL AfxPostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  QCoreApplication::postEvent(&Queue(), new ThreadQueue::Posted(message, wParam, lParam));
  return TRUE;
}

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = NextThreadId();
  return id;
}

BOOL PostThreadMessage(DWORD idThread, UINT message, WPARAM wParam, LPARAM lParam) {
  if (idThread != GetCurrentThreadId()) return FALSE;
  return AfxPostThreadMessage(message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == nullptr) return AfxPostThreadMessage(message, wParam, lParam);
  if (hwnd == HWND_BROADCAST) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (CWnd* wnd = CWnd::FromHandlePermanent(top)) wnd->PostMessage(message, wParam, lParam);
    }
    return TRUE;
  }
  CWnd* wnd = CWnd::FromHandle(hwnd);
  return wnd != nullptr ? wnd->PostMessage(message, wParam, lParam) : FALSE;
}

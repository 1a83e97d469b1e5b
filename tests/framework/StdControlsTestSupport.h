#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>
#include <vector>

#include "framework/stdcontrols/ControlTypes.h"
#include "framework/windows/CWnd.h"

// What a parent window received from its controls.
struct Received {
  UINT message = 0;
  UINT id = 0;
  UINT code = 0;
  HWND from = nullptr;
  NMTREEVIEW tree;  // filled for tree notifications
};

// A shown top-level window that records every WM_COMMAND, WM_NOTIFY and
// WM_CONTEXTMENU reaching it; `answer` gives the result of a WM_NOTIFY.
class NotifyRecorder : public CWnd {
 public:
  std::vector<Received> received;
  std::function<LRESULT(const NMHDR&)> answer;

  void CreateShown() {
    CreateEx(0, nullptr, "controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 320),
             nullptr, 0);
    QApplication::processEvents();
  }

  std::vector<UINT> Codes(UINT message = WM_NOTIFY) const {
    std::vector<UINT> codes;
    for (const Received& r : received) {
      if (r.message == message) codes.push_back(r.code);
    }
    return codes;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      received.push_back(
          {message, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam), {}});
    } else if (message == WM_CONTEXTMENU) {
      received.push_back({message, 0, 0, reinterpret_cast<HWND>(wParam), {}});
    } else if (message == WM_NOTIFY) {
      const auto& header = *reinterpret_cast<NMHDR*>(lParam);
      Received r{message, static_cast<UINT>(header.idFrom), header.code, header.hwndFrom, {}};
      if (header.code == TVN_SELCHANGING || header.code == TVN_SELCHANGED ||
          header.code == TVN_BEGINDRAG) {
        r.tree = *reinterpret_cast<NMTREEVIEW*>(lParam);
      }
      received.push_back(r);
      if (answer) return answer(header);
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void ClickAt(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(widget, QEvent::MouseButtonPress, at, button, button);
  SendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

inline void PressKey(QWidget* widget, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

inline QPoint Centre(const RECT& r) {
  return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

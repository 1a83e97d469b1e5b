#pragma once

#include <QEvent>
#include <QObject>

#include "framework/messages/WinTypes.h"

class CWnd;

// Turns the Qt events of one window's widget into window messages for its CWnd, and
// carries messages posted to that window. One switch on the event type; framework work
// (the help key, right click becoming a context menu, closing through WM_CLOSE) happens
// there, before the message reaches the window's map.
class WndEventBridge : public QObject {
 public:
  explicit WndEventBridge(CWnd* wnd);

  // Queues a message for the window; it is dispatched from the event loop.
  void Post(UINT message, WPARAM wParam, LPARAM lParam);

  static QEvent::Type PostedMessageType();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void customEvent(QEvent* event) override;

 private:
  bool OnMouse(QEvent* event, UINT message);
  bool OnKey(QEvent* event);
  bool OnContextMenu(QEvent* event);
  LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam);

  CWnd* m_wnd;
};

#include "framework/InputState.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "framework/CWnd.h"

short GetKeyState(int virtualKey) {
  bool down = false;
  switch (virtualKey) {
    case VK_LBUTTON:
      down = QApplication::mouseButtons().testFlag(Qt::LeftButton);
      break;
    case VK_RBUTTON:
      down = QApplication::mouseButtons().testFlag(Qt::RightButton);
      break;
    case VK_SHIFT:
      down = QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
      break;
    case VK_CONTROL:
      down = QApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
      break;
    default:
      break;
  }
  return down ? static_cast<short>(0x8000) : 0;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  const QPoint pos = QCursor::pos();
  *point = CPoint(pos.x(), pos.y());
  return TRUE;
}

CWnd* WindowFromPoint(POINT point) {
  return CWnd::FromHandle(QApplication::widgetAt(QPoint(point.x, point.y)));
}

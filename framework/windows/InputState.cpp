#include "framework/windows/InputState.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "framework/windows/CWnd.h"

namespace {

constexpr int kNoModifiersGiven = -1;
int g_inputModifiers = kNoModifiersGiven;

Qt::KeyboardModifiers Modifiers() {
  return g_inputModifiers == kNoModifiersGiven ? QApplication::keyboardModifiers()
                                               : Qt::KeyboardModifiers(g_inputModifiers);
}

}  // namespace

ScopedInputModifiers::ScopedInputModifiers(int qtModifiers) : m_previous(g_inputModifiers) {
  g_inputModifiers = qtModifiers;
}

ScopedInputModifiers::~ScopedInputModifiers() { g_inputModifiers = m_previous; }

UINT VirtualKeyOf(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<UINT>(qtKey);  // the same codes as their characters
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
    return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
  }
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Delete:
      return VK_DELETE;
    default:
      return 0;
  }
}

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
      down = Modifiers().testFlag(Qt::ShiftModifier);
      break;
    case VK_CONTROL:
      down = Modifiers().testFlag(Qt::ControlModifier);
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

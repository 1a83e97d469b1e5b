#pragma once

#include "framework/messages/WinTypes.h"

class CWnd;

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;

// The state of the mouse and the modifier keys as the application last saw it.
// GetKeyState is negative while the key or button is down.
short GetKeyState(int virtualKey);

// The virtual key of a Qt key code: letters and digits are their upper-case characters;
// 0 for a key without one here.
UINT VirtualKeyOf(int qtKey);

// While it lives, the modifier keys read as the input being handled says (Qt's keyboard
// modifier flags): a handler asks for the state that came with its key, as a program
// does with the message it is handling.
class ScopedInputModifiers {
 public:
  explicit ScopedInputModifiers(int qtModifiers);
  ~ScopedInputModifiers();
  ScopedInputModifiers(const ScopedInputModifiers&) = delete;
  ScopedInputModifiers& operator=(const ScopedInputModifiers&) = delete;

 private:
  int m_previous;
};
BOOL GetCursorPos(POINT* point);
// The innermost window under a screen point, or null.
CWnd* WindowFromPoint(POINT point);

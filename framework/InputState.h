#pragma once

#include "framework/WinTypes.h"

class CWnd;

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;

// The state of the mouse and the modifier keys as the application last saw it.
// GetKeyState is negative while the key or button is down.
short GetKeyState(int virtualKey);
BOOL GetCursorPos(POINT* point);
// The innermost window under a screen point, or null.
CWnd* WindowFromPoint(POINT point);

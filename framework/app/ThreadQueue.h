#pragma once

#include "framework/messages/WinTypes.h"

// The calling thread's own message queue: messages posted without a window. They are
// delivered from the event loop to the thread's application (OnThreadMessage).
BOOL AfxPostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

DWORD GetCurrentThreadId();
// Only the calling thread's queue can be reached; another id fails.
BOOL PostThreadMessage(DWORD idThread, UINT message, WPARAM wParam, LPARAM lParam);

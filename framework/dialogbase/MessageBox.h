#pragma once

#include <string>

#include "framework/messages/WinMessages.h"

class CWnd;

// A modal message box: the test hook answers it when one is set, a Qt message box
// otherwise. Returns IDOK, IDCANCEL, IDYES or IDNO. The caption defaults to the
// application's name.
int AfxShowMessageBox(CWnd* owner, const char* text, const char* caption, UINT type);
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
inline int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0) {
  return AfxMessageBox(text.c_str(), type, helpId);
}

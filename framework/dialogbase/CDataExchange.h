#pragma once

#include <string>

#include "framework/messages/WinTypes.h"

class CWnd;

// The result of reading a number the way dialogs read them: optional blanks, an
// optional sign (signed only), then decimal digits up to the end of the text.
struct DialogInt {
  bool ok = false;
  long long value = 0;
};
DialogInt ParseDialogInt(const std::string& text, bool isSigned);

// Moves values between a window's controls and its members in one direction: into the
// members when saving and validating, into the controls otherwise.
class CDataExchange {
 public:
  // Thrown by Fail(); UpdateData catches it and reports failure.
  struct Failure {};

  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

  // The control being exchanged, for Fail() to give it the focus.
  CWnd* PrepareCtrl(int nIDC);
  [[noreturn]] void Fail();

 private:
  CWnd* m_pLastControl = nullptr;
};

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// A number that does not read as one shows "Please enter an integer." and fails.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// Check boxes: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Binds a control object to the dialog's control with that id (first exchange only).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);

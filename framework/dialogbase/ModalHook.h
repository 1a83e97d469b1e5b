#pragma once

#include <functional>
#include <string>

#include "framework/messages/WinTypes.h"

class CDialog;

// What a modal dialog or message box puts before the test hook. The hook looks at it
// (the dialog's controls, or the box's text and caption) and answers it.
class ModalRequest {
 public:
  ModalRequest(CDialog* dialog, std::string text, std::string caption, UINT type)
      : m_dialog(dialog), m_text(std::move(text)), m_caption(std::move(caption)), m_type(type) {}

  CDialog* Dialog() const { return m_dialog; }  // null for a message box
  const std::string& Text() const { return m_text; }
  const std::string& Caption() const { return m_caption; }
  UINT Type() const { return m_type; }

  // Dialogs: the same paths a user takes.
  void PressOk();                  // the OK button (IDOK command)
  void PressCancel();              // the Cancel button (IDCANCEL command)
  void PressKey(UINT virtualKey);  // VK_RETURN or VK_ESCAPE inside the dialog
  void Click(int controlId);       // a click on a button of the dialog

  // Message boxes: the button the user chose (IDOK, IDCANCEL, IDYES, IDNO).
  void Answer(int result) { m_answer = result; }
  int AnswerGiven() const { return m_answer; }

 private:
  CDialog* m_dialog;
  std::string m_text;
  std::string m_caption;
  UINT m_type;
  int m_answer = 0;
};

// Process-wide: when set, every modal dialog and message box goes to the hook instead
// of the screen. A dialog the hook leaves open ends with IDCANCEL; a box the hook does
// not answer gets its first button, so that nothing waits for a user who is not there.
using ModalHook = std::function<void(ModalRequest&)>;
void AfxSetModalHook(ModalHook hook);
bool AfxHasModalHook();
// Calls the hook (if any) and reports whether there was one.
bool AfxCallModalHook(ModalRequest& request);

// Installs a hook for a scope and puts the previous one back.
class ScopedModalHook {
 public:
  explicit ScopedModalHook(ModalHook hook);
  ~ScopedModalHook();
  ScopedModalHook(const ScopedModalHook&) = delete;
  ScopedModalHook& operator=(const ScopedModalHook&) = delete;

 private:
  ModalHook m_previous;
};

#include "framework/dialogbase/ModalHook.h"

#include <mutex>

#include "framework/dialogbase/CDialog.h"

namespace {

std::mutex g_mutex;
ModalHook g_hook;

ModalHook CurrentHook() {
  std::lock_guard lock(g_mutex);
  return g_hook;
}

}  // namespace

void AfxSetModalHook(ModalHook hook) {
  std::lock_guard lock(g_mutex);
  g_hook = std::move(hook);
}

bool AfxHasModalHook() { return static_cast<bool>(CurrentHook()); }

bool AfxCallModalHook(ModalRequest& request) {
  // A copy: the hook may open further modal boxes, which call it again.
  const ModalHook hook = CurrentHook();
  if (!hook) return false;
  hook(request);
  return true;
}

ScopedModalHook::ScopedModalHook(ModalHook hook) : m_previous(CurrentHook()) {
  AfxSetModalHook(std::move(hook));
}

ScopedModalHook::~ScopedModalHook() { AfxSetModalHook(std::move(m_previous)); }

void ModalRequest::PressOk() {
  if (m_dialog != nullptr) m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void ModalRequest::PressCancel() {
  if (m_dialog != nullptr) {
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

void ModalRequest::PressKey(UINT virtualKey) {
  if (m_dialog == nullptr) return;
  MSG msg{m_dialog->GetSafeHwnd(), WM_KEYDOWN, virtualKey, 0, {}};
  m_dialog->PreTranslateMessage(&msg);
}

void ModalRequest::Click(int controlId) {
  if (m_dialog == nullptr) return;
  if (CWnd* control = m_dialog->GetDlgItem(controlId)) control->SendMessage(BM_CLICK, 0, 0);
}

#include "protocol/Messages.h"

#include "framework/app/CWinApp.h"
#include "framework/core/RegisteredMessages.h"
#include "framework/windows/CWnd.h"

UINT RegisterPrefsChangedMessage() { return RegisterWindowMessageA(kPrefsChangedMessageName); }

UINT RegisterReportRequestMessage() { return RegisterWindowMessageA(kReportRequestMessageName); }

void AnnouncePrefsChanged() {
  const UINT message = RegisterPrefsChangedMessage();
  CWnd* main = AfxGetMainWnd();
  HWND mainHwnd = main != nullptr ? main->GetSafeHwnd() : nullptr;
  // Without a main window the first two steps would reach the thread queue instead (a
  // null handle means the queue); the queue gets its own post below, so skip them.
  if (mainHwnd != nullptr) {
    ::PostMessage(mainHwnd, message, 0, 0);
    ::SendMessage(mainHwnd, message, 0, 0);
  }
  ::PostMessage(HWND_BROADCAST, message, 0, 0);
  ::PostMessage(nullptr, message, 0, 0);
}

void RequestReport(UINT reportMessage) {
  CWnd* main = AfxGetMainWnd();
  if (main == nullptr || main->GetSafeHwnd() == nullptr) return;
  main->SendMessage(reportMessage, 0, 0);
}

#include "host/HostMessages.h"

#include "framework/core/RegisteredMessages.h"

UINT g_nPreferencesChangedMsg = 0;
UINT g_nReportRequestMsg = 0;

void RegisterHostMessages() {
  g_nPreferencesChangedMsg = RegisterWindowMessageA(kPrefsChangedMessageName);
  g_nReportRequestMsg = RegisterWindowMessageA(kReportRequestMessageName);
}

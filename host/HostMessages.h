#pragma once

#include "framework/messages/WinTypes.h"
#include "protocol/Protocol.h"

// The two messages the module sends the host, known by name so that both sides get the
// same numbers. Registered once before the main window is made; the message maps read
// the numbers at dispatch.
extern UINT g_nPreferencesChangedMsg;
extern UINT g_nReportRequestMsg;

void RegisterHostMessages();

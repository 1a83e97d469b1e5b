#pragma once

#include "framework/WinTypes.h"

// The two messages the module sends the host, known by name so that both sides get the
// same numbers. Registered once before the main window is made; the message maps read
// the numbers at dispatch.
extern UINT g_nPreferencesChangedMsg;
extern UINT g_nReportRequestMsg;

inline constexpr const char* kPreferencesChangedName =
    "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D06";
inline constexpr const char* kReportRequestName =
    "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D91";

void RegisterHostMessages();

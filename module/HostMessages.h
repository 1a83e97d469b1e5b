#pragma once

#include "framework/WinTypes.h"

// The two registered window messages between the module and its host. Both carry 0 in
// both parameters, and the module reads no reply.

// The Settings dialog has rewritten the preferences file; the host re-reads it.
inline constexpr const char kPrefsChangedMessageName[] =
    "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D06";
// The host makes a report of the current totals.
inline constexpr const char kReportRequestMessageName[] =
    "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D91";

// The preferences-changed number, registered when the library is loaded and kept for its
// lifetime (the child frame's message map reads it).
extern UINT g_nPrefsChangedMsg;

UINT RegisterPrefsChangedMessage();
UINT RegisterReportRequestMessage();

// Tells the host (and every top-level window) that the preferences changed: a post to
// the thread's main window, a send to it, a broadcast post and a post to the thread's own
// queue, in that order. Failed posts and sends are ignored.
void AnnouncePrefsChanged();

// Sends `reportMessage` to the thread's main window and returns when it has been handled.
// Nothing happens without a main window.
void RequestReport(UINT reportMessage);

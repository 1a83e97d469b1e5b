#pragma once

#include "framework/messages/WinTypes.h"
#include "protocol/Protocol.h"

// The module's side of the two registered messages, for the view, the dialogs and
// the module. Both carry 0 in both parameters, and no reply is read.

UINT RegisterPrefsChangedMessage();
UINT RegisterReportRequestMessage();

// Tells the host (and every top-level window) that the preferences changed: a post to
// the thread's main window, a send to it, a broadcast post and a post to the thread's own
// queue, in that order. Failed posts and sends are ignored.
void AnnouncePrefsChanged();

// Sends `reportMessage` to the thread's main window and returns when it has been handled.
// Nothing happens without a main window.
void RequestReport(UINT reportMessage);

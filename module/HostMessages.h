#pragma once

#include "framework/messages/WinTypes.h"
#include "protocol/Messages.h"

// The preferences-changed number, registered when the library is loaded and kept for its
// lifetime (the child frame's message map reads it).
extern UINT g_nPrefsChangedMsg;

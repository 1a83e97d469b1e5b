#include "module/HostMessages.h"

UINT g_nPrefsChangedMsg = RegisterPrefsChangedMessage();

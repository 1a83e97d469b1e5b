#pragma once

#include "framework/resources/Resources.h"

// The host's own resources: the menu the main window shows while no document window is
// open. Registered under the executable's instance handle on first use.
const ResourceTable& HostResourceTable();
void RegisterHostResources();

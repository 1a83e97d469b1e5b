#pragma once

#include "framework/resources/Resources.h"

// The module's table registered under a handle of the tests' own, so that every lookup goes
// through the framework the way the module's windows will.
HINSTANCE ResInstance();

// A failed expectation and null when the resource is missing.
const DialogResource* Dialog(UINT id);
const DialogItem* Item(const DialogResource& dialog, int id);

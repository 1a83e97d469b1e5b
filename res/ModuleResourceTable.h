#pragma once

#include "framework/resources/Resources.h"

// Every resource of the module: document string, menus, dialog templates, bitmaps and
// icons. Built once, on first use, and alive until the process ends; the module registers
// it under its own instance handle.
const ResourceTable& ModuleResourceTable();

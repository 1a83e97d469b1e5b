#pragma once

#include <vector>

#include "framework/resources/Resources.h"

// The pieces ModuleResourceTable() is assembled from, one function per source file.
std::vector<StringResource> ModuleStrings();
std::vector<MenuResource> ModuleMenus();
std::vector<DialogResource> FormDialogs();      // the form view and its two pages
std::vector<DialogResource> SettingsDialogs();  // settings and the password prompt
std::vector<DialogResource> GroupDialogs();     // move-to, new group, predefined groups
std::vector<ImageResource> ModuleIcons();
std::vector<ImageResource> ToolbarBitmaps();  // the upper button row
std::vector<ImageResource> EditBitmaps();     // the lower row and the selector button

#pragma once

#include <vector>

#include "framework/resources/Resources.h"

class QMenu;
class QMenuBar;
class CCmdTarget;
class CWnd;

// Builds Qt menus from menu resources. Every item carries its command id; choosing it
// sends WM_COMMAND to `target`, and every popup asks `target` for its items' command
// state (CCmdUI) just before it opens, so items without an available command are grey.
void AfxFillMenuBar(QMenuBar* bar, const MenuResource& menu, CWnd* target);
void AfxFillMenu(QMenu* menu, const std::vector<MenuItem>& items, CWnd* target);
// Runs the command-state queries for the items of `menu` against `target`'s routing.
void AfxUpdateMenuCommandUI(QMenu* menu, CCmdTarget* target);
// The command id an action of such a menu carries (0 for popups and separators).
UINT AfxMenuCommandId(const class QAction* action);

#pragma once

#include <functional>
#include <string>

#include "framework/resources/Resources.h"

class QWidget;

// Makes the widget for one control of a dialog template, by the control's window class
// name ("BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SysTreeView32", ...; case is
// ignored). The framework knows buttons, edits and statics; a control library registers
// its own makers for the other classes (or replaces these). The factory need not set
// the id, style or geometry: the dialog builder does.
using ControlFactory = std::function<QWidget*(const DialogItem& item, QWidget* parent)>;
void AfxRegisterControlClass(const std::string& className, ControlFactory factory);

// Builds every control of `tmpl` on `parent`, placed in pixels by the dialog font.
void AfxCreateDialogControls(QWidget* parent, const DialogResource& tmpl);

// Notifications from a control to its window, as a control's user action sends them:
// WM_COMMAND with (id, code) and the control's handle, or WM_NOTIFY with a header.
void AfxSendCommandNotify(QWidget* control, UINT code);
LRESULT AfxSendNotify(QWidget* control, NMHDR& header);

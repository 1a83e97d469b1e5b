#pragma once

#include <string>

class QWidget;

// The text a window shows, for each kind of widget the framework makes: a caption for
// windows, the label of buttons and statics, the content of edits. UTF-8 byte strings.
std::string GetWidgetText(const QWidget* widget);
void SetWidgetText(QWidget* widget, const std::string& text);

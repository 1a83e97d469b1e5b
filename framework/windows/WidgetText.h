#pragma once

#include <string>

class QLabel;
class QWidget;

// The text a window shows, for each kind of widget the framework makes: a caption for
// windows, the label of buttons and statics, the content of edits. UTF-8 byte strings.
std::string GetWidgetText(const QWidget* widget);
void SetWidgetText(QWidget* widget, const std::string& text);

// A static's text: '&' marks the access key and is not shown ("&&" shows one), unless
// the static has SS_NOPREFIX; it is always plain text, never rich text. The text as
// given is what GetWidgetText returns.
void SetStaticText(QLabel* label, const std::string& text, bool noPrefix);

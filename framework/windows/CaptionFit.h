#pragma once

#include <functional>
#include <string>

#include "framework/messages/WinTypes.h"

// Captions made from names the user chose.

// `text` with every "&" doubled, so that a caption shows the ampersand instead of
// underlining the letter after it.
std::string EscapeAccessMarks(const std::string& text);

// `name` as it can stand in `caption(name)` on `control` without the caption outgrowing
// the control: whole when it fits, else its longest start followed by "..." that fits
// (down to "..." alone). A control that wraps its caption (BS_MULTILINE) may use as many
// lines as its height holds, any other one line across its width.
std::string FitNameInCaption(HWND control, const std::string& name,
                             const std::function<std::string(const std::string&)>& caption);

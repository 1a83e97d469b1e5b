#pragma once

#include <string>

class CMDIFrameWnd;
class QImage;

// Sizes the main window so that the active document's form fits in it (800 by 600 at
// least) as far as the screen's free area allows, frame included, and shows it. It can
// be made no smaller than the form's minimum size allows.
void ShowMainWindow(CMDIFrameWnd* frame);

// The main window as it is drawn now, after pending layout and paint work has run.
QImage RenderWindow(CMDIFrameWnd* frame);

// Saves RenderWindow as a PNG file; false with `error` set when it cannot be written.
bool SaveWindowImage(CMDIFrameWnd* frame, const std::string& path, std::string& error);

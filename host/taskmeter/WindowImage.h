#pragma once

#include <string>

class CMDIFrameWnd;
class QImage;

// Sizes the main window so that the active document's form fits in it (never smaller
// than 800 by 600) and shows it.
void ShowMainWindow(CMDIFrameWnd* frame);

// The main window as it is drawn now, after pending layout and paint work has run.
QImage RenderWindow(CMDIFrameWnd* frame);

// Saves RenderWindow as a PNG file; false with `error` set when it cannot be written.
bool SaveWindowImage(CMDIFrameWnd* frame, const std::string& path, std::string& error);

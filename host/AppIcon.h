#pragma once

#include <QImage>

// The program's icon, a clock face with its hand `handTurns` of a full turn past twelve,
// drawn at `size` pixels square. The window and the tray use it, and the build draws
// the desktop's icon files from it, so that all of them look the same.
QImage ClockIconImage(int size, double handTurns = 0.0);

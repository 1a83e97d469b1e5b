#pragma once

#include "framework/messages/WinTypes.h"

class QFont;

// Dialog templates measure in dialog units: a quarter of the base width across, an
// eighth of the base height down. A template names a point size; its base units are
// those it was drawn in (6 by 13 pixels at 8 points on a 96 dpi screen, in proportion
// elsewhere), so that the pixel layouts of the windows' size handlers fit the controls
// the template places. Its font is the desktop's default UI face at that size, made a
// little smaller when the face is too wide or tall for those units.
CSize TemplateBaseUnits(int pointSize);  // 0 or less: DialogBaseUnits()
QFont DialogFont(int pointSize);         // 0 or less: the desktop's font as it is
// A quarter of `font`'s average letter width, rounded up, and its height.
CSize DialogBaseUnits(const QFont& font);
CSize DialogBaseUnits();  // with the application's font
CRect MapDialogRect(const CSize& baseUnits, const RECT& dialogUnits);

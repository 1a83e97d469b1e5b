#pragma once

#include "framework/WinTypes.h"

class QFont;

// Dialog templates measure in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its character height down. The font is the
// desktop's default UI font.
CSize DialogBaseUnits(const QFont& font);
CSize DialogBaseUnits();  // with the application's font
CRect MapDialogRect(const CSize& baseUnits, const RECT& dialogUnits);

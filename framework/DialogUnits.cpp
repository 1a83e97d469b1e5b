#include "framework/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

CSize DialogBaseUnits(const QFont& font) {
  // The average width is taken over the 52 Latin letters and rounded, as dialog
  // layouts have always been measured.
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return CSize((width / 26 + 1) / 2, metrics.height());
}

CSize DialogBaseUnits() { return DialogBaseUnits(QApplication::font()); }

CRect MapDialogRect(const CSize& base, const RECT& r) {
  return CRect(MulDiv(r.left, base.cx, 4), MulDiv(r.top, base.cy, 8), MulDiv(r.right, base.cx, 4),
               MulDiv(r.bottom, base.cy, 8));
}

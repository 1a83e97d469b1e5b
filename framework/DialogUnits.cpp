#include "framework/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

CSize DialogBaseUnits(const QFont& font) {
  // The average width of the 52 Latin letters, rounded up. The templates were laid
  // out in a font whose average rounded up by about a twelfth, and their texts fill
  // that room; rounding down would clip them in a font that rounds the other way.
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return CSize((width + 51) / 52, metrics.height());
}

CSize DialogBaseUnits() { return DialogBaseUnits(QApplication::font()); }

CRect MapDialogRect(const CSize& base, const RECT& r) {
  return CRect(MulDiv(r.left, base.cx, 4), MulDiv(r.top, base.cy, 8), MulDiv(r.right, base.cx, 4),
               MulDiv(r.bottom, base.cy, 8));
}

#include "framework/dialogbase/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

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

namespace {

double PixelsPerPoint() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return (screen != nullptr ? screen->logicalDotsPerInch() : 96.0) / 72.0;
}

}  // namespace

CSize TemplateBaseUnits(int pointSize) {
  if (pointSize <= 0) return DialogBaseUnits();
  // 6 by 13 pixels at 8 points on a 96 dpi screen.
  const double pixels = pointSize * PixelsPerPoint();
  return CSize(static_cast<int>(pixels * 0.5625 + 0.5), static_cast<int>(pixels * 1.21875 + 0.5));
}

QFont DialogFont(int pointSize) {
  QFont font = QApplication::font();
  if (pointSize <= 0) return font;
  // The desktop's face at the template's size, or a little smaller (down to four fifths)
  // where it is wider or taller than the units the template was drawn in, so that every
  // text keeps to the room the template gives it.
  const CSize units = TemplateBaseUnits(pointSize);
  for (double size = pointSize; size >= pointSize * 0.8; size -= 0.25) {
    font.setPointSizeF(size);
    const CSize needed = DialogBaseUnits(font);
    if (needed.cx <= units.cx && needed.cy <= units.cy) break;
  }
  return font;
}

CRect MapDialogRect(const CSize& base, const RECT& r) {
  return CRect(MulDiv(r.left, base.cx, 4), MulDiv(r.top, base.cy, 8), MulDiv(r.right, base.cx, 4),
               MulDiv(r.bottom, base.cy, 8));
}

#include "framework/gdi/Colors.h"

#include <QApplication>
#include <QPalette>

QColor ToQColor(COLORREF colour) {
  return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF FromQColor(const QColor& colour) {
  return RGB(colour.red(), colour.green(), colour.blue());
}

COLORREF FromQRgb(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

namespace {

// Palette role of each index; the roles that a palette lacks are described by the
// colours nearest to them (the dark shadow is the palette's shadow, the light edge the
// midlight).
bool RoleFor(int index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
  group = QPalette::Active;
  switch (index) {
    case COLOR_SCROLLBAR:
    case COLOR_BTNFACE:
    case COLOR_MENU:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
      role = QPalette::Button;
      return true;
    case COLOR_BACKGROUND:
    case COLOR_APPWORKSPACE:
      role = QPalette::Dark;
      return true;
    case COLOR_ACTIVECAPTION:
    case COLOR_HIGHLIGHT:
    case COLOR_HOTLIGHT:
      role = QPalette::Highlight;
      return true;
    case COLOR_INACTIVECAPTION:
      group = QPalette::Inactive;
      role = QPalette::Highlight;
      return true;
    case COLOR_WINDOW:
      role = QPalette::Base;
      return true;
    case COLOR_WINDOWFRAME:
    case COLOR_3DDKSHADOW:
      role = QPalette::Shadow;
      return true;
    case COLOR_MENUTEXT:
    case COLOR_WINDOWTEXT:
      role = QPalette::Text;
      return true;
    case COLOR_CAPTIONTEXT:
    case COLOR_HIGHLIGHTTEXT:
      role = QPalette::HighlightedText;
      return true;
    case COLOR_INACTIVECAPTIONTEXT:
      group = QPalette::Inactive;
      role = QPalette::HighlightedText;
      return true;
    case COLOR_BTNSHADOW:
      role = QPalette::Dark;
      return true;
    case COLOR_GRAYTEXT:
      group = QPalette::Disabled;
      role = QPalette::Text;
      return true;
    case COLOR_BTNTEXT:
      role = QPalette::ButtonText;
      return true;
    case COLOR_BTNHIGHLIGHT:
      role = QPalette::Light;
      return true;
    case COLOR_3DLIGHT:
      role = QPalette::Midlight;
      return true;
    case COLOR_INFOTEXT:
      role = QPalette::ToolTipText;
      return true;
    case COLOR_INFOBK:
      role = QPalette::ToolTipBase;
      return true;
    default:
      return false;
  }
}

}  // namespace

COLORREF GetSysColor(int index) {
  QPalette::ColorGroup group{};
  QPalette::ColorRole role{};
  if (!RoleFor(index, group, role)) return RGB(0, 0, 0);
  return FromQColor(QApplication::palette().color(group, role));
}

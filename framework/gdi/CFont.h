#pragma once

#include <QFont>

#include "framework/gdi/GdiObjects.h"

class QWidget;

constexpr int LF_FACESIZE = 32;

// The description a font is created from. lfHeight < 0 asks for that character height
// in pixels, > 0 for that cell height (character plus internal leading), 0 for the
// default size.
struct LOGFONT {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};
using LPLOGFONT = LOGFONT*;

// A font over QFont. Face names this desktop lacks ("MS Sans Serif", "MS Shell Dlg")
// fall back to the desktop's default UI font, as dialog templates do.
class CFont : public CGdiObject {
 public:
  CFont() : CGdiObject(Kind::Font) {}
  explicit CFont(const QFont& font) : CFont() { FromQFont(font); }

  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                  BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
  BOOL CreateFontIndirect(const LOGFONT* logFont);
  // `pointSize` in tenths of a point; the device argument is not needed here.
  BOOL CreatePointFont(int pointSize, const char* faceName, class CDC* dc = nullptr);
  BOOL FromQFont(const QFont& font);
  // The font a widget shows its text in (the application font without a widget).
  BOOL FromWidget(const QWidget* widget);

  // Describes the font; the height is given as a negative character height in pixels.
  int GetLogFont(LOGFONT* logFont) const;
  const QFont& GetQFont() const { return m_font; }

  static CFont* GetDefaultGuiFont();
  static CFont* GetSystemFont();

 private:
  QFont m_font;
};

using HFONT = CFont*;

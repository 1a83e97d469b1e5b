#include "framework/gdi/CFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// Windows face names that mean "the dialog font"; they become the desktop's UI font.
bool IsDialogFace(const std::string& face) {
  return face.empty() || face == "MS Sans Serif" || face == "MS Shell Dlg" ||
         face == "MS Shell Dlg 2" || face == "System";
}

int PixelHeightFor(const QFont& base, LONG height) {
  if (height < 0) return static_cast<int>(-height);
  // A positive height is the cell height: scale the character height so that the cell
  // (ascent + descent) matches.
  QFont probe(base);
  probe.setPixelSize(std::max<LONG>(height, 1));
  const int cell = QFontMetrics(probe).height();
  if (cell <= 0) return static_cast<int>(height);
  return std::max(1, static_cast<int>(std::lround(double(height) * height / cell)));
}

}  // namespace

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                       const char* faceName) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeOut;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  if (faceName != nullptr) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
  if (logFont == nullptr) return FALSE;
  const std::string face(logFont->lfFaceName,
                         strnlen(logFont->lfFaceName, static_cast<std::size_t>(LF_FACESIZE)));
  QFont font = IsDialogFace(face) ? QApplication::font() : QFont(QString::fromStdString(face));
  if (logFont->lfHeight != 0) font.setPixelSize(PixelHeightFor(font, logFont->lfHeight));
  if (logFont->lfWeight > 0) {
    font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(logFont->lfWeight, 1, 1000)));
  }
  font.setItalic(logFont->lfItalic != 0);
  font.setUnderline(logFont->lfUnderline != 0);
  font.setStrikeOut(logFont->lfStrikeOut != 0);
  if ((logFont->lfPitchAndFamily & 0x3) == FIXED_PITCH) font.setFixedPitch(true);
  return FromQFont(font);
}

BOOL CFont::CreatePointFont(int pointSize, const char* faceName, CDC*) {
  const std::string face = faceName != nullptr ? faceName : "";
  QFont font = IsDialogFace(face) ? QApplication::font() : QFont(QString::fromStdString(face));
  if (pointSize > 0) font.setPointSizeF(pointSize / 10.0);
  return FromQFont(font);
}

BOOL CFont::FromQFont(const QFont& font) {
  m_font = font;
  MarkCreated();
  return TRUE;
}

BOOL CFont::FromWidget(const QWidget* widget) {
  return FromQFont(widget != nullptr ? widget->font() : QApplication::font());
}

int CFont::GetLogFont(LOGFONT* logFont) const {
  if (logFont == nullptr || !IsCreated()) return 0;
  *logFont = LOGFONT{};
  // Qt resolves point sizes to pixels for the screen; that pixel size is the character
  // height a matching font is made with again.
  const int pixels = QFontInfo(m_font).pixelSize();
  logFont->lfHeight = -std::max(1, pixels);
  logFont->lfWeight = static_cast<LONG>(m_font.weight());
  logFont->lfItalic = m_font.italic() ? 1 : 0;
  logFont->lfUnderline = m_font.underline() ? 1 : 0;
  logFont->lfStrikeOut = m_font.strikeOut() ? 1 : 0;
  logFont->lfCharSet = DEFAULT_CHARSET;
  logFont->lfPitchAndFamily = m_font.fixedPitch() ? FIXED_PITCH : DEFAULT_PITCH;
  const std::string family = m_font.family().toStdString();
  std::strncpy(logFont->lfFaceName, family.c_str(), LF_FACESIZE - 1);
  return static_cast<int>(sizeof(LOGFONT));
}

CFont* CFont::GetDefaultGuiFont() {
  static auto* font = new CFont(QApplication::font());
  return font;
}

CFont* CFont::GetSystemFont() {
  static auto* font = new CFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  return font;
}

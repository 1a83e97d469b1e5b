#pragma once

#include <QFontMetrics>
#include <QString>
#include <vector>

#include "framework/messages/WinTypes.h"

// Line breaking for DrawText, apart from any painter so that measuring (DT_CALCRECT)
// and drawing give the same lines.

struct TextSegment {
  QString text;
  int x = 0;  // offset from the line's left edge (tabs start new segments)
};

struct TextLine {
  std::vector<TextSegment> segments;
  int width = 0;
  // The mnemonic character's place in this line, for its underline; width 0 when none.
  int underlineX = 0;
  int underlineWidth = 0;
};

struct TextLayout {
  std::vector<TextLine> lines;
  int lineHeight = 0;

  int Height() const { return lineHeight * static_cast<int>(lines.size()); }
  int MaxWidth() const;
};

// Lays `text` out for the DrawText `format` in a rectangle `maxWidth` wide:
// - DT_SINGLELINE: one line, line ends dropped; otherwise "\n" (and "\r\n") break lines;
// - DT_WORDBREAK: breaks between words where a line would pass maxWidth; a single word
//   wider than that stays whole (DT_EDITCONTROL breaks it between characters);
// - DT_EXPANDTABS: tabs jump to stops every 8 average character widths, else they count
//   as nothing;
// - without DT_NOPREFIX, "&x" underlines x (DT_HIDEPREFIX: hides it) and "&&" is "&";
// - DT_END_ELLIPSIS (also DT_WORD_ELLIPSIS, DT_PATH_ELLIPSIS): a line wider than maxWidth
//   ends in "..." within it.
TextLayout LayoutText(const QString& text, const QFontMetrics& metrics, int maxWidth, UINT format);

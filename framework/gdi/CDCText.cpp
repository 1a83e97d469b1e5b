// Text output of CDC.
#include <QFontMetrics>

#include "framework/gdi/CDC.h"
#include "framework/gdi/TextLayout.h"

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int CDC::DrawText(const std::string& text, RECT* rect, UINT format) {
  if (rect == nullptr) return 0;
  const QFontMetrics metrics = m_painter != nullptr
                                   ? QFontMetrics(m_state.fontValue, m_painter->device())
                                   : QFontMetrics(m_state.fontValue);
  const CRect box(*rect);
  const TextLayout layout = LayoutText(FromUtf8(text), metrics, box.Width(), format);
  const bool single = (format & DT_SINGLELINE) != 0;
  const int lineHeight = layout.lineHeight;
  const int height = layout.Height();
  if ((format & DT_CALCRECT) != 0) {
    rect->right = rect->left + layout.MaxWidth();
    rect->bottom = rect->top + height;
    return height;
  }
  int y = box.top;
  if (single && (format & DT_VCENTER) != 0) {
    y += (box.Height() - lineHeight) / 2;
  } else if (single && (format & DT_BOTTOM) != 0) {
    y = box.bottom - lineHeight;
  }
  const int result =
      (single && (format & (DT_VCENTER | DT_BOTTOM)) != 0) ? y - box.top + height : height;
  if (m_painter == nullptr) return result;

  m_painter->save();
  if ((format & DT_NOCLIP) == 0) {
    m_painter->setClipRect(QRect(box.left, box.top, box.Width(), box.Height()),
                           m_painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  m_painter->setFont(m_state.fontValue);
  m_painter->setPen(ToQColor(m_state.textColour));
  for (const TextLine& line : layout.lines) {
    int x = box.left;
    if ((format & DT_CENTER) != 0) {
      x += (box.Width() - line.width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      x = box.right - line.width;
    }
    if (m_state.bkMode == OPAQUE) Fill(QRect(x, y, line.width, lineHeight), m_state.bkColour);
    for (const TextSegment& segment : line.segments) {
      m_painter->drawText(QPoint(x + segment.x, y + metrics.ascent()), segment.text);
    }
    if (line.underlineWidth > 0) {
      Fill(QRect(x + line.underlineX, y + metrics.ascent() + 1, line.underlineWidth, 1),
           m_state.textColour);
    }
    y += lineHeight;
  }
  m_painter->restore();
  return result;
}

BOOL CDC::TextOut(int x, int y, const std::string& text) {
  if (m_painter == nullptr) return FALSE;
  const QString string = FromUtf8(text);
  const QFontMetrics metrics(m_state.fontValue, m_painter->device());
  if (m_state.bkMode == OPAQUE) {
    Fill(QRect(x, y, metrics.horizontalAdvance(string), metrics.height()), m_state.bkColour);
  }
  m_painter->save();
  m_painter->setFont(m_state.fontValue);
  m_painter->setPen(ToQColor(m_state.textColour));
  m_painter->drawText(QPoint(x, y + metrics.ascent()), string);
  m_painter->restore();
  return TRUE;
}

CSize CDC::GetTextExtent(const std::string& text) const {
  if (text.empty()) return {};  // no text takes no room, not even a line's height
  const QFontMetrics metrics = m_painter != nullptr
                                   ? QFontMetrics(m_state.fontValue, m_painter->device())
                                   : QFontMetrics(m_state.fontValue);
  return {metrics.horizontalAdvance(FromUtf8(text)), metrics.height()};
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const {
  if (tm == nullptr) return FALSE;
  const QFontMetrics metrics = m_painter != nullptr
                                   ? QFontMetrics(m_state.fontValue, m_painter->device())
                                   : QFontMetrics(m_state.fontValue);
  tm->tmHeight = metrics.height();
  tm->tmAscent = metrics.ascent();
  tm->tmDescent = metrics.descent();
  tm->tmInternalLeading = 0;
  tm->tmExternalLeading = std::max(0, metrics.leading());
  tm->tmAveCharWidth = metrics.averageCharWidth();
  tm->tmMaxCharWidth = metrics.maxWidth();
  tm->tmWeight = static_cast<LONG>(m_state.fontValue.weight());
  return TRUE;
}

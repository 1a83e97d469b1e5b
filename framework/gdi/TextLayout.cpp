#include "framework/gdi/TextLayout.h"

#include <algorithm>

#include "framework/gdi/GdiConstants.h"

int TextLayout::MaxWidth() const {
  int widest = 0;
  for (const TextLine& line : lines) widest = std::max(widest, line.width);
  return widest;
}

namespace {

constexpr UINT kAnyEllipsis = DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;

// The text without mnemonic markers and the index of the marked character (-1: none).
QString StripPrefixes(const QString& text, int& mnemonic) {
  QString out;
  out.reserve(text.size());
  mnemonic = -1;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&' && mnemonic < 0) mnemonic = static_cast<int>(out.size());
    } else if (text[i] == u'&') {
      continue;  // a marker at the very end marks nothing
    }
    out.append(text[i]);
  }
  return out;
}

// Builds lines from one paragraph; `base` is the paragraph's index in the whole text,
// so that the mnemonic can be found again.
class LineBuilder {
 public:
  LineBuilder(const QFontMetrics& metrics, int maxWidth, UINT format, int mnemonic)
      : m_metrics(metrics),
        m_maxWidth(maxWidth),
        m_format(format),
        m_mnemonic(mnemonic),
        m_tabStop(std::max(1, 8 * metrics.averageCharWidth())) {}

  void AddParagraph(const QString& text, int base, std::vector<TextLine>& out) {
    m_out = &out;
    m_text = text;
    m_base = base;
    m_lineStart = 0;
    const bool wrap = (m_format & DT_WORDBREAK) != 0 && (m_format & DT_SINGLELINE) == 0;
    m_trim = wrap;
    if (!wrap) {
      Emit(0, static_cast<int>(text.size()));
      return;
    }
    int pos = 0;
    const int size = static_cast<int>(text.size());
    while (pos < size) {
      // The next word with the blanks in front of it.
      int wordStart = pos;
      while (wordStart < size && IsBlank(text[wordStart])) ++wordStart;
      int wordEnd = wordStart;
      while (wordEnd < size && !IsBlank(text[wordEnd])) ++wordEnd;
      if (wordEnd > wordStart && m_lineStart < wordStart && pos > m_lineStart &&
          Width(m_lineStart, wordEnd) > m_maxWidth) {
        Emit(m_lineStart, pos);
        m_lineStart = wordStart;  // the blanks at a break belong to no line
      }
      if ((m_format & DT_EDITCONTROL) != 0) BreakLongWord(wordStart, wordEnd);
      pos = wordEnd;
    }
    Emit(m_lineStart, size);
  }

 private:
  static bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

  // Width of text[from, to) laid out from a line start, tabs included.
  int Width(int from, int to) const {
    int x = 0;
    int run = from;
    for (int i = from; i < to; ++i) {
      if (m_text[i] != u'\t') continue;
      x += Advance(run, i);
      x = TabAfter(x);
      run = i + 1;
    }
    return x + Advance(run, to);
  }

  int Advance(int from, int to) const {
    return to > from ? m_metrics.horizontalAdvance(m_text.mid(from, to - from)) : 0;
  }

  int TabAfter(int x) const {
    return (m_format & DT_EXPANDTABS) != 0 ? (x / m_tabStop + 1) * m_tabStop : x;
  }

  // Splits off whole lines from a word that is wider than the line on its own.
  void BreakLongWord(int wordStart, int wordEnd) {
    if (m_lineStart != wordStart) return;
    int end = wordStart + 1;
    while (end < wordEnd) {
      if (Width(m_lineStart, end + 1) > m_maxWidth) {
        Emit(m_lineStart, end);
        m_lineStart = end;
      }
      ++end;
    }
  }

  void Emit(int from, int to) {
    // Blanks where a line was broken take no room.
    while (m_trim && to > from && IsBlank(m_text[to - 1])) --to;
    TextLine line;
    int x = 0;
    int run = from;
    auto close = [&](int end) {
      if (end > run) line.segments.push_back({m_text.mid(run, end - run), x});
      Underline(line, run, end, x);
      x += Advance(run, end);
    };
    for (int i = from; i < to; ++i) {
      if (m_text[i] != u'\t') continue;
      close(i);
      x = TabAfter(x);
      run = i + 1;
    }
    close(to);
    line.width = x;
    if ((m_format & kAnyEllipsis) != 0 && line.width > m_maxWidth) Elide(line);
    m_out->push_back(std::move(line));
  }

  void Underline(TextLine& line, int from, int to, int x) const {
    const int local = m_mnemonic - m_base;
    if (local < from || local >= to) return;
    line.underlineX = x + Advance(from, local);
    line.underlineWidth = m_metrics.horizontalAdvance(m_text[local]);
  }

  // Cuts the segment that crosses the right edge so that it ends in "..." inside it.
  void Elide(TextLine& line) const {
    static const QString kDots = QStringLiteral("...");
    const int dots = m_metrics.horizontalAdvance(kDots);
    for (std::size_t i = 0; i < line.segments.size(); ++i) {
      TextSegment& segment = line.segments[i];
      const int room = m_maxWidth - segment.x;
      if (segment.x + m_metrics.horizontalAdvance(segment.text) <= m_maxWidth) continue;
      QString kept = segment.text;
      while (!kept.isEmpty() && m_metrics.horizontalAdvance(kept) + dots > room) kept.chop(1);
      segment.text = kept + kDots;
      line.segments.resize(i + 1);
      line.width = segment.x + m_metrics.horizontalAdvance(segment.text);
      if (line.underlineX + line.underlineWidth > segment.x + m_metrics.horizontalAdvance(kept)) {
        line.underlineWidth = 0;
      }
      return;
    }
  }

  const QFontMetrics& m_metrics;
  int m_maxWidth;
  UINT m_format;
  int m_mnemonic;
  int m_tabStop;
  std::vector<TextLine>* m_out = nullptr;
  QString m_text;
  int m_base = 0;
  int m_lineStart = 0;
  bool m_trim = false;
};

}  // namespace

TextLayout LayoutText(const QString& text, const QFontMetrics& metrics, int maxWidth, UINT format) {
  TextLayout layout;
  layout.lineHeight =
      metrics.height() + ((format & DT_EXTERNALLEADING) != 0 ? std::max(0, metrics.leading()) : 0);
  int mnemonic = -1;
  QString plain = (format & DT_NOPREFIX) != 0 ? text : StripPrefixes(text, mnemonic);
  if ((format & DT_HIDEPREFIX) != 0) mnemonic = -1;
  if (plain.isEmpty()) return layout;
  LineBuilder builder(metrics, maxWidth, format, mnemonic);
  if ((format & DT_SINGLELINE) != 0) {
    // Line ends take no place on a single line.
    QString flat;
    flat.reserve(plain.size());
    int shifted = mnemonic;
    for (qsizetype i = 0; i < plain.size(); ++i) {
      if (plain[i] == u'\r' || plain[i] == u'\n') {
        if (i < mnemonic) --shifted;
        continue;
      }
      flat.append(plain[i]);
    }
    LineBuilder(metrics, maxWidth, format, shifted).AddParagraph(flat, 0, layout.lines);
    return layout;
  }
  int start = 0;
  while (start <= plain.size()) {
    qsizetype end = plain.indexOf(u'\n', start);
    if (end < 0) end = plain.size();
    int cut = static_cast<int>(end);
    if (cut > start && plain[cut - 1] == u'\r') --cut;
    builder.AddParagraph(plain.mid(start, cut - start), start, layout.lines);
    if (end == plain.size()) break;
    start = static_cast<int>(end) + 1;
  }
  return layout;
}

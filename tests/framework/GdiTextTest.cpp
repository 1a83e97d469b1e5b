#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>

#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/gdi/TextLayout.h"

namespace {

// The box around every pixel that is not the background colour; empty when none.
CRect InkBox(const QImage& image, COLORREF background = RGB(255, 255, 255)) {
  CRect box(image.width(), image.height(), 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (AfxImagePixel(image, x, y) == background) continue;
      box = CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                  std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
    }
  }
  return box;
}

QFontMetrics Metrics() { return QFontMetrics(QApplication::font()); }

TEST(GdiTextLayout, LineEndsWordBreaksAndTabs) {
  const QFontMetrics m = Metrics();
  const int word = m.horizontalAdvance("word");
  struct Case {
    const char* text;
    int width;
    UINT format;
    std::size_t lines;
  };
  const Case cases[] = {
      {"one\ntwo\r\nthree", 1000, DT_LEFT, 3},
      {"a\n\nb", 1000, DT_LEFT, 3},  // an empty line counts
      {"word word word word", word * 2 + m.horizontalAdvance(" ") + 2, DT_WORDBREAK, 2},
      {"word word word word", word + 2, DT_WORDBREAK, 4},
      {"wordwordword", word, DT_WORDBREAK, 1},  // a long word stays whole
      {"wordwordword", word, DT_WORDBREAK | DT_EDITCONTROL, 3},
      {"", 100, DT_WORDBREAK, 0},
  };
  for (const Case& c : cases) {
    const TextLayout layout = LayoutText(QString::fromUtf8(c.text), m, c.width, c.format);
    EXPECT_EQ(layout.lines.size(), c.lines) << c.text << " in " << c.width;
    EXPECT_EQ(layout.Height(), static_cast<int>(c.lines) * m.height());
  }
  const TextLayout wrapped = LayoutText("word word", m, word + 2, DT_WORDBREAK);
  ASSERT_EQ(wrapped.lines.size(), 2u);
  EXPECT_EQ(wrapped.lines[1].segments.at(0).text, "word");  // the blank went with the break
  EXPECT_EQ(wrapped.lines[0].width, word);
}

TEST(GdiTextLayout, TabsAndPrefixes) {
  const QFontMetrics m = Metrics();
  const int stop = 8 * m.averageCharWidth();
  const TextLayout tabbed = LayoutText("a\tb", m, 1000, DT_EXPANDTABS);
  ASSERT_EQ(tabbed.lines.at(0).segments.size(), 2u);
  EXPECT_EQ(tabbed.lines[0].segments[1].x, stop);
  EXPECT_EQ(tabbed.lines[0].width, stop + m.horizontalAdvance("b"));
  EXPECT_LT(LayoutText("a\tb", m, 1000, 0).lines.at(0).width, stop);

  const TextLayout prefixed = LayoutText("&Save && go", m, 1000, 0);
  EXPECT_EQ(prefixed.lines.at(0).segments.at(0).text, "Save & go");
  EXPECT_EQ(prefixed.lines[0].underlineX, 0);
  EXPECT_EQ(prefixed.lines[0].underlineWidth, m.horizontalAdvance("S"));
  EXPECT_EQ(LayoutText("&Save", m, 1000, DT_NOPREFIX).lines.at(0).segments.at(0).text, "&Save");
}

TEST(GdiText, CalcRectGrowsWithWordWrapAndBoundsTheText) {
  AfxPaintToImage(10, 10, [](CDC& dc) {
    const std::string text = "The quick brown fox jumps over the lazy dog";
    const CSize extent = dc.GetTextExtent(text);
    CRect wide(5, 5, 5 + extent.cx + 50, 6);
    EXPECT_EQ(dc.DrawText(text, &wide, DT_CALCRECT | DT_WORDBREAK), extent.cy);
    EXPECT_EQ(wide, CRect(5, 5, 5 + extent.cx, 5 + extent.cy));

    CRect narrow(0, 0, extent.cx / 3, 0);
    const int height = dc.DrawText(text, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * extent.cy);
    EXPECT_EQ(height % extent.cy, 0);
    EXPECT_EQ(narrow.Height(), height);
    EXPECT_LE(narrow.Width(), extent.cx / 3);

    CRect single(0, 0, extent.cx / 3, 0);
    EXPECT_EQ(dc.DrawText(text, &single, DT_CALCRECT | DT_SINGLELINE), extent.cy);
    EXPECT_EQ(single.Width(), extent.cx);  // a single line is not cut to the width
  });
}

TEST(GdiText, BottomAndClippingAndOpaqueBackground) {
  const QImage bottom = AfxPaintToImage(100, 60, [](CDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    CRect rect(0, 0, 100, 60);
    EXPECT_EQ(dc.DrawText("Xg", &rect, DT_BOTTOM | DT_SINGLELINE), 60);
  });
  EXPECT_GT(InkBox(bottom).top, 30);

  const QImage clipped = AfxPaintToImage(100, 40, [](CDC& dc) {
    CRect rect(0, 0, 6, 40);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.DrawText("MMMMMMMM", &rect, DT_LEFT);
  });
  EXPECT_LE(InkBox(clipped).right, 6);
  EXPECT_EQ(AfxImagePixel(clipped, 1, 1), RGB(0, 0, 255));  // opaque: filled behind

  const QImage transparent = AfxPaintToImage(100, 40, [](CDC& dc) {
    CRect rect(0, 0, 100, 40);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.DrawText("M", &rect, DT_LEFT);
  });
  bool sawRed = false;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) {
      const COLORREF c = AfxImagePixel(transparent, x, y);
      EXPECT_NE(c, RGB(0, 0, 255));
      sawRed = sawRed || c == RGB(255, 0, 0);
    }
  }
  EXPECT_TRUE(sawRed);
}

TEST(GdiText, FontsDescribeThemselvesAndAreMadeAgainFromTheDescription) {
  CFont original;
  ASSERT_TRUE(original.CreatePointFont(140, "MS Shell Dlg"));
  LOGFONT lf;
  ASSERT_GT(original.GetLogFont(&lf), 0);
  EXPECT_LT(lf.lfHeight, 0);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  CFont copy;
  ASSERT_TRUE(copy.CreateFontIndirect(&lf));
  EXPECT_EQ(QFontInfo(copy.GetQFont()).pixelSize(), QFontInfo(original.GetQFont()).pixelSize());
  EXPECT_EQ(copy.GetQFont().family(), original.GetQFont().family());
  EXPECT_FALSE(CFont().GetLogFont(&lf));
  EXPECT_FALSE(CFont().CreateFontIndirect(nullptr));
}

}  // namespace

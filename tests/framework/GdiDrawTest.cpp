#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/gdi/SystemMetrics.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kHighlight = RGB(255, 255, 250);  // COLOR_BTNHIGHLIGHT
constexpr COLORREF kLight = RGB(224, 224, 224);      // COLOR_3DLIGHT
constexpr COLORREF kShadow = RGB(128, 128, 128);     // COLOR_BTNSHADOW
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);    // COLOR_3DDKSHADOW

// Known, pairwise different system colours, so that each edge colour can be told apart.
class GdiDraw : public testing::Test {
 protected:
  void SetUp() override {
    m_saved = QApplication::palette();
    QPalette palette = m_saved;
    palette.setColor(QPalette::All, QPalette::Button, ToQColor(kFace));
    palette.setColor(QPalette::All, QPalette::Light, ToQColor(kHighlight));
    palette.setColor(QPalette::All, QPalette::Midlight, ToQColor(kLight));
    palette.setColor(QPalette::All, QPalette::Dark, ToQColor(kShadow));
    palette.setColor(QPalette::All, QPalette::Shadow, ToQColor(kDarkShadow));
    QApplication::setPalette(palette);
  }
  void TearDown() override { QApplication::setPalette(m_saved); }

  static COLORREF At(const QImage& image, int x, int y) { return AfxImagePixel(image, x, y); }

 private:
  QPalette m_saved;
};

// Fills cover left and top and stop before right and bottom; a null brush fills nothing.
TEST_F(GdiDraw, FillsAndFrames) {
  CBrush blue(RGB(0, 0, 255));
  CBrush none;
  none.CreateNullBrush();
  const QImage image = AfxPaintToImage(12, 12, [&](CDC& dc) {
    dc.FillSolidRect(CRect(2, 3, 6, 7), RGB(0x12, 0x34, 0x56));
    const CRect filled(0, 0, 2, 2);
    dc.FillRect(&filled, &blue);
    const CRect skipped(6, 0, 10, 4);
    dc.FillRect(&skipped, &none);
    const CRect frame(2, 8, 8, 12);
    dc.FrameRect(&frame, &blue);
  });
  EXPECT_EQ(image.pixel(2, 3), qRgb(0x12, 0x34, 0x56));  // red really lands in red
  EXPECT_EQ(At(image, 5, 6), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(At(image, 6, 6), kWhite);
  EXPECT_EQ(At(image, 5, 7), kWhite);
  EXPECT_EQ(At(image, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(At(image, 7, 2), kWhite);
  EXPECT_EQ(At(image, 2, 8), RGB(0, 0, 255));
  EXPECT_EQ(At(image, 4, 11), RGB(0, 0, 255));
  EXPECT_EQ(At(image, 7, 9), RGB(0, 0, 255));
  EXPECT_EQ(At(image, 4, 10), kWhite);  // a frame only
}

TEST_F(GdiDraw, Draw3dRectColoursEachSide) {
  const COLORREF tl = RGB(255, 0, 0);
  const COLORREF br = RGB(0, 0, 255);
  const QImage image =
      AfxPaintToImage(12, 12, [&](CDC& dc) { dc.Draw3dRect(CRect(1, 1, 11, 11), tl, br); });
  struct Case {
    int x, y;
    COLORREF expected;
  };
  const Case cases[] = {{1, 1, tl},  {9, 1, tl},     {10, 1, br},  // top; its last pixel is br
                        {1, 9, tl},  {1, 10, br},    {10, 5, br},  // left, right
                        {5, 10, br}, {5, 5, kWhite}, {11, 11, kWhite}};
  for (const Case& c : cases) {
    EXPECT_EQ(At(image, c.x, c.y), c.expected) << c.x << "," << c.y;
  }
}

TEST_F(GdiDraw, DrawEdgeRaisedSunkenEtchedAndBump) {
  struct Case {
    UINT edge;
    COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  const Case cases[] = {
      {EDGE_RAISED, kLight, kDarkShadow, kHighlight, kShadow},
      {EDGE_SUNKEN, kShadow, kHighlight, kDarkShadow, kLight},
      {EDGE_ETCHED, kShadow, kHighlight, kHighlight, kShadow},
      {EDGE_BUMP, kLight, kDarkShadow, kDarkShadow, kLight},
  };
  for (const Case& c : cases) {
    CRect inside(0, 0, 10, 10);
    const QImage image = AfxPaintToImage(
        10, 10, [&](CDC& dc) { dc.DrawEdge(&inside, c.edge, BF_RECT | BF_ADJUST | BF_MIDDLE); });
    SCOPED_TRACE(c.edge);
    EXPECT_EQ(At(image, 4, 0), c.outerTopLeft);
    EXPECT_EQ(At(image, 0, 4), c.outerTopLeft);
    EXPECT_EQ(At(image, 9, 4), c.outerBottomRight);
    EXPECT_EQ(At(image, 4, 9), c.outerBottomRight);
    EXPECT_EQ(At(image, 4, 1), c.innerTopLeft);
    EXPECT_EQ(At(image, 8, 4), c.innerBottomRight);
    EXPECT_EQ(At(image, 4, 4), kFace);
    EXPECT_EQ(inside, CRect(2, 2, 8, 8));
  }
}

TEST_F(GdiDraw, PushButtonFrameRaisedOrPushed) {
  auto paint = [](UINT state) {
    return AfxPaintToImage(10, 10, [&](CDC& dc) {
      CRect rect(0, 0, 10, 10);
      EXPECT_TRUE(dc.DrawFrameControl(&rect, DFC_BUTTON, state));
    });
  };
  EXPECT_EQ(At(paint(DFCS_BUTTONPUSH), 9, 5), kDarkShadow);
  EXPECT_EQ(At(paint(DFCS_BUTTONPUSH), 5, 5), kFace);
  EXPECT_NE(At(paint(DFCS_BUTTONPUSH | DFCS_PUSHED), 9, 5), kDarkShadow);
}

TEST_F(GdiDraw, FocusRectIsDottedAndASecondOneRemovesIt) {
  const CRect rect(2, 2, 10, 8);
  QImage once = AfxPaintToImage(12, 10, [&](CDC& dc) { dc.DrawFocusRect(&rect); });
  for (int x = rect.left; x < rect.right; ++x) {
    EXPECT_EQ(At(once, x, rect.top), (x - rect.left) % 2 == 0 ? RGB(0, 0, 0) : kWhite) << x;
  }
  EXPECT_EQ(At(once, rect.left, rect.top + 2), RGB(0, 0, 0));
  EXPECT_EQ(At(once, 5, 5), kWhite);  // the inside stays
  EXPECT_EQ(qAlpha(once.pixel(rect.left, rect.top)), 255);

  const QImage twice = AfxPaintToImage(12, 10, [&](CDC& dc) {
    dc.DrawFocusRect(&rect);
    dc.DrawFocusRect(&rect);
  });
  EXPECT_EQ(twice, AfxPaintToImage(12, 10, [](CDC&) {}));
}

// An object destroyed while selected still draws.
TEST_F(GdiDraw, SelectObjectHandsBackThePreviousObject) {
  const QImage image = AfxPaintToImage(4, 4, [](CDC& dc) {
    CPen first(PS_SOLID, 1, RGB(1, 1, 1));
    CPen second(PS_DOT, 1, RGB(2, 2, 2));
    CPen* original = dc.SelectObject(&first);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(dc.SelectObject(&second), &first);
    EXPECT_EQ(dc.SelectObject(original), &second);
    CPen unmade;  // never created: nothing changes
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);
    EXPECT_EQ(dc.GetCurrentPen(), original);
    {
      CBrush temporary(RGB(9, 8, 7));
      dc.SelectObject(&temporary);
    }
    dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(0, 0, 4, 4);
  });
  EXPECT_EQ(At(image, 0, 0), RGB(9, 8, 7));
  EXPECT_EQ(At(image, 2, 2), RGB(9, 8, 7));
  EXPECT_EQ(At(image, 3, 3), kWhite);  // without a pen the fill stops short
}

TEST_F(GdiDraw, BorrowedPainterKeepsItsClipAndGetsItsStateBack) {
  QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setClipRect(QRect(0, 0, 5, 10));
  painter.setPen(Qt::green);
  {
    CDC dc(&painter);
    ASSERT_TRUE(dc.IsAttached());
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 5, 10));
    dc.IntersectClipRect(0, 5, 10, 10);
    dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
  }
  EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
  EXPECT_EQ(painter.clipBoundingRect().toRect(), QRect(0, 0, 5, 10));
  painter.end();
  EXPECT_EQ(At(image, 2, 7), RGB(255, 0, 0));
  EXPECT_EQ(At(image, 2, 2), kWhite);
  EXPECT_EQ(At(image, 7, 7), kWhite);
}

TEST_F(GdiDraw, UnattachedContextDrawsNothingAndSaysSo) {
  CDC dc;
  EXPECT_FALSE(dc.IsAttached());
  dc.FillSolidRect(CRect(0, 0, 5, 5), RGB(0, 0, 0));
  EXPECT_FALSE(dc.LineTo(3, 3));
  CRect box;
  EXPECT_EQ(dc.GetClipBox(&box), RGN_ERROR);
  EXPECT_TRUE(AfxPaintToImage(0, 5, [](CDC&) {}).isNull());
}

}  // namespace

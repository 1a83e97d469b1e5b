#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>

#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/gdi/SystemMetrics.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF At(const QImage& image, int x, int y) { return AfxImagePixel(image, x, y); }

// The box around every pixel that is not white; empty when none.
CRect InkBox(const QImage& image) {
  CRect box(image.width(), image.height(), 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (At(image, x, y) == kWhite) continue;
      box = CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                  std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
    }
  }
  return box;
}

TEST(GdiDraw, Draw3dRectColoursEachSide) {
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
  for (const Case& c : cases) EXPECT_EQ(At(image, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(GdiDraw, PushButtonFrameRaisedOrPushed) {
  auto paint = [](UINT state) {
    return AfxPaintToImage(10, 10, [&](CDC& dc) {
      CRect rect(0, 0, 10, 10);
      EXPECT_TRUE(dc.DrawFrameControl(&rect, DFC_BUTTON, state));
    });
  };
  const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(At(paint(DFCS_BUTTONPUSH), 9, 5), darkShadow);
  EXPECT_EQ(At(paint(DFCS_BUTTONPUSH), 5, 5), GetSysColor(COLOR_3DFACE));
  EXPECT_NE(At(paint(DFCS_BUTTONPUSH | DFCS_PUSHED), 9, 5), darkShadow);
}

TEST(GdiDraw, BorrowedPainterKeepsItsClipAndGetsItsStateBack) {
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
  EXPECT_EQ(At(clipped, 1, 1), RGB(0, 0, 255));  // opaque: filled behind

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
      EXPECT_NE(At(transparent, x, y), RGB(0, 0, 255));
      sawRed = sawRed || At(transparent, x, y) == RGB(255, 0, 0);
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

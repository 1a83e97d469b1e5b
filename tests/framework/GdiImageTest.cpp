#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <algorithm>

#include "framework/gdi/CDC.h"
#include "framework/gdi/OwnerDraw.h"
#include "framework/gdi/PaintToImage.h"

namespace {

// A 6 by 6 picture: magenta border (the transparent colour), red, green and a dark
// blue block inside.
QImage Picture() {
  QImage image(6, 6, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 5; ++x) {
      image.setPixelColor(
          x, y, y < 3 ? QColor(255, 0, 0) : (x < 3 ? QColor(0, 200, 0) : QColor(0, 0, 90)));
    }
  }
  return image;
}

int Saturation(QRgb pixel) {
  const int hi = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
  const int lo = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
  return hi - lo;
}

TEST(GdiImage, IconKeysOutMagentaAndDrawsWithTransparency) {
  const HICON icon = CreateIconFromImage(Picture());
  ASSERT_TRUE(icon);
  EXPECT_FALSE(HICON() != nullptr);
  EXPECT_EQ(icon.Size(), CSize(6, 6));
  EXPECT_EQ(qAlpha(icon.Image().pixel(0, 0)), 0);
  const QImage image = AfxPaintToImage(
      10, 10, [&](CDC& dc) { EXPECT_TRUE(dc.DrawIcon(2, 2, icon)); }, RGB(0, 0, 0));
  EXPECT_EQ(AfxImagePixel(image, 2, 2), RGB(0, 0, 0));  // transparent corner
  EXPECT_EQ(AfxImagePixel(image, 3, 3), RGB(255, 0, 0));
  EXPECT_EQ(AfxImagePixel(image, 3, 5), RGB(0, 200, 0));
  EXPECT_EQ(AfxImagePixel(image, 8, 8), RGB(0, 0, 0));
}

TEST(GdiImage, DisabledStateIsAGreyCopyWithTheSameShape) {
  const HICON icon = CreateIconFromImage(Picture());
  auto paint = [&](UINT flags) {
    return AfxPaintToImage(8, 8, [&](CDC& dc) {
      EXPECT_TRUE(dc.DrawState(CPoint(1, 1), CSize(0, 0), icon, DST_ICON | flags));
    });
  };
  const QImage normal = paint(DSS_NORMAL);
  const QImage greyed = paint(DSS_DISABLED);
  EXPECT_NE(normal, greyed);
  EXPECT_EQ(AfxImagePixel(normal, 2, 2), RGB(255, 0, 0));
  int maxSaturation = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x)
      maxSaturation = std::max(maxSaturation, Saturation(greyed.pixel(x, y)));
  }
  const int shadow = Saturation(ToQColor(GetSysColor(COLOR_BTNSHADOW)).rgb());
  const int highlight = Saturation(ToQColor(GetSysColor(COLOR_BTNHIGHLIGHT)).rgb());
  EXPECT_LE(maxSaturation, std::max(shadow, highlight) + 2);
  EXPECT_EQ(AfxImagePixel(greyed, 1, 1), RGB(255, 255, 255));  // transparent stays so
  EXPECT_NE(AfxImagePixel(greyed, 2, 2), RGB(255, 255, 255));  // the shape is kept
  // Dark parts come out darker than light ones.
  EXPECT_LT(qGray(greyed.pixel(4, 4)), qGray(greyed.pixel(3, 4)));
  EXPECT_EQ(AfxMakeDisabledImage(QImage()).isNull(), true);
}

}  // namespace

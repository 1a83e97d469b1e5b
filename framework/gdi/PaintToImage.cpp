#include "framework/gdi/PaintToImage.h"

QImage AfxPaintToImage(int width, int height, const std::function<void(CDC&)>& paint,
                       COLORREF background) {
  if (width <= 0 || height <= 0) return {};
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  image.fill(ToQColor(background));
  AfxPaintOnImage(image, paint);
  return image;
}

bool AfxPaintOnImage(QImage& image, const std::function<void(CDC&)>& paint) {
  if (image.isNull()) return false;
  CDC dc(&image);
  if (!dc.IsAttached()) return false;
  if (paint) paint(dc);
  return true;
}

COLORREF AfxImagePixel(const QImage& image, int x, int y) {
  if (!image.valid(x, y)) return CLR_INVALID;
  return FromQRgb(image.pixel(x, y));
}

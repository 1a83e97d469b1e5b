#include "framework/gdi/Icon.h"

#include "framework/gdi/Colors.h"
#include "framework/resources/ImageResources.h"

namespace {

const QImage& EmptyImage() {
  static const QImage empty;
  return empty;
}

// Brightness 0..255 of a colour, weighted as the eye sees it.
int Luma(QRgb pixel) {
  return (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000;
}

QRgb Mix(COLORREF dark, COLORREF light, int luma, int alpha) {
  auto channel = [luma](int d, int l) { return d + (l - d) * luma / 255; };
  return qRgba(channel(GetRValue(dark), GetRValue(light)),
               channel(GetGValue(dark), GetGValue(light)),
               channel(GetBValue(dark), GetBValue(light)), alpha);
}

}  // namespace

HICON::HICON(const QImage& image) {
  if (!image.isNull()) {
    m_image = std::make_shared<const QImage>(image.convertToFormat(QImage::Format_ARGB32));
  }
}

HICON::HICON(const QPixmap& pixmap) : HICON(pixmap.toImage()) {}

const QImage& HICON::Image() const { return m_image ? *m_image : EmptyImage(); }

CSize HICON::Size() const { return m_image ? CSize(m_image->width(), m_image->height()) : CSize(); }

HICON CreateIconFromImage(const QImage& image) {
  if (image.isNull()) return nullptr;
  return HICON(AfxMaskColour(image, RGB(0xFF, 0x00, 0xFF)));
}

HICON AfxLoadIcon(UINT id) { return CreateIconFromImage(AfxLoadImage(id, ImageKind::Icon)); }

QImage AfxMakeDisabledImage(const QImage& image) {
  if (image.isNull()) return {};
  const QImage source = image.convertToFormat(QImage::Format_ARGB32);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  QImage out(source.size(), QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  // The engraved trace first, so that the picture itself lies on top of it.
  for (int y = 0; y + 1 < source.height(); ++y) {
    for (int x = 0; x + 1 < source.width(); ++x) {
      const QRgb pixel = source.pixel(x, y);
      if (qAlpha(pixel) >= 128 && Luma(pixel) < 128)
        out.setPixel(x + 1, y + 1, Mix(highlight, highlight, 0, 255));
    }
  }
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const QRgb pixel = source.pixel(x, y);
      if (qAlpha(pixel) == 0) continue;
      out.setPixel(x, y, Mix(shadow, highlight, Luma(pixel), qAlpha(pixel)));
    }
  }
  return out;
}

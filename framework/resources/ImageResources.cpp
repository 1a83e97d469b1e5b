#include "framework/resources/ImageResources.h"

namespace {

QImage Decode(const ImageResource* resource) {
  QImage image;
  if (resource != nullptr && resource->data != nullptr && resource->size > 0) {
    image.loadFromData(resource->data, static_cast<int>(resource->size));
  }
  return image;
}

}  // namespace

QImage AfxLoadImage(UINT id, ImageKind kind) { return Decode(AfxFindImage(id, kind)); }

QImage AfxLoadImageIn(HINSTANCE instance, UINT id, ImageKind kind) {
  return Decode(FindImageIn(instance, id, kind));
}

QImage AfxMaskColour(const QImage& image, COLORREF key) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb wanted = qRgb(key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] & 0x00FFFFFF) == (wanted & 0x00FFFFFF)) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return out;
}

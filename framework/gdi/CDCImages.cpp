// Pictures and block copies of CDC.
#include "framework/gdi/CDC.h"

namespace {

// The picture's shape (its visible pixels) in one colour.
QImage Silhouette(const QImage& image, COLORREF colour) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb fill = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      line[x] =
          qAlpha(line[x]) == 0 ? qRgba(0, 0, 0, 0) : (fill & 0x00FFFFFF) | (line[x] & 0xFF000000);
    }
  }
  return out;
}

}  // namespace

BOOL CDC::DrawIcon(int x, int y, const HICON& icon) { return DrawIconEx(x, y, icon, 0, 0); }

BOOL CDC::DrawIconEx(int x, int y, const HICON& icon, int cx, int cy, UINT flags) {
  if (m_painter == nullptr || icon == nullptr) return FALSE;
  const QImage& image = icon.Image();
  const int width = cx > 0 ? cx : image.width();
  const int height = cy > 0 ? cy : image.height();
  if ((flags & DI_IMAGE) == 0 && (flags & DI_MASK) != 0) {
    // The mask alone: the shape in black.
    m_painter->drawImage(QRect(x, y, width, height), Silhouette(image, RGB(0, 0, 0)));
    return TRUE;
  }
  m_painter->drawImage(QRect(x, y, width, height), image);
  return TRUE;
}

BOOL CDC::DrawState(CPoint point, CSize size, const HICON& icon, UINT flags, CBrush* brush) {
  return icon != nullptr ? DrawState(point, size, icon.Image(), flags, brush) : FALSE;
}

BOOL CDC::DrawState(CPoint point, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush) {
  if (bitmap == nullptr || bitmap->GetImage() == nullptr) return FALSE;
  return DrawState(point, size, *bitmap->GetImage(), flags, brush);
}

BOOL CDC::DrawState(CPoint point, CSize size, const QImage& image, UINT flags, CBrush* brush) {
  if (m_painter == nullptr || image.isNull()) return FALSE;
  const int width = size.cx > 0 ? size.cx : image.width();
  const int height = size.cy > 0 ? size.cy : image.height();
  const QRect target(point.x, point.y, width, height);
  if ((flags & DSS_MONO) != 0) {
    const CBrush& paint = brush != nullptr ? *brush : m_state.brushValue;
    m_painter->drawImage(target, Silhouette(image, paint.GetColor()));
  } else if ((flags & DSS_DISABLED) != 0) {
    m_painter->drawImage(target, AfxMakeDisabledImage(image));
  } else {
    m_painter->drawImage(target, image);
  }
  return TRUE;
}

QImage CDC::SourceImage() const {
  if (m_bitmapImage) return *m_bitmapImage;
  if (m_painter != nullptr && m_painter->device() != nullptr &&
      m_painter->device()->devType() == QInternal::Image) {
    return *static_cast<const QImage*>(m_painter->device());
  }
  return {};
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
  if (m_painter == nullptr || width <= 0 || height <= 0) return FALSE;
  const QRect target(x, y, width, height);
  switch (rop) {
    case BLACKNESS:
      Fill(target, RGB(0, 0, 0));
      return TRUE;
    case WHITENESS:
      Fill(target, RGB(255, 255, 255));
      return TRUE;
    case DSTINVERT: {
      const CRect r(x, y, x + width, y + height);
      InvertRect(&r);
      return TRUE;
    }
    case SRCCOPY:
    case SRCINVERT:
      break;
    default:
      return FALSE;
  }
  if (source == nullptr) return FALSE;
  const QImage image = source->SourceImage();
  if (image.isNull()) return FALSE;
  m_painter->save();
  m_painter->setCompositionMode(rop == SRCCOPY ? QPainter::CompositionMode_Source
                                               : QPainter::RasterOp_SourceXorDestination);
  m_painter->drawImage(target, image, QRect(xSrc, ySrc, width, height));
  m_painter->restore();
  return TRUE;
}

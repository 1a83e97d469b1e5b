#include "framework/gdi/GdiObjects.h"

#include <array>

#include "framework/gdi/CFont.h"
#include "framework/resources/ImageResources.h"

BOOL CGdiObject::DeleteObject() {
  m_created = false;
  return TRUE;
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return FALSE;
  m_style = style;
  m_width = width < 1 ? 1 : width;
  m_colour = colour & 0x00FFFFFF;
  MarkCreated();
  return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
  m_style = BS_SOLID;
  m_colour = colour & 0x00FFFFFF;
  MarkCreated();
  return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int index) { return CreateSolidBrush(GetSysColor(index)); }

BOOL CBrush::CreateNullBrush() {
  m_style = BS_NULL;
  MarkCreated();
  return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT id) {
  const QImage image = AfxLoadImage(id, ImageKind::Bitmap);
  return image.isNull() ? FALSE : CreateFromImage(image);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
  if (width <= 0 || height <= 0) return FALSE;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return FALSE;
  image.fill(Qt::white);
  return CreateFromImage(image);
}

BOOL CBitmap::CreateFromImage(const QImage& image) {
  if (image.isNull()) return FALSE;
  m_image = std::make_shared<QImage>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  MarkCreated();
  return TRUE;
}

CSize CBitmap::GetBitmapDimension() const {
  return m_image ? CSize(m_image->width(), m_image->height()) : CSize();
}

namespace {

template <typename Make>
CGdiObject* Stock(Make make) {
  static auto* object = make();
  return object;
}

}  // namespace

CGdiObject* GetStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH:
      return Stock([] { return new CBrush(RGB(255, 255, 255)); });
    case LTGRAY_BRUSH:
      return Stock([] { return new CBrush(RGB(192, 192, 192)); });
    case GRAY_BRUSH:
      return Stock([] { return new CBrush(RGB(128, 128, 128)); });
    case DKGRAY_BRUSH:
      return Stock([] { return new CBrush(RGB(64, 64, 64)); });
    case BLACK_BRUSH:
      return Stock([] { return new CBrush(RGB(0, 0, 0)); });
    case NULL_BRUSH:
      return Stock([] {
        auto* brush = new CBrush;
        brush->CreateNullBrush();
        return brush;
      });
    case WHITE_PEN:
      return Stock([] { return new CPen(PS_SOLID, 1, RGB(255, 255, 255)); });
    case BLACK_PEN:
      return Stock([] { return new CPen(PS_SOLID, 1, RGB(0, 0, 0)); });
    case NULL_PEN:
      return Stock([] { return new CPen(PS_NULL, 1, RGB(0, 0, 0)); });
    case DEFAULT_GUI_FONT:
      return CFont::GetDefaultGuiFont();
    case SYSTEM_FONT:
      return CFont::GetSystemFont();
    default:
      return nullptr;
  }
}

CBrush* GetSysColorBrush(int index) {
  static std::array<CBrush, COLOR_MAX + 1> brushes;
  if (index < 0 || index > COLOR_MAX) return nullptr;
  // Refreshed at each call so that the brush follows palette changes.
  brushes[static_cast<std::size_t>(index)].CreateSolidBrush(GetSysColor(index));
  return &brushes[static_cast<std::size_t>(index)];
}

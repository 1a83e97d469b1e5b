#pragma once

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "framework/ControlFactory.h"
#include "framework/ModuleState.h"
#include "framework/Resources.h"
#include "framework/WinMessages.h"
#include "framework/gdi/Colors.h"
#include "framework/gdi/PaintToImage.h"

// Bitmap resources for the button tests: solid 16 by 16 squares whose corner pixel is
// magenta (the transparent colour), one colour per state, plus a wide strip and a
// bitmap without magenta.
namespace button_test {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kNormalColour = RGB(200, 0, 0);
constexpr COLORREF kHoverColour = RGB(0, 160, 0);
constexpr COLORREF kPressedColour = RGB(0, 0, 200);
constexpr COLORREF kDisabledColour = RGB(230, 200, 0);

constexpr UINT kNormalBitmap = 9001;
constexpr UINT kHoverBitmap = 9002;
constexpr UINT kPressedBitmap = 9003;
constexpr UINT kDisabledBitmap = 9004;
constexpr UINT kMissingBitmap = 9099;

inline QByteArray Png(COLORREF colour) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(ToQColor(colour));
  image.setPixelColor(0, 0, ToQColor(kMagenta));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// Registers the bitmaps under a handle of their own and puts that handle in force for
// the lifetime of the object.
class Bitmaps {
 public:
  Bitmaps() {
    const std::pair<UINT, COLORREF> images[] = {{kNormalBitmap, kNormalColour},
                                                {kHoverBitmap, kHoverColour},
                                                {kPressedBitmap, kPressedColour},
                                                {kDisabledBitmap, kDisabledColour}};
    for (const auto& [id, colour] : images) {
      m_bytes.push_back(Png(colour));
      m_table.images.push_back({id, ImageKind::Bitmap,
                                reinterpret_cast<const unsigned char*>(m_bytes.back().constData()),
                                static_cast<std::size_t>(m_bytes.back().size())});
    }
    m_registration = std::make_unique<ModuleResources>(Handle(), m_table);
    m_guard = std::make_unique<AfxResourceHandleGuard>(Handle());
  }

  static HINSTANCE Handle() {
    static char marker;
    return reinterpret_cast<HINSTANCE>(&marker);
  }

 private:
  std::vector<QByteArray> m_bytes;
  ResourceTable m_table;
  std::unique_ptr<ModuleResources> m_registration;
  std::unique_ptr<AfxResourceHandleGuard> m_guard;
};

// A push button made on `parent` as a dialog template makes it, in pixels.
inline void MakeTemplateButton(QWidget* parent, int id, const char* text, LONG style,
                               const RECT& rect) {
  DialogResource tmpl;
  DialogItem item;
  item.windowClass = "BUTTON";
  item.text = text;
  item.id = id;
  item.style = WS_CHILD | style;
  tmpl.items.push_back(item);
  AfxCreateDialogControls(parent, tmpl);
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->property("tm_id").toInt() == id) {
      child->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
  }
}

// What the widget shows now, painted through its own paint path.
inline QImage Picture(QWidget* widget) {
  QApplication::processEvents();
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels of `colour`; empty when there are none.
inline CRect Find(const QImage& image, COLORREF colour) {
  CRect box(image.width(), image.height(), 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (AfxImagePixel(image, x, y) != colour) continue;
      box = CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                  std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
    }
  }
  return box.IsRectEmpty() ? CRect() : box;
}

}  // namespace button_test

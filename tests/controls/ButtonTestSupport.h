#pragma once

#include <QBuffer>
#include <memory>

#include "ControlsTestSupport.h"
#include "framework/ModuleState.h"
#include "framework/WinMessages.h"

// Bitmap resources for the button tests: 16 by 16 squares of one colour per state whose
// top-left pixel is magenta, the transparent colour.
namespace button_test {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr UINT kNormal = 9001, kHover = 9002, kPressed = 9003, kDisabled = 9004;
constexpr COLORREF kColours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(230, 200, 0)};

// Registers the bitmaps under a handle of their own, in force while the object lives.
class Bitmaps {
 public:
  Bitmaps() {
    for (int i = 0; i < 4; ++i) {
      QImage image(16, 16, QImage::Format_RGB32);
      image.fill(ToQColor(kColours[i]));
      image.setPixelColor(0, 0, ToQColor(kMagenta));
      QBuffer buffer(&m_bytes[i]);
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "PNG");
      m_table.images.push_back({kNormal + i, ImageKind::Bitmap,
                                reinterpret_cast<const unsigned char*>(m_bytes[i].constData()),
                                static_cast<std::size_t>(m_bytes[i].size())});
    }
    m_registration = std::make_unique<ModuleResources>(Handle(), m_table);
    m_guard = std::make_unique<AfxResourceHandleGuard>(Handle());
  }
  static HINSTANCE Handle() {
    static char marker;
    return reinterpret_cast<HINSTANCE>(&marker);
  }

 private:
  QByteArray m_bytes[4];
  ResourceTable m_table;
  std::unique_ptr<ModuleResources> m_registration;
  std::unique_ptr<AfxResourceHandleGuard> m_guard;
};

// A button made on `parent` as a dialog template makes it, placed in pixels.
inline void MakeTemplateButton(CWnd& parent, int id, const char* text, LONG style,
                               const RECT& rect) {
  DialogResource tmpl;
  tmpl.items.push_back(DialogItem{"BUTTON", text, id, 0, 0, 0, 0, WS_CHILD | style, 0});
  AfxCreateDialogControls(parent.GetSafeHwnd(), tmpl);
  parent.GetDlgItem(id)->MoveWindow(rect);
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

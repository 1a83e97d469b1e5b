#pragma once

#include <QImage>
#include <QPixmap>
#include <cstddef>
#include <memory>

#include "framework/messages/WinTypes.h"

// An icon handle: a shared, read-only 32-bit ARGB picture whose transparent pixels have
// alpha 0. Copies share the picture; a default handle is null and compares equal to
// nullptr, so window code can keep writing `if (hIcon == nullptr)`.
class HICON {
 public:
  HICON() = default;
  HICON(std::nullptr_t) {}  // NOLINT(google-explicit-constructor): a null handle
  explicit HICON(const QImage& image);
  explicit HICON(const QPixmap& pixmap);

  explicit operator bool() const { return m_image != nullptr; }
  bool operator==(std::nullptr_t) const { return m_image == nullptr; }
  bool operator==(const HICON& other) const { return m_image == other.m_image; }

  // The picture; an empty image for a null handle.
  const QImage& Image() const;
  CSize Size() const;

 private:
  std::shared_ptr<const QImage> m_image;
};

// An icon from a picture; magenta (0xFF00FF) pixels are keyed out, as this program's
// pictures use it as their transparent colour.
HICON CreateIconFromImage(const QImage& image);
// Icon resource `id` under the current resource handle; null when missing.
HICON AfxLoadIcon(UINT id);
// Nothing to free: the picture goes with its last handle.
inline BOOL DestroyIcon(HICON) { return TRUE; }

// A disabled-looking copy of `image`: every visible pixel becomes a grey between the 3D
// shadow and highlight colours by its brightness, with its alpha kept, and dark pixels
// leave a highlight-coloured trace one pixel right and down, for an engraved look.
QImage AfxMakeDisabledImage(const QImage& image);

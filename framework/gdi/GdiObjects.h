#pragma once

#include <QImage>
#include <memory>

#include "framework/gdi/Colors.h"
#include "framework/gdi/GdiConstants.h"

// Pens, brushes and bitmaps as plain values. A device context copies the value it is
// given when the object is selected, so an object may be destroyed while selected
// without harm; the pointer is kept only to hand it back from the next selection.

class CGdiObject {
 public:
  enum class Kind { Pen, Brush, Font, Bitmap };
  explicit CGdiObject(Kind kind) : m_kind(kind) {}
  virtual ~CGdiObject() = default;
  CGdiObject(const CGdiObject&) = default;
  CGdiObject& operator=(const CGdiObject&) = default;

  Kind GetKind() const { return m_kind; }
  // Whether the object was created (a default-constructed object is empty).
  bool IsCreated() const { return m_created; }
  // Makes the object empty again; always succeeds, as there is nothing to release.
  BOOL DeleteObject();

 protected:
  void MarkCreated(bool created = true) { m_created = created; }

 private:
  Kind m_kind;
  bool m_created = false;
};

class CPen : public CGdiObject {
 public:
  CPen() : CGdiObject(Kind::Pen) {}
  CPen(int style, int width, COLORREF colour) : CPen() { CreatePen(style, width, colour); }
  BOOL CreatePen(int style, int width, COLORREF colour);

  int GetStyle() const { return m_style; }
  // Width 0 draws one pixel wide, like width 1.
  int GetWidth() const { return m_width; }
  COLORREF GetColor() const { return m_colour; }

 private:
  int m_style = PS_SOLID;
  int m_width = 1;
  COLORREF m_colour = RGB(0, 0, 0);
};

class CBrush : public CGdiObject {
 public:
  CBrush() : CGdiObject(Kind::Brush) {}
  explicit CBrush(COLORREF colour) : CBrush() { CreateSolidBrush(colour); }
  BOOL CreateSolidBrush(COLORREF colour);
  BOOL CreateSysColorBrush(int index);
  // A brush that paints nothing.
  BOOL CreateNullBrush();

  bool IsNull() const { return m_style == BS_NULL; }
  UINT GetStyle() const { return m_style; }
  COLORREF GetColor() const { return m_colour; }

 private:
  UINT m_style = BS_SOLID;
  COLORREF m_colour = RGB(255, 255, 255);
};

// A picture of its own pixels (32-bit ARGB), drawn into through a memory device context.
class CBitmap : public CGdiObject {
 public:
  CBitmap() : CGdiObject(Kind::Bitmap) {}
  // Bitmap resource `id` under the current resource handle.
  BOOL LoadBitmap(UINT id);
  // A bitmap of `width` by `height` pixels, white; the device argument is not needed here.
  BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
  BOOL CreateFromImage(const QImage& image);

  CSize GetBitmapDimension() const;
  // The pixels; null when not created. Drawing into the bitmap through a device context
  // changes this image.
  QImage* GetImage() const { return m_image.get(); }
  std::shared_ptr<QImage> SharedImage() const { return m_image; }

 private:
  std::shared_ptr<QImage> m_image;
};

using HPEN = CPen*;
using HBRUSH = CBrush*;
using HBITMAP = CBitmap*;
using HGDIOBJ = CGdiObject*;

// Process-lifetime stock objects; null for an unknown index.
CGdiObject* GetStockObject(int index);
// A brush of the current system colour `index`; the object lives as long as the process.
CBrush* GetSysColorBrush(int index);

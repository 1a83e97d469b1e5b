#include "framework/gdi/CDC.h"

#include <QApplication>
#include <QPaintDevice>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace {

QRect ToQRect(const RECT& r) {
  // Rectangles given the wrong way round still cover the same pixels.
  const int left = std::min(r.left, r.right);
  const int top = std::min(r.top, r.bottom);
  return {left, top, std::abs(r.right - r.left), std::abs(r.bottom - r.top)};
}

CPen* DefaultPen() { return static_cast<CPen*>(GetStockObject(BLACK_PEN)); }
CBrush* DefaultBrush() { return static_cast<CBrush*>(GetStockObject(WHITE_BRUSH)); }

// Dash patterns of the styled one-pixel pens: lengths of on and off runs.
std::vector<int> DashPattern(int style) {
  switch (style) {
    case PS_DASH:
      return {18, 6};
    case PS_DOT:
      return {3, 3};
    case PS_DASHDOT:
      return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

}  // namespace

CDC::CDC() { ResetState(); }

CDC::CDC(QPaintDevice* device) : CDC() {
  if (device == nullptr || device->paintingActive()) return;
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(device)) return;
  m_ownedPainter = std::move(painter);
  Begin(m_ownedPainter.get(), true);
}

CDC::CDC(QPainter* painter) : CDC() { Attach(painter); }

CDC::~CDC() { End(); }

BOOL CDC::Attach(QPainter* painter) {
  if (m_painter != nullptr || painter == nullptr || !painter->isActive()) return FALSE;
  Begin(painter, false);
  return TRUE;
}

QPainter* CDC::Detach() {
  QPainter* painter = m_ownedPainter ? nullptr : m_painter;
  End();
  return painter;
}

void CDC::Begin(QPainter* painter, bool owned) {
  m_painter = painter;
  if (!owned) {
    painter->save();
    if (painter->hasClipping()) m_baseClip = painter->clipRegion();
  }
  const QPaintDevice* device = painter->device();
  const auto* widget = device != nullptr && device->devType() == QInternal::Widget
                           ? static_cast<const QWidget*>(device)
                           : nullptr;
  m_defaultFont.FromWidget(widget);
  ResetState();
  painter->setRenderHint(QPainter::Antialiasing, false);
}

void CDC::End() {
  if (m_painter == nullptr) return;
  if (m_ownedPainter) {
    m_ownedPainter->end();
    m_ownedPainter.reset();
  } else {
    m_painter->restore();
  }
  m_painter = nullptr;
  m_baseClip.reset();
  m_saved.clear();
}

void CDC::ResetState() {
  m_state = State{};
  if (!m_defaultFont.IsCreated()) m_defaultFont.FromWidget(nullptr);
  m_state.font = &m_defaultFont;
  m_state.fontValue = m_defaultFont.GetQFont();
  m_state.pen = DefaultPen();
  m_state.penValue = *m_state.pen;
  m_state.brush = DefaultBrush();
  m_state.brushValue = *m_state.brush;
}

BOOL CDC::CreateCompatibleDC(CDC*) {
  if (m_painter != nullptr) return FALSE;
  m_memory = true;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  End();
  m_memory = false;
  m_bitmap = nullptr;
  m_bitmapImage.reset();
  return TRUE;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
  return std::exchange(m_state.textColour, colour & 0x00FFFFFF);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
  return std::exchange(m_state.bkColour, colour & 0x00FFFFFF);
}

int CDC::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(m_state.bkMode, mode);
}

CFont* CDC::SelectObject(CFont* font) {
  if (font == nullptr || !font->IsCreated()) return nullptr;
  m_state.fontValue = font->GetQFont();
  return std::exchange(m_state.font, font);
}

CPen* CDC::SelectObject(CPen* pen) {
  if (pen == nullptr || !pen->IsCreated()) return nullptr;
  m_state.penValue = *pen;
  return std::exchange(m_state.pen, pen);
}

CBrush* CDC::SelectObject(CBrush* brush) {
  if (brush == nullptr || !brush->IsCreated()) return nullptr;
  m_state.brushValue = *brush;
  return std::exchange(m_state.brush, brush);
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!m_memory) return nullptr;
  CBitmap* previous = m_bitmap;
  const State state = m_state;  // a bitmap change keeps colours, objects and clipping
  End();
  m_bitmap = nullptr;
  m_bitmapImage.reset();
  if (bitmap == nullptr || bitmap->GetImage() == nullptr) return previous;
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(bitmap->GetImage())) return previous;
  m_bitmap = bitmap;
  m_bitmapImage = bitmap->SharedImage();
  m_ownedPainter = std::move(painter);
  Begin(m_ownedPainter.get(), true);
  m_state = state;
  ApplyClip();
  return previous;
}

CGdiObject* CDC::SelectStockObject(int index) {
  CGdiObject* object = GetStockObject(index);
  if (object == nullptr) return nullptr;
  switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
      return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
      return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
      return SelectObject(static_cast<CFont*>(object));
    case CGdiObject::Kind::Bitmap:
      return nullptr;
  }
  return nullptr;
}

void CDC::Fill(const QRect& rect, COLORREF colour) {
  if (m_painter == nullptr || rect.isEmpty()) return;
  m_painter->fillRect(rect, ToQColor(colour));
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) { Fill(ToQRect(rect), colour); }

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
  FillSolidRect(CRect(x, y, x + cx, y + cy), colour);
}

void CDC::FillRect(const RECT* rect, CBrush* brush) {
  if (rect == nullptr || brush == nullptr || brush->IsNull()) return;
  Fill(ToQRect(*rect), brush->GetColor());
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) {
  if (rect == nullptr || brush == nullptr || brush->IsNull()) return;
  const QRect r = ToQRect(*rect);
  if (r.isEmpty()) return;
  const COLORREF c = brush->GetColor();
  Fill(QRect(r.left(), r.top(), r.width(), 1), c);
  Fill(QRect(r.left(), r.bottom(), r.width(), 1), c);
  Fill(QRect(r.left(), r.top(), 1, r.height()), c);
  Fill(QRect(r.right(), r.top(), 1, r.height()), c);
}

void CDC::InvertRect(const RECT* rect) {
  if (m_painter == nullptr || rect == nullptr) return;
  m_painter->save();
  m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
  m_painter->fillRect(ToQRect(*rect), Qt::black);
  m_painter->restore();
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
  const QRect r = ToQRect(rect);
  Draw3dRect(r.left(), r.top(), r.width(), r.height(), topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  if (cx <= 0 || cy <= 0) return;
  Fill(QRect(x, y, cx - 1, 1), topLeft);
  Fill(QRect(x, y, 1, cy - 1), topLeft);
  Fill(QRect(x + cx - 1, y, 1, cy), bottomRight);
  Fill(QRect(x, y + cy - 1, cx, 1), bottomRight);
}

void CDC::Ring(const CRect& rect, COLORREF topLeft, COLORREF bottomRight, UINT sides) {
  const QRect r = ToQRect(rect);
  if (r.isEmpty()) return;
  if ((sides & BF_TOP) != 0) Fill(QRect(r.left(), r.top(), r.width(), 1), topLeft);
  if ((sides & BF_LEFT) != 0) Fill(QRect(r.left(), r.top(), 1, r.height()), topLeft);
  if ((sides & BF_RIGHT) != 0) Fill(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
  if ((sides & BF_BOTTOM) != 0) Fill(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
}

namespace {

struct RingColours {
  int topLeft = -1;  // system colour indexes; -1: no ring
  int bottomRight = -1;
};

RingColours OuterColours(UINT edge, UINT flags) {
  const bool soft = (flags & BF_SOFT) != 0;
  if ((flags & BF_MONO) != 0) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if ((flags & BF_FLAT) != 0) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  if ((edge & BDR_RAISEDOUTER) != 0) {
    return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  }
  if ((edge & BDR_SUNKENOUTER) != 0) {
    return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  }
  return {};
}

RingColours InnerColours(UINT edge, UINT flags) {
  const bool soft = (flags & BF_SOFT) != 0;
  if ((flags & (BF_MONO | BF_FLAT)) != 0) {
    if ((edge & BDR_INNER) == 0) return {};
    return (flags & BF_MONO) != 0 ? RingColours{COLOR_WINDOW, COLOR_WINDOW}
                                  : RingColours{COLOR_BTNFACE, COLOR_BTNFACE};
  }
  if ((edge & BDR_RAISEDINNER) != 0) {
    return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  }
  if ((edge & BDR_SUNKENINNER) != 0) {
    return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
  }
  return {};
}

void Shrink(CRect& r, UINT sides) {
  if ((sides & BF_LEFT) != 0) ++r.left;
  if ((sides & BF_TOP) != 0) ++r.top;
  if ((sides & BF_RIGHT) != 0) --r.right;
  if ((sides & BF_BOTTOM) != 0) --r.bottom;
}

}  // namespace

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags) {
  if (rect == nullptr) return FALSE;
  CRect r(*rect);
  const UINT sides = flags & BF_RECT;
  for (const RingColours ring : {OuterColours(edge, flags), InnerColours(edge, flags)}) {
    if (ring.topLeft < 0) continue;
    Ring(r, GetSysColor(ring.topLeft), GetSysColor(ring.bottomRight), sides);
    Shrink(r, sides);
  }
  if ((flags & BF_MIDDLE) != 0) {
    FillSolidRect(r, GetSysColor((flags & BF_MONO) != 0 ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  if ((flags & BF_ADJUST) != 0) *rect = r;
  return TRUE;
}

BOOL CDC::DrawFrameControl(RECT* rect, UINT type, UINT state) {
  if (rect == nullptr || type != DFC_BUTTON || (state & 0xFF) != DFCS_BUTTONPUSH) return FALSE;
  UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT;
  if ((state & DFCS_FLAT) != 0) flags |= BF_FLAT;
  if ((state & DFCS_MONO) != 0) flags |= BF_MONO;
  const bool down = (state & (DFCS_PUSHED | DFCS_CHECKED)) != 0;
  return DrawEdge(rect, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
}

void CDC::DrawFocusRect(const RECT* rect) {
  if (m_painter == nullptr || rect == nullptr) return;
  const QRect r = ToQRect(*rect);
  if (r.isEmpty()) return;
  // A checkerboard anchored at the top-left corner: every other pixel of each side.
  QPolygon dots;
  auto dot = [&](int x, int y) {
    if (((x - r.left()) + (y - r.top())) % 2 == 0) dots << QPoint(x, y);
  };
  for (int x = r.left(); x <= r.right(); ++x) {
    dot(x, r.top());
    if (r.bottom() != r.top()) dot(x, r.bottom());
  }
  for (int y = r.top() + 1; y < r.bottom(); ++y) {
    dot(r.left(), y);
    if (r.right() != r.left()) dot(r.right(), y);
  }
  m_painter->save();
  m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  m_painter->setPen(QPen(Qt::white, 1));
  m_painter->drawPoints(dots);
  m_painter->restore();
}

CPoint CDC::MoveTo(int x, int y) { return std::exchange(m_state.position, CPoint(x, y)); }

void CDC::PlotLine(CPoint from, CPoint to) {
  const CPen& pen = m_state.penValue;
  if (m_painter == nullptr || pen.GetStyle() == PS_NULL) return;
  const QColor colour = ToQColor(pen.GetColor());
  if (pen.GetWidth() > 1) {
    m_painter->save();
    m_painter->setPen(QPen(colour, pen.GetWidth(), Qt::SolidLine, Qt::RoundCap));
    m_painter->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    m_painter->restore();
    return;
  }
  // Bresenham, without the end point, so that joined lines touch each pixel once.
  const std::vector<int> pattern = DashPattern(pen.GetStyle());
  std::size_t run = 0;
  int left = pattern.empty() ? 0 : pattern[0];
  QPolygon points;
  const int dx = std::abs(to.x - from.x);
  const int dy = -std::abs(to.y - from.y);
  const int sx = from.x < to.x ? 1 : -1;
  const int sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  int x = from.x;
  int y = from.y;
  while (x != to.x || y != to.y) {
    if (pattern.empty() || run % 2 == 0) points << QPoint(x, y);
    if (!pattern.empty() && --left == 0) {
      run = (run + 1) % pattern.size();
      left = pattern[run];
    }
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
  m_painter->save();
  m_painter->setPen(QPen(colour, 1));
  m_painter->drawPoints(points);
  m_painter->restore();
}

BOOL CDC::LineTo(int x, int y) {
  PlotLine(m_state.position, CPoint(x, y));
  m_state.position = CPoint(x, y);
  return m_painter != nullptr ? TRUE : FALSE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  if (m_painter == nullptr) return FALSE;
  const QRect r = ToQRect(CRect(left, top, right, bottom));
  if (r.width() < 2 || r.height() < 2) return TRUE;
  const bool noPen = m_state.penValue.GetStyle() == PS_NULL;
  if (!m_state.brushValue.IsNull()) {
    // Without a pen the fill stops one pixel short of the right and bottom edges.
    const QRect inside = noPen ? r.adjusted(0, 0, -1, -1) : r.adjusted(1, 1, -1, -1);
    Fill(inside, m_state.brushValue.GetColor());
  }
  if (noPen) return TRUE;
  const CPoint saved = m_state.position;
  MoveTo(r.left(), r.top());
  LineTo(r.right(), r.top());
  LineTo(r.right(), r.bottom());
  LineTo(r.left(), r.bottom());
  LineTo(r.left(), r.top());
  m_state.position = saved;
  return TRUE;
}

BOOL CDC::Rectangle(const RECT* rect) {
  return rect != nullptr ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
  if (m_painter == nullptr) return CLR_INVALID;
  Fill(QRect(x, y, 1, 1), colour);
  return colour & 0x00FFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const {
  if (m_painter == nullptr) return CLR_INVALID;
  QPaintDevice* device = m_painter->device();
  if (device == nullptr || device->devType() != QInternal::Image) return CLR_INVALID;
  const auto* image = static_cast<const QImage*>(device);
  const QPoint p = m_painter->deviceTransform().map(QPoint(x, y));
  if (!image->rect().contains(p)) return CLR_INVALID;
  return FromQRgb(image->pixel(p));
}

int CDC::SaveDC() {
  m_saved.push_back(m_state);
  return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
  const int count = static_cast<int>(m_saved.size());
  const int index = savedDC < 0 ? count + savedDC : savedDC - 1;
  if (index < 0 || index >= count) return FALSE;
  m_state = m_saved[static_cast<std::size_t>(index)];
  m_saved.resize(static_cast<std::size_t>(index));
  ApplyClip();
  return TRUE;
}

QRect CDC::DeviceRect() const {
  if (m_painter == nullptr || m_painter->device() == nullptr) return {};
  const QPaintDevice* device = m_painter->device();
  const QRect pixels(0, 0, device->width(), device->height());
  return m_painter->deviceTransform().inverted().mapRect(pixels);
}

void CDC::ApplyClip() {
  if (m_painter == nullptr) return;
  std::optional<QRegion> clip = m_baseClip;
  if (m_state.clip) clip = clip ? clip->intersected(*m_state.clip) : *m_state.clip;
  if (clip) {
    m_painter->setClipRegion(*clip);
  } else {
    m_painter->setClipping(false);
  }
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  const QRegion wanted(ToQRect(CRect(left, top, right, bottom)));
  m_state.clip = m_state.clip ? m_state.clip->intersected(wanted) : wanted;
  ApplyClip();
  RECT box;
  return GetClipBox(&box);
}

int CDC::IntersectClipRect(const RECT* rect) {
  return rect != nullptr ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom)
                         : RGN_ERROR;
}

int CDC::SelectClipRgn(std::nullptr_t) {
  m_state.clip.reset();
  ApplyClip();
  RECT box;
  return GetClipBox(&box);
}

int CDC::GetClipBox(RECT* rect) const {
  if (rect == nullptr || m_painter == nullptr) return RGN_ERROR;
  QRegion region(DeviceRect());
  if (m_baseClip) region = region.intersected(*m_baseClip);
  if (m_state.clip) region = region.intersected(*m_state.clip);
  const QRect box = region.boundingRect();
  *rect = CRect(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
  if (region.isEmpty()) return NULLREGION;
  return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

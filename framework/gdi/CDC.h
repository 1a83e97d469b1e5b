#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gdi/CFont.h"
#include "framework/gdi/Colors.h"
#include "framework/gdi/GdiConstants.h"
#include "framework/gdi/GdiObjects.h"
#include "framework/gdi/Icon.h"

class QPaintDevice;

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
};

// A device context over a QPainter. Coordinates are the painter's logical pixels;
// rectangles include their left and top edges and exclude their right and bottom ones.
// The context starts with black text on an opaque white background, a black one-pixel
// pen, a white brush and the device's font (the widget's font on a widget, else the
// application font).
//
//   void Paint(QWidget* w) {            // inside w's paint event
//     CDC dc(w);
//     dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(255, 0, 0));
//     dc.DrawText("Hello", &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
//   }
class CDC {
 public:
  CDC();
  // Paints on `device` with a painter of its own, ended with the context.
  explicit CDC(QPaintDevice* device);
  // Paints through an active painter it borrows; the painter's state is restored when
  // the context lets it go.
  explicit CDC(QPainter* painter);
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // A draw request carries the context as its handle.
  static CDC* FromHandle(CDC* handle) { return handle; }
  CDC* GetSafeHdc() { return this; }
  BOOL Attach(QPainter* painter);
  QPainter* Detach();
  QPainter* GetPainter() const { return m_painter; }
  bool IsAttached() const { return m_painter != nullptr; }

  // A memory context: draws into the bitmap selected into it, for BitBlt.
  BOOL CreateCompatibleDC(CDC* reference);
  BOOL DeleteDC();

  // Colours and modes; each setter returns the previous value.
  COLORREF SetTextColor(COLORREF colour);
  COLORREF GetTextColor() const { return m_state.textColour; }
  COLORREF SetBkColor(COLORREF colour);
  COLORREF GetBkColor() const { return m_state.bkColour; }
  int SetBkMode(int mode);
  int GetBkMode() const { return m_state.bkMode; }

  // Selection returns the object selected before (the context's own default the first
  // time), so that it can be selected again when done.
  CFont* SelectObject(CFont* font);
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  // Memory contexts only: starts drawing into `bitmap` (none: stops); returns the
  // previous bitmap or null.
  CBitmap* SelectObject(CBitmap* bitmap);
  CGdiObject* SelectStockObject(int index);
  CFont* GetCurrentFont() const { return m_state.font; }
  CPen* GetCurrentPen() const { return m_state.pen; }
  CBrush* GetCurrentBrush() const { return m_state.brush; }

  // Fills and frames.
  void FillSolidRect(const RECT& rect, COLORREF colour);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
  void FillRect(const RECT* rect, CBrush* brush);
  void FrameRect(const RECT* rect, CBrush* brush);
  void InvertRect(const RECT* rect);
  // One-pixel frame: top and left edges in `topLeft`, right and bottom in `bottomRight`
  // (the top-right and bottom-left corner pixels belong to the bottom-right colour).
  void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  // Two-ring 3D edges in the system colours; BF_ADJUST shrinks *rect to what is inside.
  BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);
  // DFC_BUTTON with DFCS_BUTTONPUSH only: the system's push-button face and frame.
  BOOL DrawFrameControl(RECT* rect, UINT type, UINT state);
  // Inverts every other pixel of the rectangle's one-pixel frame, so a second call with
  // the same rectangle removes it.
  void DrawFocusRect(const RECT* rect);

  // Lines and shapes with the current pen (one-pixel lines leave out their end point)
  // and brush.
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  CPoint GetCurrentPosition() const { return m_state.position; }
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(const RECT* rect);
  COLORREF SetPixel(int x, int y, COLORREF colour);
  // Only on image devices; CLR_INVALID elsewhere and outside the image.
  COLORREF GetPixel(int x, int y) const;

  // Text (UTF-8) in the current font and text colour; the opaque background mode fills
  // behind it with the background colour. DrawText follows the DT_ flags of
  // TextLayout.h; DT_VCENTER and DT_BOTTOM act with DT_SINGLELINE only. It returns the
  // height of the text (with DT_VCENTER or DT_BOTTOM, from the rectangle's top to the
  // text's bottom). DT_CALCRECT draws nothing and sets the rectangle's right and bottom
  // to bound the text: its width that of the widest line.
  int DrawText(const std::string& text, RECT* rect, UINT format);
  BOOL TextOut(int x, int y, const std::string& text);
  // Width and line height of one line of text; 0 by 0 for no text.
  CSize GetTextExtent(const std::string& text) const;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

  // Pictures, drawn with their transparency. Sizes 0 mean the picture's own size.
  BOOL DrawIcon(int x, int y, const HICON& icon);
  BOOL DrawIcon(POINT point, const HICON& icon) { return DrawIcon(point.x, point.y, icon); }
  BOOL DrawIconEx(int x, int y, const HICON& icon, int cx, int cy, UINT flags = DI_NORMAL);
  // DSS_DISABLED draws the disabled-looking copy (AfxMakeDisabledImage); DSS_MONO
  // paints the picture's shape in the brush's colour (the current brush without one).
  BOOL DrawState(CPoint point, CSize size, const HICON& icon, UINT flags, CBrush* brush = nullptr);
  BOOL DrawState(CPoint point, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush = nullptr);
  BOOL DrawState(CPoint point, CSize size, const QImage& image, UINT flags,
                 CBrush* brush = nullptr);
  // Copies from a memory context's bitmap (or an image device): SRCCOPY, SRCINVERT,
  // DSTINVERT, BLACKNESS, WHITENESS.
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);

  // Saved states are numbered from 1; RestoreDC(-1) restores the last one, RestoreDC(n)
  // the one SaveDC numbered n (dropping those saved after it).
  int SaveDC();
  BOOL RestoreDC(int savedDC);
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(const RECT* rect);
  // Removes the context's own clipping.
  int SelectClipRgn(std::nullptr_t);
  // The bounding box of the drawable area; returns the region kind.
  int GetClipBox(RECT* rect) const;

 private:
  struct State {
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    CFont* font = nullptr;
    QFont fontValue;
    CPen* pen = nullptr;
    CPen penValue;
    CBrush* brush = nullptr;
    CBrush brushValue;
    CPoint position;
    std::optional<QRegion> clip;  // none: the whole device
  };

  void Begin(QPainter* painter, bool owned);
  void End();
  void ResetState();
  void ApplyClip();
  QRect DeviceRect() const;
  void Fill(const QRect& rect, COLORREF colour);
  void Ring(const CRect& rect, COLORREF topLeft, COLORREF bottomRight, UINT sides);
  void PlotLine(CPoint from, CPoint to);
  QImage SourceImage() const;

  QPainter* m_painter = nullptr;
  std::unique_ptr<QPainter> m_ownedPainter;
  std::optional<QRegion> m_baseClip;  // the borrowed painter's own clipping
  State m_state;
  std::vector<State> m_saved;
  bool m_memory = false;
  CBitmap* m_bitmap = nullptr;
  std::shared_ptr<QImage> m_bitmapImage;  // kept alive while drawn into
  CFont m_defaultFont;
};

using HDC = CDC*;

#pragma once

#include <cstdint>

// The scalar types, handles and geometry structures that window code is written
// against. Handles are thin: a window handle is the Qt widget itself, an instance handle
// is the load address of a shared object.

class QWidget;

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;

using HWND = QWidget*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
  return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(unsigned lo, unsigned hi) {
  return static_cast<LPARAM>(static_cast<std::int32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
// Signed coordinates packed into an LPARAM (mouse messages).
constexpr int GET_X_LPARAM(LPARAM v) { return static_cast<std::int16_t>(v & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM v) { return static_cast<std::int16_t>((v >> 16) & 0xFFFF); }
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// a * b / c rounded to the nearest integer, as dialog-unit conversion needs.
constexpr int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long p = static_cast<long long>(a) * b;
  long long r = p / c;
  const long long rem = p % c;
  if (2 * (rem < 0 ? -rem : rem) >= (c < 0 ? -c : c)) r += ((p < 0) != (c < 0)) ? -1 : 1;
  return static_cast<int>(r);
}

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};

struct CPoint : POINT {
  constexpr CPoint() = default;
  constexpr CPoint(int px, int py) : POINT{px, py} {}
  bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

struct CSize : SIZE {
  constexpr CSize() = default;
  constexpr CSize(int w, int h) : SIZE{w, h} {}
  bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

struct CRect : RECT {
  constexpr CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  constexpr CRect(const RECT& r) : RECT(r) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CPoint TopLeft() const { return {left, top}; }
  CSize Size() const { return {Width(), Height()}; }
  bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
  bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

class CWnd;
class CDocument;
struct CRuntimeClass;
class CDocTemplate;

// The parameters a window is created with; PreCreateWindow may change them.
struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  UINT hMenu = 0;  // the menu resource id of a frame, or the control id of a child
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// Header of every control notification carried by WM_NOTIFY.
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = 1;
  int iCtrlId = 0;
  HWND hItemHandle = nullptr;
  DWORD dwContextId = 0;
  POINT MousePos;
};

// What window creation hands on to the frame and the view it makes.
struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CWnd* m_pLastView = nullptr;
  CWnd* m_pCurrentFrame = nullptr;
};

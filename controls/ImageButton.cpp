#include "controls/ImageButton.h"

#include <QImage>
#include <QWidget>
#include <algorithm>

#include "framework/gdi/CDC.h"
#include "framework/resources/ImageResources.h"
#include "framework/windows/InputState.h"

namespace {

constexpr int kTipWidth = 300;
constexpr UINT kToolId = 1;

// Bitmap `id` cut to `size` (a bitmap larger than the first one would otherwise add
// several images to the list and shift every index after it); null when not given.
QImage LoadPiece(UINT id, const CSize& size) {
  if (id == 0) return {};
  const QImage image = AfxLoadImage(id, ImageKind::Bitmap);
  return image.isNull() ? image : image.copy(0, 0, size.cx, size.cy);
}

}  // namespace

const CRuntimeClass CImageButton::classCImageButton{
    "CImageButton", &COwnerDrawButton::classCOwnerDrawButton, nullptr};
const CRuntimeClass* CImageButton::GetRuntimeClass() const { return &classCImageButton; }

CImageButton::CImageButton() : m_nTextFormat(DT_CENTER | DT_VCENTER) {
  for (int i = 0; i < 3; ++i) {
    m_crBack[i] = GetSysColor(COLOR_BTNFACE);
    m_crText[i] = GetSysColor(COLOR_BTNTEXT);
  }
}

CImageButton::~CImageButton() = default;

const MessageMap* CImageButton::GetMessageMap() const {
  static const MessageMap map{COwnerDrawButton::GetMessageMap(),
                              {
                                  msg::Mouse(WM_MOUSEMOVE, &CImageButton::OnMouseMove),
                                  msg::Mouse(WM_LBUTTONDOWN, &CImageButton::OnLButtonDown),
                                  msg::Mouse(WM_LBUTTONUP, &CImageButton::OnLButtonUp),
                                  msg::Message(WM_SETFOCUS, &CImageButton::OnSetFocus),
                                  msg::Void(WM_CAPTURECHANGED, &CImageButton::OnCaptureChanged),
                              }};
  return &map;
}

void CImageButton::PreSubclassWindow() {
  COwnerDrawButton::PreSubclassWindow();
  MakeCaptionFont();
  // Hover needs the moves of a mouse whose buttons are up.
  if (QWidget* widget = GetSafeHwnd()) widget->setMouseTracking(true);
}

void CImageButton::MakeCaptionFont() {
  if (m_font.FromWidget(GetSafeHwnd())) return;
  LOGFONT logFont;
  CFont* fallback = CFont::GetDefaultGuiFont();
  if (fallback == nullptr) fallback = CFont::GetSystemFont();
  if (fallback != nullptr && fallback->GetLogFont(&logFont) != 0) {
    m_font.CreateFontIndirect(&logFont);
  }
}

BOOL CImageButton::SetBitmaps(UINT nNormal, COLORREF crNormal, UINT nHover, COLORREF crHover,
                              UINT nPressed, COLORREF crPressed, UINT nDisabled,
                              COLORREF crDisabled) {
  const QImage normal = AfxLoadImage(nNormal, ImageKind::Bitmap);
  if (normal.isNull()) return FALSE;
  m_imageSize = CSize(normal.width(), normal.height());
  m_images.DeleteImageList();
  m_bHasImages = false;
  if (!m_images.Create(m_imageSize.cx, m_imageSize.cy, ILC_COLOR32 | ILC_MASK, 4, 1) ||
      m_images.Add(normal, crNormal) < 0) {
    return FALSE;
  }
  QImage hover = LoadPiece(nHover, m_imageSize);
  COLORREF hoverMask = crHover;
  if (hover.isNull()) {
    hover = normal;
    hoverMask = crNormal;
  }
  m_images.Add(hover, hoverMask);
  QImage pressed = LoadPiece(nPressed, m_imageSize);
  COLORREF pressedMask = crPressed;
  if (pressed.isNull()) {
    pressed = hover;
    pressedMask = hoverMask;
  }
  m_images.Add(pressed, pressedMask);
  const QImage disabled = LoadPiece(nDisabled, m_imageSize);
  if (!disabled.isNull()) m_images.Add(disabled, crDisabled);
  m_bHasImages = true;
  if (m_nStyleFlags & kSizeToContent) SizeToContent();
  Invalidate();
  return TRUE;
}

void CImageButton::SetStyleFlags(UINT nFlags) {
  m_nStyleFlags = nFlags;
  if (m_nStyleFlags & kSizeToContent) SizeToContent();
  // Only a redraw is wanted: the posted type is the one the button has, so no button
  // becomes the default or stops being it.
  PostMessage(BM_SETSTYLE, IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void CImageButton::SetImageAlign(UINT nFlags) {
  m_nImageAlign = nFlags;
  Invalidate();
}

void CImageButton::EnsureToolTip() {
  if (m_toolTip || GetSafeHwnd() == nullptr) return;
  auto tip = std::make_unique<CToolTipCtrl>();
  if (!tip->Create(this)) return;
  tip->SetMaxTipWidth(kTipWidth);
  tip->Activate(FALSE);
  m_toolTip = std::move(tip);
}

void CImageButton::SetTooltipText(const char* lpszText, BOOL bActivate) {
  if (lpszText == nullptr) return;
  EnsureToolTip();
  if (!m_toolTip) return;
  if (m_toolTip->GetToolCount() == 0) {
    CRect client;
    GetClientRect(&client);
    m_toolTip->AddTool(this, "", &client, kToolId);
  }
  m_toolTip->UpdateTipText(lpszText, this, kToolId);
  m_toolTip->Activate(bActivate);
}

BOOL CImageButton::PreTranslateMessage(MSG* pMsg) {
  EnsureToolTip();
  if (m_toolTip) m_toolTip->RelayEvent(pMsg);
  return COwnerDrawButton::PreTranslateMessage(pMsg);
}

void CImageButton::OnMouseMove(UINT nFlags, CPoint point) {
  Default();
  const bool leftDown = (nFlags & MK_LBUTTON) != 0;
  if (leftDown && !m_bHover) return;
  if (GetCapture() != this) {
    m_bHover = true;
    SetCapture();
    Invalidate();
    return;
  }
  POINT screen = point;
  ClientToScreen(&screen);
  const CWnd* under = WindowFromPoint(screen);
  if (under != nullptr && under->GetSafeHwnd() == GetSafeHwnd()) return;
  if (m_bHover) {
    m_bHover = false;
    Invalidate();
  }
  // A held button keeps the mouse until it is released, wherever it goes.
  if (!leftDown) ReleaseCapture();
}

void CImageButton::OnLButtonDown(UINT, CPoint) {
  m_bPressed = true;
  Invalidate();
  Default();
}

void CImageButton::OnLButtonUp(UINT, CPoint) {
  Default();  // the click's command runs here, a whole dialog perhaps
  if (!m_bPressed) return;
  m_bPressed = false;
  ReleaseCapture();
  FollowPointer();
}

void CImageButton::OnCaptureChanged() {
  // Whoever took the mouse (a window the click opened, a disabled button letting go)
  // also took the release and the pointer's moves: the button is neither held nor
  // hovered any more, or it would stay drawn raised after the pointer has left.
  if (!m_bPressed && !m_bHover) return;
  m_bPressed = false;
  m_bHover = false;
  Invalidate();
}

void CImageButton::FollowPointer() {
  // The pointer may have gone while the click's command ran: hover only while it is
  // still over the button, and watch it leave again.
  POINT at{};
  GetCursorPos(&at);
  const CWnd* under = WindowFromPoint(at);
  const bool over = under != nullptr && under->GetSafeHwnd() == GetSafeHwnd();
  if (over && IsWindowEnabled()) {
    m_bHover = true;
    SetCapture();
  } else {
    m_bHover = false;
  }
  Invalidate();
}

LRESULT CImageButton::OnSetFocus(WPARAM, LPARAM) {
  Invalidate();
  return Default();
}

CSize CImageButton::CaptionSize() const {
  const std::string caption = GetWindowText();
  if (caption.empty()) return {};
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  CDC dc(&scratch);
  dc.SelectObject(const_cast<CFont*>(&m_font));
  return dc.GetTextExtent(caption);
}

void CImageButton::SizeToContent() {
  const CSize caption = CaptionSize();
  const int width = std::max<int>(m_imageSize.cx, caption.cx) + 6;
  const int height = std::max<int>(m_imageSize.cy, caption.cy) + 6;
  // A button hidden in its template becomes visible once it has its size.
  SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr || lpDrawItemStruct->hDC == nullptr ||
      lpDrawItemStruct->CtlType != ODT_BUTTON) {
    return;
  }
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  const CRect item = lpDrawItemStruct->rcItem;
  m_bDisabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
  m_nColorState = m_bDisabled ? kDisabled : m_bPressed ? kPressed : m_bHover ? kHover : kNormal;
  const bool isDefault = IsDefault();
  const bool flat = (m_nStyleFlags & kFlat) != 0;
  CRect border = item;
  if (isDefault) border = CRect(item.left + 1, item.top + 1, item.right - 1, item.bottom - 1);

  DrawBackground(dc, item);
  DrawBorder(dc, border);

  const CRect focus(border.left + 3, border.top + 3, border.right - 3, border.bottom - 3);
  if (isDefault && !m_bDisabled && !flat) {
    dc->Draw3dRect(item, RGB(0, 0, 0), RGB(0, 0, 0));
    if (m_bPressed) {
      const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
      dc->Draw3dRect(border, shadow, shadow);
    }
  }
  if (!flat) {
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) || m_bPressed) dc->DrawFocusRect(&focus);
    if (lpDrawItemStruct->itemAction & ODA_FOCUS) dc->DrawFocusRect(&focus);
  }
  if (m_bHasImages) DrawImage(dc, item);
  DrawCaption(dc, focus);
}

void CImageButton::DrawBackground(CDC* pDC, const CRect& rect) {
  const COLORREF colour =
      m_nColorState == kDisabled ? GetSysColor(COLOR_BTNFACE) : m_crBack[m_nColorState];
  pDC->FillSolidRect(rect, colour);
}

void CImageButton::DrawBorder(CDC* pDC, const CRect& rect) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (m_bPressed) {
    pDC->Draw3dRect(rect, shadow, highlight);
  } else if (!(m_nStyleFlags & kFlat)) {
    CRect frame = rect;
    pDC->DrawFrameControl(&frame, DFC_BUTTON, DFCS_BUTTONPUSH);
  } else if (m_bHover) {
    pDC->Draw3dRect(rect, highlight, shadow);
  }
}

CPoint CImageButton::ImagePosition(const CRect& item) const {
  const int width = item.Width();
  const int height = item.Height();
  int x = 3;
  if (m_nImageAlign & kAlignHCenter) {
    x = (width - m_imageSize.cx) / 2;
  } else if (m_nImageAlign & kAlignRight) {
    x = width - m_imageSize.cx - 3;
  }
  int y = 3;
  if (m_nImageAlign & kAlignVCenter) {
    y = (height - m_imageSize.cy) / 2;
  } else if (m_nImageAlign & kAlignBottom) {
    y = height - m_imageSize.cy - 3;
  }
  const int pressed = m_bPressed ? 1 : 0;
  return CPoint(item.left + x + pressed, item.top + y + pressed);
}

void CImageButton::DrawImage(CDC* pDC, const CRect& item) {
  int index = m_nColorState;
  UINT flags = DSS_NORMAL;
  if (index >= m_images.GetImageCount()) {
    index = 0;
    if (m_nColorState == kDisabled) flags = DSS_DISABLED;
  }
  const QPixmap picture = m_images.GetPixmap(index);
  if (picture.isNull()) return;
  pDC->DrawState(ImagePosition(item), m_imageSize, picture.toImage(), flags);
}

void CImageButton::DrawCaption(CDC* pDC, const CRect& rect) {
  const std::string caption = GetWindowText();
  if (caption.empty()) return;
  CFont* oldFont = pDC->SelectObject(&m_font);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const UINT format = m_nTextFormat | DT_SINGLELINE;
  CRect area = rect;
  if (m_nColorState == kDisabled) {
    // Engraved: a light copy one pixel down and right under the grey text.
    CRect shifted = area;
    shifted.OffsetRect(1, 1);
    pDC->SetTextColor(GetSysColor(COLOR_WINDOW));
    pDC->DrawText(caption, &shifted, format);
    pDC->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  } else {
    pDC->SetTextColor(m_crText[m_nColorState]);
  }
  pDC->DrawText(caption, &area, format);
  pDC->SetBkMode(oldMode);
  pDC->SelectObject(oldFont);
}

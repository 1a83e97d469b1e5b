#pragma once

#include <memory>
#include <string>

#include "controls/OwnerDrawButton.h"
#include "framework/gdi/CFont.h"
#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/CToolTipCtrl.h"

class CDC;

// A small push button that shows a bitmap instead of (or beside) its caption, lights up
// under the mouse, looks pressed while held and carries a tooltip. Flat buttons show no
// frame until the mouse is over them.
class CImageButton : public COwnerDrawButton {
 public:
  static const CRuntimeClass classCImageButton;
  const CRuntimeClass* GetRuntimeClass() const override;

  // Style flags.
  static constexpr UINT kFlat = 0x1;
  static constexpr UINT kSizeToContent = 0x4;
  // Image alignment; 0 puts the image 3 pixels from the top-left corner.
  static constexpr UINT kAlignHCenter = 0x1;
  static constexpr UINT kAlignRight = 0x2;
  static constexpr UINT kAlignVCenter = 0x4;
  static constexpr UINT kAlignBottom = 0x8;
  // Colour states, which are also the indexes of the images.
  enum ColorState { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

  CImageButton();
  ~CImageButton() override;

  // Loads the images from bitmap resources (id 0: not given). Hover falls back to the
  // normal image, pressed to hover then normal; without a disabled image the normal one
  // is drawn greyed. False when the normal bitmap or the list cannot be made.
  BOOL SetBitmaps(UINT nNormal, COLORREF crNormal, UINT nHover = 0, COLORREF crHover = 0,
                  UINT nPressed = 0, COLORREF crPressed = 0, UINT nDisabled = 0,
                  COLORREF crDisabled = 0);
  void SetStyleFlags(UINT nFlags);
  void SetImageAlign(UINT nFlags);
  // Null text does nothing.
  void SetTooltipText(const char* lpszText, BOOL bActivate = TRUE);

  UINT GetStyleFlags() const { return m_nStyleFlags; }
  UINT GetImageAlign() const { return m_nImageAlign; }
  int GetColorState() const { return m_nColorState; }
  bool IsHover() const { return m_bHover; }
  bool IsPressed() const { return m_bPressed; }
  bool HasImages() const { return m_bHasImages; }
  CSize GetImageSize() const { return m_imageSize; }
  const CImageList& GetImageList() const { return m_images; }
  CToolTipCtrl* GetToolTip() const { return m_toolTip.get(); }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  void PreSubclassWindow() override;
  const MessageMap* GetMessageMap() const override;

  virtual void DrawBackground(CDC* pDC, const CRect& rect);
  virtual void DrawBorder(CDC* pDC, const CRect& rect);

  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  void OnCaptureChanged();

 private:
  void MakeCaptionFont();
  void EnsureToolTip();
  void SizeToContent();
  void FollowPointer();
  CSize CaptionSize() const;
  CPoint ImagePosition(const CRect& item) const;
  void DrawImage(CDC* pDC, const CRect& item);
  void DrawCaption(CDC* pDC, const CRect& rect);

  UINT m_nStyleFlags = kFlat;
  UINT m_nTextFormat;
  UINT m_nImageAlign = 0;
  bool m_bHover = false;
  bool m_bPressed = false;
  bool m_bDisabled = false;
  int m_nColorState = kNormal;
  COLORREF m_crBack[3];
  COLORREF m_crText[3];
  CImageList m_images;
  CSize m_imageSize;
  bool m_bHasImages = false;
  CFont m_font;
  std::unique_ptr<CToolTipCtrl> m_toolTip;
};

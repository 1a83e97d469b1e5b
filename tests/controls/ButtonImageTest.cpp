#include <gtest/gtest.h>

#include <QPushButton>
#include <functional>

#include "ButtonTestSupport.h"
#include "controls/ImageButton.h"
#include "framework/StdControlsTestSupport.h"

namespace {

using namespace button_test;

constexpr int kButtonId = 2027;

class ImageButtonLook : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    Make(CRect(50, 50, 90, 80));
  }
  void TearDown() override { ReleaseCapture(); }

  void Make(const CRect& rect, const char* text = "", LONG style = BS_PUSHBUTTON | WS_VISIBLE) {
    MakeTemplateButton(parent.GetSafeHwnd(), kButtonId, text, style, rect);
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &parent));
  }
  QWidget* Widget() const { return button.GetSafeHwnd(); }
  void Hover() { SendMouse(Widget(), QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, {}); }
  void Press() {
    SendMouse(Widget(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  }
  void Release() {
    SendMouse(Widget(), QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  }
  // The colour in the middle of the image, which sits 3 pixels from the top-left corner.
  COLORREF ImageColour() { return AfxImagePixel(Picture(Widget()), 11, 11); }

  Bitmaps bitmaps;
  NotifyRecorder parent;
  CImageButton button;
};

TEST_F(ImageButtonLook, EachStateShowsItsOwnImage) {
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta, kHoverBitmap, kMagenta, kPressedBitmap,
                                kMagenta, kDisabledBitmap, kMagenta));
  button.SetStyleFlags(CImageButton::kFlat);
  EXPECT_EQ(button.GetImageList().GetImageCount(), 4);
  EXPECT_EQ(ImageColour(), kNormalColour);
  EXPECT_EQ(button.GetColorState(), CImageButton::kNormal);
  Hover();
  EXPECT_EQ(ImageColour(), kHoverColour);
  EXPECT_EQ(button.GetColorState(), CImageButton::kHover);
  Press();
  // Pressed images move one pixel right and down; the middle stays inside.
  EXPECT_EQ(ImageColour(), kPressedColour);
  EXPECT_EQ(button.GetColorState(), CImageButton::kPressed);
  Release();
  button.EnableWindow(FALSE);
  EXPECT_EQ(ImageColour(), kDisabledColour);
  EXPECT_EQ(button.GetColorState(), CImageButton::kDisabled);
}

TEST_F(ImageButtonLook, OnlyANormalImageIsReusedAndGreyedWhenDisabled) {
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  EXPECT_EQ(button.GetImageList().GetImageCount(), 3);  // normal, hover, pressed
  EXPECT_EQ(ImageColour(), kNormalColour);
  Hover();
  EXPECT_EQ(ImageColour(), kNormalColour);
  Press();
  EXPECT_EQ(ImageColour(), kNormalColour);
  Release();
  button.EnableWindow(FALSE);
  const COLORREF grey = ImageColour();
  EXPECT_NE(grey, kNormalColour);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetGValue(grey), GetBValue(grey));
}

TEST_F(ImageButtonLook, HoverFallsBackToNormalAndPressedToHover) {
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta, kHoverBitmap, kMagenta));
  Hover();
  EXPECT_EQ(ImageColour(), kHoverColour);
  Press();
  EXPECT_EQ(ImageColour(), kHoverColour);
  Release();
}

TEST_F(ImageButtonLook, MagentaIsTransparentAndMissingBitmapsFail) {
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  EXPECT_EQ(AfxImagePixel(Picture(Widget()), 3, 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(button.GetImageSize(), CSize(16, 16));
  EXPECT_TRUE(button.HasImages());
  CImageButton other;
  MakeTemplateButton(parent.GetSafeHwnd(), 2028, "", BS_PUSHBUTTON | WS_VISIBLE, CRect(0, 0, 9, 9));
  ASSERT_TRUE(other.SubclassDlgItem(2028, &parent));
  EXPECT_FALSE(other.SetBitmaps(kMissingBitmap, kMagenta));
  EXPECT_FALSE(other.HasImages());
}

TEST_F(ImageButtonLook, ImageGoesWhereTheAlignmentSays) {
  struct Case {
    UINT align;
    bool pressed;
    CPoint topLeft;  // in the 40 by 30 button, for a 16 by 16 image
  };
  const Case cases[] = {
      {0, false, {3, 3}},
      {CImageButton::kAlignHCenter | CImageButton::kAlignVCenter, false, {12, 7}},
      {CImageButton::kAlignRight | CImageButton::kAlignBottom, false, {21, 11}},
      {CImageButton::kAlignRight, false, {21, 3}},
      {CImageButton::kAlignBottom, false, {3, 11}},
      {CImageButton::kAlignHCenter | CImageButton::kAlignVCenter, true, {13, 8}},
      {0, true, {4, 4}},
  };
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  for (const Case& c : cases) {
    button.SetImageAlign(c.align);
    if (c.pressed) Press();
    const CRect box = Find(Picture(Widget()), kNormalColour);
    if (c.pressed) Release();
    // The keyed-out magenta corner leaves the box whole: the rows below it are full.
    EXPECT_EQ(box.TopLeft(), c.topLeft) << c.align << " pressed " << c.pressed;
    EXPECT_EQ(box.Size(), CSize(16, 16)) << c.align;
  }
}

TEST_F(ImageButtonLook, SizeToContentFitsImageAndCaptionAndShowsTheButton) {
  button.ShowWindow(SW_HIDE);
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  button.SetStyleFlags(CImageButton::kFlat | CImageButton::kSizeToContent);
  CRect rect;
  button.GetWindowRect(&rect);
  EXPECT_EQ(rect.Size(), CSize(22, 22));  // image + 6 each way with no caption
  EXPECT_FALSE(Widget()->isHidden());
  EXPECT_EQ(Widget()->pos(), QPoint(50, 50));  // resized, not moved

  CImageButton captioned;
  MakeTemplateButton(parent.GetSafeHwnd(), 2029, "A much longer caption", BS_PUSHBUTTON,
                     CRect(10, 10, 20, 20));
  ASSERT_TRUE(captioned.SubclassDlgItem(2029, &parent));
  ASSERT_TRUE(captioned.SetBitmaps(kNormalBitmap, kMagenta));
  captioned.SetStyleFlags(CImageButton::kSizeToContent);
  captioned.GetWindowRect(&rect);
  EXPECT_GT(rect.Width(), 16 + 6 + 40);
  EXPECT_EQ(rect.Height(), 22);  // one line of the default font is lower than the image
}

TEST_F(ImageButtonLook, FlatButtonHasNoFrameUntilHoveredThenARaisedOne) {
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  ASSERT_NE(light, face);
  ASSERT_NE(shadow, face);
  QImage still = Picture(Widget());
  for (const QPoint p : {QPoint(0, 15), QPoint(20, 0), QPoint(39, 15), QPoint(20, 29)}) {
    EXPECT_EQ(AfxImagePixel(still, p.x(), p.y()), face) << p.x() << "," << p.y();
  }
  Hover();
  QImage lit = Picture(Widget());
  EXPECT_EQ(AfxImagePixel(lit, 0, 15), light);  // left
  EXPECT_EQ(AfxImagePixel(lit, 20, 0), light);  // top
  EXPECT_EQ(AfxImagePixel(lit, 39, 15), shadow);
  EXPECT_EQ(AfxImagePixel(lit, 20, 29), shadow);
  Press();
  QImage sunk = Picture(Widget());
  EXPECT_EQ(AfxImagePixel(sunk, 0, 15), shadow);  // pressed looks sunken
  EXPECT_EQ(AfxImagePixel(sunk, 39, 15), light);
  Release();
}

TEST_F(ImageButtonLook, DefaultNonFlatButtonKeepsItsBlackFrame) {
  auto* push = qobject_cast<QPushButton*>(Widget());
  ASSERT_NE(push, nullptr);
  push->setDefault(true);
  ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  button.SetStyleFlags(0);
  const QImage picture = Picture(Widget());
  for (const QPoint p : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 29), QPoint(39, 29)}) {
    EXPECT_EQ(AfxImagePixel(picture, p.x(), p.y()), RGB(0, 0, 0)) << p.x() << "," << p.y();
  }
  button.EnableWindow(FALSE);  // a disabled default button loses the black frame
  EXPECT_NE(AfxImagePixel(Picture(Widget()), 20, 0), RGB(0, 0, 0));
}

// Text is antialiased, so the caption is found by brightness rather than exact colours.
int Brightness(COLORREF c) { return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3; }

CRect FindWhere(const QImage& image, const std::function<bool(int)>& test) {
  CRect box(image.width(), image.height(), 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!test(Brightness(AfxImagePixel(image, x, y)))) continue;
      box = CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                  std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
    }
  }
  return box.IsRectEmpty() ? CRect() : box;
}

TEST_F(ImageButtonLook, CaptionIsDrawnAndEngravedWhenDisabled) {
  CImageButton captioned;
  MakeTemplateButton(parent.GetSafeHwnd(), 2029, "HHH", BS_PUSHBUTTON | WS_VISIBLE,
                     CRect(100, 50, 180, 80));
  ASSERT_TRUE(captioned.SubclassDlgItem(2029, &parent));
  const int face = Brightness(GetSysColor(COLOR_BTNFACE));
  ASSERT_LT(Brightness(GetSysColor(COLOR_BTNTEXT)), 60);
  ASSERT_GT(Brightness(GetSysColor(COLOR_WINDOW)), face);
  const auto dark = [](int b) { return b < 60; };
  EXPECT_NE(FindWhere(Picture(captioned.GetSafeHwnd()), dark), CRect());
  captioned.EnableWindow(FALSE);
  const QImage picture = Picture(captioned.GetSafeHwnd());
  EXPECT_EQ(FindWhere(picture, dark), CRect());
  const CRect greyBox = FindWhere(picture, [face](int b) { return b < face - 30; });
  const CRect lightBox = FindWhere(picture, [face](int b) { return b > face + 4; });
  ASSERT_NE(greyBox, CRect());
  ASSERT_NE(lightBox, CRect());
  // The light copy lies one pixel right of and below the grey text.
  EXPECT_GT(lightBox.right, greyBox.right);
  EXPECT_GT(lightBox.bottom, greyBox.bottom);
  EXPECT_GT(lightBox.left, greyBox.left);
}

TEST_F(ImageButtonLook, TooltipIsMadeOnFirstUseAndFollowsItsText) {
  button.SetTooltipText(nullptr);
  EXPECT_EQ(button.GetToolTip(), nullptr);
  button.SetTooltipText("Refresh");
  ASSERT_NE(button.GetToolTip(), nullptr);
  EXPECT_EQ(button.GetToolTip()->GetToolCount(), 1);
  EXPECT_TRUE(button.GetToolTip()->IsActive());
  EXPECT_EQ(Widget()->toolTip(), QString("Refresh"));
  button.SetTooltipText("Remove", FALSE);
  EXPECT_EQ(button.GetToolTip()->GetToolCount(), 1);
  EXPECT_FALSE(button.GetToolTip()->IsActive());
  EXPECT_EQ(button.GetToolTip()->GetText(&button, 1), "Remove");
}

}  // namespace

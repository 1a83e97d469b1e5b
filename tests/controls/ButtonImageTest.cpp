#include <gtest/gtest.h>

#include <QPushButton>

#include "ButtonTestSupport.h"
#include "controls/ImageButton.h"
#include "framework/StdControlsTestSupport.h"

namespace {

using namespace button_test;

constexpr int kId = 2027;

// A flat 40 by 30 image button on a shown window.
class ImageButtonLook : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    MakeTemplateButton(parent, kId, "", BS_PUSHBUTTON | WS_VISIBLE, CRect(50, 50, 90, 80));
    ASSERT_TRUE(button.SubclassDlgItem(kId, &parent));
  }
  void TearDown() override { ReleaseCapture(); }

  QWidget* Widget() const { return button.GetSafeHwnd(); }
  void Hover() { Hover(Widget()); }
  void Press() { Press(Widget()); }
  void Release() { Release(Widget()); }
  static void Hover(QWidget* w) { SendMouse(w, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, {}); }
  static void Press(QWidget* w) {
    SendMouse(w, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  }
  static void Release(QWidget* w) {
    SendMouse(w, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  }
  // The middle of the image, which sits 3 pixels from the top-left corner.
  static COLORREF ImageColour(QWidget* w) { return AfxImagePixel(Snapshot(w), 11, 11); }

  Bitmaps bitmaps;
  NotifyRecorder parent;
  CImageButton button;
};

TEST_F(ImageButtonLook, EachStateShowsItsImageAndADisabledOneFallsBackToGrey) {
  struct Case {
    UINT hover, pressed, disabled;
    COLORREF seen[4];  // normal, hover, pressed, disabled; 0: a grey
  };
  const Case cases[] = {
      {kHover, kPressed, kDisabled, {kColours[0], kColours[1], kColours[2], kColours[3]}},
      {kHover, 0, 0, {kColours[0], kColours[1], kColours[1], 0}},
      {0, 0, 0, {kColours[0], kColours[0], kColours[0], 0}},
  };
  int id = 3000;
  for (const Case& c : cases) {
    CImageButton b;  // a fresh button, not hovered
    MakeTemplateButton(parent, ++id, "", BS_PUSHBUTTON | WS_VISIBLE, CRect(0, 0, 40, 30));
    ASSERT_TRUE(b.SubclassDlgItem(static_cast<UINT>(id), &parent));
    QWidget* w = b.GetSafeHwnd();
    ASSERT_TRUE(b.SetBitmaps(kNormal, kMagenta, c.hover, kMagenta, c.pressed, kMagenta, c.disabled,
                             kMagenta));
    EXPECT_EQ(ImageColour(w), c.seen[0]);
    Hover(w);
    EXPECT_EQ(ImageColour(w), c.seen[1]);
    Press(w);  // the image moves one pixel; its middle stays
    EXPECT_EQ(ImageColour(w), c.seen[2]);
    EXPECT_EQ(b.GetColorState(), CImageButton::kPressed);
    Release(w);
    b.EnableWindow(FALSE);
    const COLORREF last = ImageColour(w);
    if (c.seen[3] != 0) {
      EXPECT_EQ(last, c.seen[3]);
    } else {
      EXPECT_NE(last, kColours[0]);
      EXPECT_TRUE(GetRValue(last) == GetGValue(last) && GetGValue(last) == GetBValue(last));
    }
    EXPECT_EQ(b.GetColorState(), CImageButton::kDisabled);
  }
  // Magenta is see-through; a missing bitmap fails and leaves the images there were.
  ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta));
  EXPECT_EQ(AfxImagePixel(Snapshot(Widget()), 3, 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_FALSE(button.SetBitmaps(9099, kMagenta));
  EXPECT_TRUE(button.HasImages());
  EXPECT_EQ(ImageColour(Widget()), kColours[0]);
}

TEST_F(ImageButtonLook, ImageGoesWhereTheAlignmentSays) {
  using B = CImageButton;
  const struct {
    UINT align;
    bool pressed;
    CPoint topLeft;  // of the 16 by 16 image in the 40 by 30 button
  } cases[] = {
      {0, false, {3, 3}},
      {B::kAlignHCenter | B::kAlignVCenter, false, {12, 7}},
      {B::kAlignRight, false, {21, 3}},
      {B::kAlignHCenter | B::kAlignVCenter, true, {13, 8}},
  };
  ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta));
  for (const auto& c : cases) {
    button.SetImageAlign(c.align);
    if (c.pressed) Press();
    const CRect box = Find(Snapshot(Widget()), kColours[0]);
    if (c.pressed) Release();
    EXPECT_EQ(box, CRect(c.topLeft.x, c.topLeft.y, c.topLeft.x + 16, c.topLeft.y + 16)) << c.align;
  }
}

TEST_F(ImageButtonLook, SizeToContentFitsTheImageAndShowsTheButton) {
  button.ShowWindow(SW_HIDE);
  ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta));
  button.SetStyleFlags(CImageButton::kFlat | CImageButton::kSizeToContent);
  EXPECT_EQ(Widget()->geometry(), QRect(50, 50, 22, 22));  // image + 6, not moved
  EXPECT_FALSE(Widget()->isHidden());
  button.SetWindowText("A much longer caption");
  button.SetStyleFlags(CImageButton::kSizeToContent);
  EXPECT_GT(Widget()->width(), 16 + 6 + 40);
}

TEST_F(ImageButtonLook, FlatButtonHasNoFrameUntilHoveredThenARaisedOne) {
  ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  ASSERT_TRUE(light != face && shadow != face);
  const QPoint left(0, 15), top(20, 0), right(39, 15), bottom(20, 29);
  auto edges = [&] {
    const QImage p = Snapshot(Widget());
    return std::vector<COLORREF>{
        AfxImagePixel(p, left.x(), left.y()), AfxImagePixel(p, top.x(), top.y()),
        AfxImagePixel(p, right.x(), right.y()), AfxImagePixel(p, bottom.x(), bottom.y())};
  };
  EXPECT_EQ(edges(), (std::vector<COLORREF>{face, face, face, face}));
  Hover();
  EXPECT_EQ(edges(), (std::vector<COLORREF>{light, light, shadow, shadow}));
  Press();
  EXPECT_EQ(edges(), (std::vector<COLORREF>{shadow, shadow, light, light}));
  Release();
}

TEST_F(ImageButtonLook, DefaultNonFlatButtonHasABlackFrameWhileEnabled) {
  qobject_cast<QPushButton*>(Widget())->setDefault(true);
  ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta));
  button.SetStyleFlags(0);
  const QImage picture = Snapshot(Widget());
  EXPECT_EQ(Find(picture, RGB(0, 0, 0)), CRect(0, 0, 40, 30));
  button.EnableWindow(FALSE);
  EXPECT_NE(AfxImagePixel(Snapshot(Widget()), 20, 0), RGB(0, 0, 0));
}

TEST_F(ImageButtonLook, TooltipIsMadeOnFirstUseWithOneTool) {
  button.SetTooltipText("Refresh");
  button.SetTooltipText("Remove", FALSE);
  ASSERT_NE(button.GetToolTip(), nullptr);
  EXPECT_EQ(button.GetToolTip()->GetToolCount(), 1);
  EXPECT_EQ(button.GetToolTip()->GetText(&button, 1), "Remove");
  EXPECT_FALSE(button.GetToolTip()->IsActive());
}

}  // namespace

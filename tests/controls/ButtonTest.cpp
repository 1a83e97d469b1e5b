#include <gtest/gtest.h>

#include <QBuffer>
#include <QCursor>
#include <QPushButton>
#include <vector>

#include "ControlsTestSupport.h"
#include "controls/ImageButton.h"
#include "framework/StdControlsTestSupport.h"
#include "framework/app/ModuleState.h"
#include "framework/messages/WinMessages.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr UINT kNormal = 9001, kHover = 9002, kPressed = 9003, kDisabled = 9004;
constexpr COLORREF kColours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(230, 200, 0)};

HINSTANCE Library() {
  static char marker;
  return reinterpret_cast<HINSTANCE>(&marker);
}

// Bitmap resources: 16 by 16 squares of one colour per state whose top-left pixel is magenta,
// the transparent colour; in force while the object lives.
class Bitmaps {
 public:
  static ResourceTable Table(QByteArray (&bytes)[4]) {
    ResourceTable table;
    for (int i = 0; i < 4; ++i) {
      QImage image(16, 16, QImage::Format_RGB32);
      image.fill(ToQColor(kColours[i]));
      image.setPixelColor(0, 0, ToQColor(kMagenta));
      QBuffer buffer(&bytes[i]);
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "PNG");
      table.images.push_back({kNormal + i, ImageKind::Bitmap,
                              reinterpret_cast<const unsigned char*>(bytes[i].constData()),
                              static_cast<std::size_t>(bytes[i].size())});
    }
    return table;
  }

 private:
  QByteArray m_bytes[4];
  ResourceTable m_table = Table(m_bytes);
  ModuleResources m_registration{Library(), m_table};
  AfxResourceHandleGuard m_guard{Library()};
};

// A button made on `parent` as a dialog template makes it, placed in pixels.
void MakeTemplateButton(CWnd& parent, int id, const char* text, const RECT& rect) {
  DialogResource tmpl;
  tmpl.items.push_back(
      DialogItem{"BUTTON", text, id, 0, 0, 0, 0, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0});
  AfxCreateDialogControls(parent.GetSafeHwnd(), tmpl);
  parent.GetDlgItem(id)->MoveWindow(rect);
}

// The bounding box of the pixels of `colour`; empty when there are none.
CRect Find(const QImage& image, COLORREF colour) {
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

constexpr QPoint kInside{10, 10};
constexpr QPoint kOutside{-40, -40};  // over the parent window

void Move(QWidget* w, QPoint at = kInside, Qt::MouseButtons held = {}) {
  SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, held);
}
void Press(QWidget* w) {
  SendMouse(w, QEvent::MouseButtonPress, kInside, Qt::LeftButton, Qt::LeftButton);
}
void Release(QWidget* w, QPoint at = kInside) {
  SendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}
// The middle of the image, which sits 3 pixels from the top-left corner.
COLORREF ImageColour(QWidget* w) { return AfxImagePixel(Snapshot(w), 11, 11); }

// A flat 40 by 30 image button with the normal bitmap on a shown window.
class ImageButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    MakeTemplateButton(parent, 2027, "", CRect(50, 50, 90, 80));
    ASSERT_TRUE(button.SubclassDlgItem(2027, &parent));
    ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta, kHover, kMagenta, kPressed, kMagenta));
  }
  void TearDown() override { ReleaseCapture(); }

  QWidget* W() const { return button.GetSafeHwnd(); }
  bool HasCapture() const { return CWnd::GetCapture() == &button; }

  Bitmaps bitmaps;
  NotifyRecorder parent;
  CImageButton button;
};

// Hover takes the mouse and leaving gives it back; a held button keeps it without hover and
// clicks only when released on it. The mouse taken from the button (a window its press
// opened, the parent, the pointer gone while the click ran, the lock disabling it) leaves it
// neither pressed nor raised, and a disabled button lets the mouse go so the rest of the
// program still hears its clicks.
TEST_F(ImageButtonTest, HoverAndPressHoldTheMouseUntilReleasedOrTaken) {
  Move(W());
  EXPECT_TRUE(button.IsHover() && HasCapture());
  Move(W(), kOutside);
  EXPECT_FALSE(button.IsHover() || HasCapture());
  Move(W());
  Press(W());
  Move(W(), kOutside, Qt::LeftButton);
  EXPECT_TRUE(!button.IsHover() && button.IsPressed() && HasCapture());
  Move(W(), kInside, Qt::LeftButton);  // back while held: no hover again
  EXPECT_FALSE(button.IsHover());
  Move(W(), kOutside, Qt::LeftButton);
  Release(W(), kOutside);
  EXPECT_FALSE(button.IsPressed() || HasCapture());
  EXPECT_TRUE(parent.Codes(WM_COMMAND).empty());  // released off the button: no click
  Move(W());
  Press(W());
  Release(W());
  EXPECT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{BN_CLICKED});
  EXPECT_FALSE(HasCapture());
  Move(W());
  Press(W());
  ASSERT_EQ(ImageColour(W()), kColours[2]);
  parent.SetCapture();
  EXPECT_FALSE(button.IsPressed() || button.IsHover());
  EXPECT_NE(ImageColour(W()), kColours[2]);
  ReleaseCapture();
  Move(W());
  Press(W());
  QCursor::setPos(W()->mapToGlobal(kOutside));
  Release(W());
  EXPECT_FALSE(button.IsHover());
  Move(W());
  ASSERT_TRUE(HasCapture());
  button.EnableWindow(FALSE);
  EXPECT_FALSE(HasCapture());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ImageButtonTest, EachStateShowsItsImageAndADisabledOneFallsBackToGrey) {
  const struct {
    UINT hover, pressed, disabled;
    COLORREF seen[4];  // normal, hover, pressed, disabled; 0: a grey
  } cases[] = {
      {kHover, kPressed, kDisabled, {kColours[0], kColours[1], kColours[2], kColours[3]}},
      {kHover, 0, 0, {kColours[0], kColours[1], kColours[1], 0}},
      {0, 0, 0, {kColours[0], kColours[0], kColours[0], 0}},
  };
  int id = 3000;
  for (const auto& c : cases) {
    CImageButton b;  // a fresh button, not hovered
    MakeTemplateButton(parent, ++id, "", CRect(0, 0, 40, 30));
    ASSERT_TRUE(b.SubclassDlgItem(static_cast<UINT>(id), &parent));
    QWidget* w = b.GetSafeHwnd();
    ASSERT_TRUE(b.SetBitmaps(kNormal, kMagenta, c.hover, kMagenta, c.pressed, kMagenta, c.disabled,
                             kMagenta));
    EXPECT_EQ(ImageColour(w), c.seen[0]);
    Move(w);
    EXPECT_EQ(ImageColour(w), c.seen[1]);
    Press(w);  // the image moves one pixel; its middle stays
    EXPECT_EQ(ImageColour(w), c.seen[2]);
    EXPECT_EQ(b.GetColorState(), CImageButton::kPressed);
    Release(w);
    b.EnableWindow(FALSE);
    const COLORREF last = ImageColour(w);
    const bool grey = GetRValue(last) == GetGValue(last) && GetGValue(last) == GetBValue(last);
    EXPECT_TRUE(c.seen[3] != 0 ? last == c.seen[3] : grey && last != kColours[0]);
    EXPECT_EQ(b.GetColorState(), CImageButton::kDisabled);
  }
  // Magenta is see-through; a missing bitmap fails and leaves the images there were.
  EXPECT_EQ(AfxImagePixel(Snapshot(W()), 3, 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_FALSE(button.SetBitmaps(9099, kMagenta));
  EXPECT_TRUE(button.HasImages());
  EXPECT_EQ(ImageColour(W()), kColours[0]);
}

TEST_F(ImageButtonTest, ImageGoesWhereTheAlignmentSays) {
  using B = CImageButton;
  const struct {
    UINT align;
    bool pressed;
    CPoint at;  // top-left of the 16 by 16 image in the 40 by 30 button
  } cases[] = {{0, false, {3, 3}},
               {B::kAlignHCenter | B::kAlignVCenter, false, {12, 7}},
               {B::kAlignRight, false, {21, 3}},
               {B::kAlignHCenter | B::kAlignVCenter, true, {13, 8}}};
  for (const auto& c : cases) {
    button.SetImageAlign(c.align);
    if (c.pressed) Press(W());
    const CRect box = Find(Snapshot(W()), c.pressed ? kColours[2] : kColours[0]);
    if (c.pressed) Release(W());
    EXPECT_EQ(box, CRect(c.at.x, c.at.y, c.at.x + 16, c.at.y + 16)) << c.align;
  }
}

// Flat: no frame until hovered, then a raised one, sunken while pressed. A default button
// that is not flat has a black frame while enabled.
TEST_F(ImageButtonTest, FramesFollowFlatnessHoverPressAndTheDefault) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                 shadow = GetSysColor(COLOR_BTNSHADOW);
  auto edges = [&] {  // left, top, right and bottom
    const QImage p = Snapshot(W());
    return std::vector<COLORREF>{AfxImagePixel(p, 0, 15), AfxImagePixel(p, 20, 0),
                                 AfxImagePixel(p, 39, 15), AfxImagePixel(p, 20, 29)};
  };
  EXPECT_EQ(edges(), (std::vector<COLORREF>{face, face, face, face}));
  Move(W());
  EXPECT_EQ(edges(), (std::vector<COLORREF>{light, light, shadow, shadow}));
  Press(W());
  EXPECT_EQ(edges(), (std::vector<COLORREF>{shadow, shadow, light, light}));
  Release(W());
  qobject_cast<QPushButton*>(W())->setDefault(true);
  button.SetStyleFlags(0);
  EXPECT_EQ(Find(Snapshot(W()), RGB(0, 0, 0)), CRect(0, 0, 40, 30));
  button.EnableWindow(FALSE);
  EXPECT_NE(AfxImagePixel(Snapshot(W()), 20, 0), RGB(0, 0, 0));
}

}  // namespace

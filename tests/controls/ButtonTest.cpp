#include <gtest/gtest.h>

#include <QBuffer>
#include <QCursor>
#include <QPushButton>
#include <vector>

#include "ControlsTestSupport.h"
#include "controls/ImageButton.h"
#include "framework/FrameworkTestSupport.h"
#include "framework/StdControlsTestSupport.h"
#include "framework/app/ModuleState.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
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

TEST_F(ImageButtonTest, HoverCapturesAndAHeldButtonKeepsTheCaptureUntilReleased) {
  Move(W());
  EXPECT_TRUE(button.IsHover() && HasCapture());
  Move(W(), kOutside);  // leaving unheld gives the capture back
  EXPECT_FALSE(button.IsHover() || HasCapture());
  Move(W());
  Press(W());
  Move(W(), kOutside, Qt::LeftButton);
  EXPECT_FALSE(button.IsHover());
  EXPECT_TRUE(button.IsPressed() && HasCapture());
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
}

// The mouse taken from the button (a window its press opened, the parent, the pointer gone
// while the click ran, the lock disabling it) leaves it neither pressed nor raised, and a
// disabled button lets the mouse go so the rest of the program still hears its clicks.
TEST_F(ImageButtonTest, LosingTheMouseEndsHoverAndPress) {
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

TEST_F(ImageButtonTest, SizeToContentFitsTheImageAndShowsTheButton) {
  button.ShowWindow(SW_HIDE);
  button.SetStyleFlags(CImageButton::kFlat | CImageButton::kSizeToContent);
  EXPECT_EQ(W()->geometry(), QRect(50, 50, 22, 22));  // image + 6, not moved
  EXPECT_FALSE(W()->isHidden());
  button.SetWindowText("A much longer caption");
  button.SetStyleFlags(CImageButton::kSizeToContent);
  EXPECT_GT(W()->width(), 16 + 6 + 40);
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

TEST_F(ImageButtonTest, TooltipIsMadeOnFirstUseWithOneTool) {
  button.SetTooltipText("Refresh");
  button.SetTooltipText("Remove", FALSE);
  ASSERT_NE(button.GetToolTip(), nullptr);
  EXPECT_EQ(button.GetToolTip()->GetToolCount(), 1);
  EXPECT_EQ(button.GetToolTip()->GetText(&button, 1), "Remove");
  EXPECT_FALSE(button.GetToolTip()->IsActive());
}

class CountingButton : public COwnerDrawButton {
 public:
  std::vector<DRAWITEMSTRUCT> drawn;
  void DrawItem(LPDRAWITEMSTRUCT request) override { drawn.push_back(*request); }
};

// Draw requests go to the parent first and to the button when the parent leaves them.
TEST(ButtonDraw, ParentDrawsFirstAndUnansweredRequestsReachTheButton) {
  OwnerWindow parent;
  parent.CreateShown();
  MakeTemplateButton(parent, 300, "Go", CRect(10, 10, 70, 34));
  CountingButton button;
  ASSERT_TRUE(button.SubclassDlgItem(300, &parent));
  Snapshot(button.GetSafeHwnd());
  ASSERT_FALSE(parent.requests.empty() || button.drawn.empty());
  const DRAWITEMSTRUCT& request = button.drawn.back();
  EXPECT_EQ(request.CtlType, ODT_BUTTON);
  EXPECT_EQ(request.CtlID, 300u);
  EXPECT_EQ(request.itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(CRect(request.rcItem), CRect(0, 0, 60, 24));
  EXPECT_EQ(request.itemState, 0u);
  button.EnableWindow(FALSE);
  static_cast<QPushButton*>(button.GetSafeHwnd())->setDown(true);
  Snapshot(button.GetSafeHwnd());
  EXPECT_EQ(button.drawn.back().itemState, ODS_DISABLED | ODS_SELECTED);
  parent.answer = true;
  const std::size_t before = button.drawn.size();
  Snapshot(button.GetSafeHwnd());
  EXPECT_EQ(button.drawn.size(), before);
}

// A dialog with a default button, a plain one and Cancel.
constexpr UINT kDialogId = 9100;
constexpr int kDefaultId = 1001, kOtherId = 1002;
constexpr LONG kPush = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;

class CommandDialog : public CDialog {
 public:
  using CDialog::m_nIDTemplate;
  std::vector<UINT> commands;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
};

class ImageButtonDialog : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    ASSERT_TRUE(dialog.Create(kDialogId, &owner));
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(go.SubclassDlgItem(kDefaultId, &dialog));
    ASSERT_TRUE(other.SubclassDlgItem(kOtherId, &dialog));
  }

  const ResourceTable tmpl{
      .strings = {},
      .menus = {},
      .dialogs = {MakeDialog(
          kDialogId, "", 160, 60, WS_POPUP | WS_CAPTION,
          {{"BUTTON", "Go", kDefaultId, 100, 7, 50, 14, kPush | BS_DEFPUSHBUTTON},
           {"BUTTON", "Other", kOtherId, 100, 25, 50, 14, kPush},
           {"BUTTON", "Cancel", IDCANCEL, 10, 25, 50, 14, kPush}})},
      .images = {}};
  ModuleResources registration{Library(), tmpl};
  AfxResourceHandleGuard guard{Library()};
  NotifyRecorder owner;
  CommandDialog dialog;
  CImageButton go;
  CImageButton other;
};

TEST_F(ImageButtonDialog, OwnerDrawnDefaultButtonAnswersEnter) {
  EXPECT_TRUE(go.IsDefault());
  go.SetFocus();
  PressKey(go.GetSafeHwnd(), Qt::Key_Return);  // Enter on the focused button
  // Enter inside a modal dialog goes to its default button.
  CommandDialog modal;
  modal.m_nIDTemplate = kDialogId;
  ScopedModalHook hook([](ModalRequest& request) {
    CImageButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kDefaultId, request.Dialog()));
    request.PressKey(VK_RETURN);
  });
  EXPECT_EQ(modal.DoModal(), IDCANCEL);  // "Go" closes nothing; the hook then cancels
  EXPECT_EQ(dialog.commands, std::vector<UINT>{kDefaultId});
  EXPECT_EQ(modal.commands, std::vector<UINT>{kDefaultId});
  EXPECT_EQ(go.GetCreationType(), static_cast<UINT>(BS_PUSHBUTTON));
}

TEST_F(ImageButtonDialog, SetStyleFlagsKeepsEveryButtonsDefaultState) {
  for (UINT flags : {5u, 1u, 0u}) {
    go.SetStyleFlags(flags);
    other.SetStyleFlags(flags);
    PumpEvents(20);  // the redraw request is posted
    EXPECT_TRUE(go.IsDefault() && !other.IsDefault()) << flags;
    EXPECT_EQ(LOWORD(dialog.GetDefID()), static_cast<WORD>(kDefaultId)) << flags;
    EXPECT_EQ(other.SendMessage(WM_GETDLGCODE), LRESULT{DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON});
    EXPECT_EQ(other.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
  }
}

}  // namespace

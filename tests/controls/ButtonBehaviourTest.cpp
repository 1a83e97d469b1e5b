#include <gtest/gtest.h>

#include <QPushButton>
#include <vector>

#include "ButtonTestSupport.h"
#include "controls/ImageButton.h"
#include "framework/CDialog.h"
#include "framework/FrameworkTestSupport.h"
#include "framework/ModalHook.h"
#include "framework/StdControlsTestSupport.h"

namespace {

using namespace button_test;

constexpr int kButtonId = 2012;
constexpr QPoint kInside{10, 10};
constexpr QPoint kOutside{-40, -40};  // over the parent window

class ImageButtonMouse : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    MakeTemplateButton(parent, kButtonId, "", BS_PUSHBUTTON | WS_VISIBLE,
                       CRect(100, 100, 130, 125));
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &parent));
    ASSERT_TRUE(button.SetBitmaps(kNormal, kMagenta));
  }
  void TearDown() override { ReleaseCapture(); }

  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    SendMouse(button.GetSafeHwnd(), type, at,
              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held);
  }
  bool HasCapture() const { return CWnd::GetCapture() == &button; }

  Bitmaps bitmaps;
  NotifyRecorder parent;
  CImageButton button;
};

TEST_F(ImageButtonMouse, HoverCapturesAndAHeldButtonKeepsTheCaptureUntilReleased) {
  Send(QEvent::MouseMove, kInside, {});
  EXPECT_TRUE(button.IsHover());
  EXPECT_TRUE(HasCapture());
  Send(QEvent::MouseMove, kOutside, {});  // leaving unheld gives the capture back
  EXPECT_FALSE(button.IsHover());
  EXPECT_FALSE(HasCapture());
  Send(QEvent::MouseMove, kInside, {});
  Send(QEvent::MouseButtonPress, kInside, Qt::LeftButton);
  EXPECT_TRUE(button.IsPressed());
  Send(QEvent::MouseMove, kOutside, Qt::LeftButton);
  EXPECT_FALSE(button.IsHover());
  EXPECT_TRUE(button.IsPressed());
  EXPECT_TRUE(HasCapture());
  Send(QEvent::MouseMove, kInside, Qt::LeftButton);  // back while held: no hover again
  EXPECT_FALSE(button.IsHover());
  Send(QEvent::MouseMove, kOutside, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, kOutside, {});
  EXPECT_FALSE(button.IsPressed());
  EXPECT_FALSE(HasCapture());
  EXPECT_TRUE(parent.Codes(WM_COMMAND).empty());  // released off the button: no click
  Send(QEvent::MouseMove, kInside, {});
  Send(QEvent::MouseButtonPress, kInside, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, kInside, {});
  EXPECT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{BN_CLICKED});
  EXPECT_FALSE(HasCapture());
}

// A hovered button that gets disabled (the lock disables the button under the pointer)
// lets the mouse go, so the rest of the program still hears its clicks.
TEST_F(ImageButtonMouse, DisablingAHoveredButtonLetsTheMouseGo) {
  Send(QEvent::MouseMove, kInside, {});
  ASSERT_TRUE(HasCapture());
  button.EnableWindow(FALSE);
  EXPECT_FALSE(HasCapture());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// The button held down loses the mouse to another window (one its press opened, or the
// parent taking it): the release goes there, and the button is not left drawn pressed.
TEST_F(ImageButtonMouse, LosingTheMouseWhileHeldEndsThePress) {
  Send(QEvent::MouseMove, kInside, {});
  Send(QEvent::MouseButtonPress, kInside, Qt::LeftButton);
  ASSERT_TRUE(button.IsPressed());
  parent.SetCapture();
  EXPECT_FALSE(button.IsPressed());
  EXPECT_NE(Snapshot(button.GetSafeHwnd()).pixelColor(10, 10), ToQColor(kColours[2]));
  ReleaseCapture();
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
  MakeTemplateButton(parent, 300, "Go", BS_PUSHBUTTON | WS_VISIBLE, CRect(10, 10, 70, 34));
  CountingButton button;
  ASSERT_TRUE(button.SubclassDlgItem(300, &parent));
  Snapshot(button.GetSafeHwnd());
  ASSERT_FALSE(parent.requests.empty());
  ASSERT_FALSE(button.drawn.empty());
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
constexpr int kDefaultId = 1001;
constexpr int kOtherId = 1002;
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
    tmpl.dialogs = {
        MakeDialog(kDialogId, "", 160, 60, WS_POPUP | WS_CAPTION,
                   {{"BUTTON", "Go", kDefaultId, 100, 7, 50, 14, kPush | BS_DEFPUSHBUTTON},
                    {"BUTTON", "Other", kOtherId, 100, 25, 50, 14, kPush},
                    {"BUTTON", "Cancel", IDCANCEL, 10, 25, 50, 14, kPush}})};
    registration = std::make_unique<ModuleResources>(Library(), tmpl);
    guard = std::make_unique<AfxResourceHandleGuard>(Library());
    owner.CreateShown();
    ASSERT_TRUE(dialog.Create(kDialogId, &owner));
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(go.SubclassDlgItem(kDefaultId, &dialog));
    ASSERT_TRUE(other.SubclassDlgItem(kOtherId, &dialog));
  }
  static HINSTANCE Library() {
    static char marker;
    return reinterpret_cast<HINSTANCE>(&marker);
  }

  ResourceTable tmpl;
  std::unique_ptr<ModuleResources> registration;
  std::unique_ptr<AfxResourceHandleGuard> guard;
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
    EXPECT_TRUE(go.IsDefault()) << flags;
    EXPECT_FALSE(other.IsDefault()) << flags;
    EXPECT_EQ(LOWORD(dialog.GetDefID()), static_cast<WORD>(kDefaultId)) << flags;
    EXPECT_EQ(other.SendMessage(WM_GETDLGCODE), LRESULT{DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON});
    EXPECT_EQ(other.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
  }
}

}  // namespace

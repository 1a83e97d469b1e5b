#include <gtest/gtest.h>

#include <QPushButton>
#include <vector>

#include "ButtonTestSupport.h"
#include "controls/ImageButton.h"
#include "framework/CDialog.h"
#include "framework/FrameworkTestSupport.h"
#include "framework/ModalHook.h"
#include "framework/StdControlsTestSupport.h"
#include "framework/ownerdraw/ButtonDraw.h"

namespace {

using namespace button_test;

constexpr int kButtonId = 2012;

class ImageButtonMouse : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    MakeTemplateButton(parent.GetSafeHwnd(), kButtonId, "", BS_PUSHBUTTON | WS_VISIBLE,
                       CRect(100, 100, 130, 125));
    ASSERT_TRUE(button.SubclassDlgItem(kButtonId, &parent));
    ASSERT_TRUE(button.SetBitmaps(kNormalBitmap, kMagenta));
  }
  void TearDown() override { ReleaseCapture(); }

  void Move(QPoint at, Qt::MouseButtons held = {}) {
    SendMouse(button.GetSafeHwnd(), QEvent::MouseMove, at, Qt::NoButton, held);
  }
  void Press(QPoint at) {
    SendMouse(button.GetSafeHwnd(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  }
  void Release(QPoint at) {
    SendMouse(button.GetSafeHwnd(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
  bool HasCapture() const { return CWnd::GetCapture() == &button; }

  static constexpr QPoint kInside{10, 10};
  static constexpr QPoint kOutside{-40, -40};  // over the parent window

  Bitmaps bitmaps;
  NotifyRecorder parent;
  CImageButton button;
};

TEST_F(ImageButtonMouse, HoverTakesTheCaptureAndLeavingGivesItBack) {
  Move(kInside);
  EXPECT_TRUE(button.IsHover());
  EXPECT_TRUE(HasCapture());
  Move(kInside);  // a second move over the button changes nothing
  EXPECT_TRUE(button.IsHover());
  Move(kOutside);
  EXPECT_FALSE(button.IsHover());
  EXPECT_FALSE(HasCapture());
  EXPECT_TRUE(parent.Codes(WM_COMMAND).empty());
}

TEST_F(ImageButtonMouse, HeldButtonKeepsTheCaptureOffTheButtonUntilReleased) {
  Move(kInside);
  Press(kInside);
  EXPECT_TRUE(button.IsPressed());
  Move(kOutside, Qt::LeftButton);
  EXPECT_FALSE(button.IsHover());
  EXPECT_TRUE(button.IsPressed());
  EXPECT_TRUE(HasCapture());
  Move(kInside, Qt::LeftButton);  // back while held: no hover again
  EXPECT_FALSE(button.IsHover());
  EXPECT_TRUE(HasCapture());
  Move(kOutside, Qt::LeftButton);
  Release(kOutside);
  EXPECT_FALSE(button.IsPressed());
  EXPECT_FALSE(HasCapture());
  EXPECT_TRUE(parent.Codes(WM_COMMAND).empty());  // released off the button: no click
}

TEST_F(ImageButtonMouse, ClickOnTheButtonSendsItsCommand) {
  Move(kInside);
  Press(kInside);
  Release(kInside);
  EXPECT_FALSE(button.IsPressed());
  EXPECT_FALSE(HasCapture());
  ASSERT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{BN_CLICKED});
  EXPECT_EQ(parent.received[0].id, static_cast<UINT>(kButtonId));
}

TEST_F(ImageButtonMouse, DisabledButtonIgnoresTheMouse) {
  button.EnableWindow(FALSE);
  Move(kInside);
  Press(kInside);
  EXPECT_FALSE(button.IsHover());
  EXPECT_FALSE(button.IsPressed());
  EXPECT_FALSE(HasCapture());
}

// Draw requests: the parent first; the button itself when the parent leaves them.
class DrawRecorder : public NotifyRecorder {
 public:
  std::vector<DRAWITEMSTRUCT> requests;
  bool answer = false;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_DRAWITEM) {
      requests.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      if (answer) return TRUE;
    }
    return NotifyRecorder::WindowProc(message, wParam, lParam);
  }
};

class CountingButton : public COwnerDrawButton {
 public:
  std::vector<DRAWITEMSTRUCT> drawn;
  void DrawItem(LPDRAWITEMSTRUCT request) override {
    drawn.push_back(*request);
    COwnerDrawButton::DrawItem(request);
  }
};

TEST(ButtonDraw, ParentDrawsFirstAndUnansweredRequestsReachTheButton) {
  DrawRecorder parent;
  parent.CreateShown();
  MakeTemplateButton(parent.GetSafeHwnd(), 300, "Go", BS_PUSHBUTTON | WS_VISIBLE,
                     CRect(10, 10, 70, 34));
  CountingButton button;
  ASSERT_TRUE(button.SubclassDlgItem(300, &parent));
  Picture(button.GetSafeHwnd());
  ASSERT_FALSE(parent.requests.empty());
  ASSERT_FALSE(button.drawn.empty());
  const DRAWITEMSTRUCT& request = button.drawn.back();
  EXPECT_EQ(request.CtlType, ODT_BUTTON);
  EXPECT_EQ(request.CtlID, 300u);
  EXPECT_EQ(request.itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(request.hwndItem, button.GetSafeHwnd());
  EXPECT_EQ(CRect(request.rcItem), CRect(0, 0, 60, 24));
  EXPECT_EQ(request.itemState & (ODS_DISABLED | ODS_SELECTED), 0u);

  button.EnableWindow(FALSE);
  Picture(button.GetSafeHwnd());
  EXPECT_NE(button.drawn.back().itemState & ODS_DISABLED, 0u);
  static_cast<QPushButton*>(button.GetSafeHwnd())->setDown(true);
  Picture(button.GetSafeHwnd());
  EXPECT_NE(button.drawn.back().itemState & ODS_SELECTED, 0u);

  parent.answer = true;
  const std::size_t before = button.drawn.size();
  parent.requests.clear();
  Picture(button.GetSafeHwnd());
  EXPECT_FALSE(parent.requests.empty());
  EXPECT_EQ(button.drawn.size(), before);
}

TEST(ButtonDraw, SubclassingRecordsTheCreationTypeAndSwitchesToOwnerDraw) {
  struct Case {
    LONG created;
    UINT creationType;
    bool isDefault;
    LRESULT code;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, BS_PUSHBUTTON, false, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, BS_PUSHBUTTON, true, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON, false, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_RADIOBUTTON, BS_RADIOBUTTON, false, DLGC_BUTTON | DLGC_RADIOBUTTON},
  };
  NotifyRecorder parent;
  parent.CreateShown();
  int id = 400;
  for (const Case& c : cases) {
    MakeTemplateButton(parent.GetSafeHwnd(), ++id, "b", c.created | WS_VISIBLE,
                       CRect(0, 0, 40, 20));
    COwnerDrawButton button;
    ASSERT_TRUE(button.SubclassDlgItem(static_cast<UINT>(id), &parent));
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW)) << id;
    EXPECT_EQ(button.GetCreationType(), c.creationType) << id;
    EXPECT_EQ(button.IsDefault(), c.isDefault) << id;
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), c.code) << id;
  }
}

TEST(ButtonDraw, SetStyleKeepsOwnerDrawAndMovesTheDefaultFlag) {
  NotifyRecorder parent;
  parent.CreateShown();
  MakeTemplateButton(parent.GetSafeHwnd(), 500, "b", BS_PUSHBUTTON | WS_VISIBLE,
                     CRect(0, 0, 40, 20));
  COwnerDrawButton button;
  ASSERT_TRUE(button.SubclassDlgItem(500, &parent));
  button.SetButtonStyle(BS_DEFPUSHBUTTON);
  EXPECT_TRUE(button.IsDefault());
  EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
  EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), LRESULT{DLGC_BUTTON | DLGC_DEFPUSHBUTTON});
  button.SetButtonStyle(BS_PUSHBUTTON);
  EXPECT_FALSE(button.IsDefault());
  EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
}

// A dialog with a default button and a plain one, both image buttons.
constexpr UINT kDialogId = 9100;
constexpr int kDefaultId = 1001;
constexpr int kOtherId = 1002;

char g_dialogs;
HINSTANCE DialogLibrary() { return reinterpret_cast<HINSTANCE>(&g_dialogs); }

const ResourceTable kDialogs{
    .strings = {},
    .menus = {},
    .dialogs =
        {{kDialogId,
          "Buttons",
          0,
          0,
          160,
          60,
          WS_POPUP | WS_CAPTION,
          "MS Shell Dlg",
          8,
          {
              {"BUTTON", "Go", kDefaultId, 100, 7, 50, 14,
               WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON},
              {"BUTTON", "Other", kOtherId, 100, 25, 50, 14, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON},
              {"BUTTON", "Cancel", IDCANCEL, 10, 25, 50, 14, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON},
          }}},
    .images = {},
};

class CommandDialog : public CDialog {
 public:
  CommandDialog() : CDialog(kDialogId) {}
  std::vector<UINT> commands;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
};

TEST(ImageButtonDialog, OwnerDrawnDefaultButtonAnswersEnter) {
  ModuleResources registration(DialogLibrary(), kDialogs);
  AfxResourceHandleGuard guard(DialogLibrary());
  CommandDialog dialog;
  ScopedModalHook hook([](ModalRequest& request) {
    CImageButton go;
    ASSERT_TRUE(go.SubclassDlgItem(kDefaultId, request.Dialog()));
    EXPECT_EQ(go.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    EXPECT_TRUE(go.IsDefault());
    request.PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // "Go" ends nothing; the hook then cancels
  ASSERT_FALSE(dialog.commands.empty());
  EXPECT_EQ(dialog.commands.front(), static_cast<UINT>(kDefaultId));
}

TEST(ImageButtonDialog, EnterOnTheFocusedOwnerDrawnDefaultButtonClicksIt) {
  ModuleResources registration(DialogLibrary(), kDialogs);
  AfxResourceHandleGuard guard(DialogLibrary());
  NotifyRecorder owner;
  owner.CreateShown();
  CommandDialog dialog;
  ASSERT_TRUE(dialog.Create(kDialogId, &owner));
  dialog.ShowWindow(SW_SHOW);
  CImageButton go;
  ASSERT_TRUE(go.SubclassDlgItem(kDefaultId, &dialog));
  PressKey(go.GetSafeHwnd(), Qt::Key_Return);
  ASSERT_EQ(dialog.commands, std::vector<UINT>{static_cast<UINT>(kDefaultId)});
}

TEST(ImageButtonDialog, SetStyleFlagsKeepsEveryButtonsDefaultState) {
  ModuleResources registration(DialogLibrary(), kDialogs);
  AfxResourceHandleGuard guard(DialogLibrary());
  NotifyRecorder owner;
  owner.CreateShown();
  CommandDialog dialog;
  ASSERT_TRUE(dialog.Create(kDialogId, &owner));
  CImageButton go;
  CImageButton other;
  ASSERT_TRUE(go.SubclassDlgItem(kDefaultId, &dialog));
  ASSERT_TRUE(other.SubclassDlgItem(kOtherId, &dialog));
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

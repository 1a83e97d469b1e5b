#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/app/ModuleState.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CButton.h"
#include "framework/stdcontrols/CEdit.h"
#include "framework/stdcontrols/CProgressCtrl.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

constexpr LONG kChild = WS_CHILD | WS_VISIBLE;

char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

const ResourceTable kDialog{
    .strings = {},
    .menus = {},
    .dialogs = {MakeDialog(700, "Buttons", 160, 60, WS_POPUP | WS_CAPTION,
                           {{"BUTTON", "OK", IDOK, 100, 7, 50, 14, kChild | BS_DEFPUSHBUTTON},
                            {"BUTTON", "Other", 1001, 100, 25, 50, 14, kChild}})},
    .images = {},
};

class StdButtons : public testing::Test {
 protected:
  void SetUp() override { parent.CreateShown(); }
  NotifyRecorder parent;
};

TEST_F(StdButtons, ClickSendsClickedFromCreatedAndTemplateButtons) {
  CButton made;
  ASSERT_TRUE(made.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &parent, 3001));
  DialogResource tmpl;
  tmpl.items.push_back(DialogItem{"BUTTON", "Tmpl", 3002, 5, 40, 50, 14, kChild});
  AfxCreateDialogControls(parent.GetSafeHwnd(), tmpl);
  CButton wrapped;
  ASSERT_TRUE(wrapped.SubclassDlgItem(3002, &parent));
  static_cast<QPushButton*>(made.GetSafeHwnd())->click();
  static_cast<QPushButton*>(wrapped.GetSafeHwnd())->click();
  ASSERT_EQ(parent.Codes(WM_COMMAND), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
  EXPECT_EQ(parent.received[0].id, 3001u);
  EXPECT_EQ(parent.received[0].from, made.GetSafeHwnd());
  EXPECT_EQ(parent.received[1].id, 3002u);
  EXPECT_EQ(made.GetWindowText(), "Go");
}

TEST_F(StdButtons, SetStyleChangesTheTypeAndTheDialogCode) {
  struct Case {
    LONG created;
    UINT setTo;  // 0xFFFF: no change
    LRESULT code;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, 0xFFFF, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_AUTOCHECKBOX, 0xFFFF, DLGC_BUTTON},
  };
  UINT id = 3100;
  for (const Case& c : cases) {
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE | static_cast<DWORD>(c.created), CRect(0, 0, 60, 20),
                              &parent, ++id));
    if (c.setTo != 0xFFFF) button.SetButtonStyle(c.setTo);
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), c.code) << id;
    if (auto* push = qobject_cast<QPushButton*>(button.GetSafeHwnd())) {
      EXPECT_EQ(push->isDefault(), (c.code & DLGC_DEFPUSHBUTTON) != 0) << id;
      EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, c.setTo != 0xFFFF ? c.setTo : c.created);
    }
  }
}

// Records the commands the dialog receives.
class CommandDialog : public CDialog {
 public:
  CommandDialog() : CDialog(700) {}
  std::vector<UINT> commands;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
};

TEST_F(StdButtons, AButtonMadeDefaultAnswersEnter) {
  ModuleResources registration(Library(), kDialog);
  AfxResourceHandleGuard guard(Library());
  CommandDialog dialog;
  ScopedModalHook hook([](ModalRequest& request) {
    CButton other;
    ASSERT_TRUE(other.SubclassDlgItem(1001, request.Dialog()));
    other.SetButtonStyle(BS_DEFPUSHBUTTON);
    request.PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // "Other" ends nothing; the hook then cancels
  ASSERT_FALSE(dialog.commands.empty());
  EXPECT_EQ(dialog.commands.front(), 1001u);
}

TEST_F(StdButtons, CheckBoxStatesByCodeAndByClick) {
  CButton box;
  ASSERT_TRUE(box.Create("Check", WS_VISIBLE | BS_AUTO3STATE, CRect(0, 0, 90, 20), &parent, 3200));
  box.SetCheck(BST_INDETERMINATE);
  EXPECT_EQ(box.GetCheck(), BST_INDETERMINATE);
  box.SetCheck(BST_UNCHECKED);
  EXPECT_TRUE(parent.received.empty());  // setting by code is silent
  static_cast<QCheckBox*>(box.GetSafeHwnd())->click();
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  EXPECT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{BN_CLICKED});
}

class StdEdit : public testing::Test {
 protected:
  void SetUp() override { parent.CreateShown(); }
  void Make(DWORD style) {
    ASSERT_TRUE(edit.Create(WS_VISIBLE | style, CRect(5, 5, 150, 25), &parent, 4001));
  }
  QLineEdit* Line() const { return static_cast<QLineEdit*>(edit.GetSafeHwnd()); }
  NotifyRecorder parent;
  CEdit edit;
};

TEST_F(StdEdit, PasswordHidesTheTextButKeepsIt) {
  Make(ES_PASSWORD | ES_AUTOHSCROLL);
  edit.SetWindowText("secret");
  EXPECT_EQ(edit.GetWindowText(), "secret");
  EXPECT_EQ(Line()->echoMode(), QLineEdit::Password);
  EXPECT_EQ(Line()->displayText().size(), 6);
  EXPECT_FALSE(Line()->displayText().contains(QLatin1String("secret")));
}

TEST_F(StdEdit, EveryChangeTypedOrSetNotifies) {
  Make(ES_AUTOHSCROLL);
  edit.SetWindowText("ab");
  Line()->setFocus();
  PressKey(Line(), Qt::Key_X, QStringLiteral("x"));
  EXPECT_EQ(edit.GetWindowText(), "abx");
  EXPECT_EQ(parent.Codes(WM_COMMAND), (std::vector<UINT>{EN_CHANGE, EN_CHANGE}));
  EXPECT_EQ(parent.received[0].id, 4001u);
}

TEST_F(StdEdit, SelectionIsClampedToTheText) {
  Make(ES_AUTOHSCROLL);
  edit.SetWindowText("Other Applications");
  struct Case {
    int start;
    int end;
    int gotStart;
    int gotEnd;
  };
  const Case cases[] = {{6, -1, 6, 18}, {3, 99, 3, 18}, {-1, 0, 18, 18}};
  for (const Case& c : cases) {
    edit.SetSel(c.start, c.end);
    int start = -7;
    int end = -7;
    edit.GetSel(start, end);
    EXPECT_EQ(start, c.gotStart) << c.start << "," << c.end;
    EXPECT_EQ(end, c.gotEnd) << c.start << "," << c.end;
  }
}

TEST(StdProgress, PositionsAreClampedToTheRange) {
  NotifyRecorder parent;
  parent.CreateShown();
  CProgressCtrl bar;
  ASSERT_TRUE(bar.Create(WS_VISIBLE, CRect(0, 0, 100, 10), &parent, 5001));
  bar.SetRange(10, 20);
  struct Case {
    int set;
    int previous;
    int now;
  };
  const Case cases[] = {{15, 10, 15}, {25, 15, 20}, {-3, 20, 10}};
  for (const Case& c : cases) {
    EXPECT_EQ(bar.SetPos(c.set), c.previous) << c.set;
    EXPECT_EQ(bar.GetPos(), c.now) << c.set;
  }
  bar.SetRange(5, 5);  // an empty range: the bar stays empty
  EXPECT_EQ(bar.GetPos(), 5);
}

}  // namespace

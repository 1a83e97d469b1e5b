#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "framework/app/CWinApp.h"
#include "framework/dialogbase/CDataExchange.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/DialogUnits.h"
#include "framework/dialogbase/MessageBox.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/Resources.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

constexpr LONG kChild = WS_CHILD | WS_VISIBLE;

const ResourceTable kDialogs{
    .strings = {},
    .menus = {},
    .dialogs = {MakeDialog(500, "Test Dialog", 200, 100,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                           {{"EDIT", "", 1001, 7, 7, 100, 12, kChild | ES_AUTOHSCROLL},
                            {"BUTTON", "Check", 1002, 7, 25, 100, 10, kChild | BS_AUTOCHECKBOX},
                            {"EDIT", "", 1003, 7, 40, 40, 12, kChild},
                            {"BUTTON", "OK", IDOK, 140, 7, 50, 14, kChild | BS_DEFPUSHBUTTON},
                            {"BUTTON", "Cancel", IDCANCEL, 140, 25, 50, 14, kChild}}),
                MakeDialog(501, "Save first", 120, 60, WS_POPUP | WS_CAPTION,
                           {{"EDIT", "", 1001, 7, 7, 100, 12, kChild},
                            {"BUTTON", "Save", 1005, 7, 25, 50, 14, kChild | BS_DEFPUSHBUTTON}})},
    .images = {},
};
const ModuleResources kRegistration(kDialogs);

class TestDialog : public CDialog {
 public:
  explicit TestDialog(UINT id = 500) : CDialog(id) {}

  std::string name = "initial";
  int checked = BST_CHECKED;
  int number = 5;
  Journal journal;

  BOOL OnInitDialog() override {
    journal.Add("init");
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, 1001, name);
    if (m_nIDTemplate == 500) {
      DDX_Check(pDX, 1002, checked);
      DDX_Text(pDX, 1003, number);
    }
  }
  void OnSave() { journal.Add("save"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CDialog::GetMessageMap(),
                                {msg::Control(BN_CLICKED, 1005, &TestDialog::OnSave)}};
    return &map;
  }
};

void SetText(CDialog* dialog, int id, const char* text) {
  dialog->GetDlgItem(id)->SetWindowText(text);
}

// Controls are placed in pixels of the template's font size.
TEST(ModalDialog, InitialisesControlsFromMembersAndOkSavesThemBack) {
  TestDialog dialog;
  std::string seenName;
  UINT seenCheck = 99;
  CRect placed;
  CRect client;
  ScopedModalHook hook([&](ModalRequest& request) {
    ASSERT_EQ(request.Dialog(), &dialog);
    EXPECT_EQ(request.Caption(), "Test Dialog");
    seenName = dialog.GetDlgItemText(1001);
    seenCheck = dialog.IsDlgButtonChecked(1002);
    dialog.GetDlgItem(1001)->GetWindowRect(&placed);
    dialog.ScreenToClient(&placed);
    dialog.GetClientRect(&client);
    SetText(&dialog, 1001, "renamed");
    dialog.CheckDlgButton(1002, BST_UNCHECKED);
    SetText(&dialog, 1003, " -42");
    request.PressOk();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(seenName, "initial");
  EXPECT_EQ(seenCheck, static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(dialog.name, "renamed");
  EXPECT_EQ(dialog.checked, BST_UNCHECKED);
  EXPECT_EQ(dialog.number, -42);
  EXPECT_EQ(dialog.journal.entries, std::vector<std::string>{"init"});
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
  const CSize base = TemplateBaseUnits(8);
  EXPECT_EQ(placed, MapDialogRect(base, CRect(7, 7, 107, 19)));
  EXPECT_EQ(client.Size(), CSize(MulDiv(200, base.cx, 4), MulDiv(100, base.cy, 8)));
}

TEST(ModalDialog, EachWayOfClosingGivesItsResult) {
  struct Case {
    const char* what;
    std::function<void(ModalRequest&)> act;
    int result;
    bool saved;
  };
  const std::vector<Case> cases{
      {"OK button", [](ModalRequest& r) { r.PressOk(); }, IDOK, true},
      {"Cancel button", [](ModalRequest& r) { r.PressCancel(); }, IDCANCEL, false},
      {"Enter presses the default button", [](ModalRequest& r) { r.PressKey(VK_RETURN); }, IDOK,
       true},
      {"Escape cancels", [](ModalRequest& r) { r.PressKey(VK_ESCAPE); }, IDCANCEL, false},
      {"click on OK", [](ModalRequest& r) { r.Click(IDOK); }, IDOK, true},
      {"closing the window", [](ModalRequest& r) { r.Dialog()->SendMessage(WM_CLOSE); }, IDCANCEL,
       false},
      {"left open by the hook", [](ModalRequest&) {}, IDCANCEL, false},
  };
  for (const Case& c : cases) {
    TestDialog dialog;
    ScopedModalHook hook([&](ModalRequest& request) {
      SetText(request.Dialog(), 1001, "typed");
      c.act(request);
    });
    EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
    EXPECT_EQ(dialog.name, c.saved ? "typed" : "initial") << c.what;
  }
}

TEST(ModalDialog, EnterPressesTheTemplatesDefaultButtonNotOk) {
  TestDialog dialog(501);
  ScopedModalHook hook([&](ModalRequest& request) {
    EXPECT_EQ(LOWORD(dialog.GetDefID()), 1005);
    request.PressKey(VK_RETURN);
    EXPECT_TRUE(dialog.IsModalRunning());
    dialog.GetDlgItem(1005)->EnableWindow(FALSE);
    request.PressKey(VK_RETURN);  // a disabled default button does nothing
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.journal.entries, (std::vector<std::string>{"init", "save"}));
}

TEST(ModalDialog, BadIntegerKeepsTheDialogOpenWithAMessage) {
  TestDialog dialog;
  std::vector<std::string> boxes;
  bool stayedOpen = false;
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) {
      boxes.push_back(request.Text());
      return;
    }
    SetText(request.Dialog(), 1001, "changed");
    SetText(request.Dialog(), 1003, "12x");
    request.PressOk();
    stayedOpen = dialog.IsModalRunning() && dialog.GetSafeHwnd() != nullptr;
    request.PressCancel();
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(boxes, std::vector<std::string>{"Please enter an integer."});
  EXPECT_EQ(dialog.number, 5);
}

TEST(ModalDialog, MissingTemplateFailsWithoutReachingTheHook) {
  TestDialog dialog(4242);
  int calls = 0;
  ScopedModalHook hook([&](ModalRequest&) { ++calls; });
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(calls, 0);
}

#ifdef NDEBUG
TEST(ModalDialog, ReenteringARunningDialogIsRefused) {
  TestDialog dialog;
  int inner = 0;
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == &dialog && inner == 0) inner = dialog.DoModal();
    request.PressOk();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(inner, -1);
}
#endif

TEST(MessageBox, HookSeesTextAndCaptionAndAnswers) {
  CWinApp app("TaskMeter");
  struct Case {
    UINT type;
    int answer, expected;  // answer 0: the hook does not answer
  };
  const Case cases[] = {{MB_OK, 0, IDOK},
                        {MB_OKCANCEL, IDCANCEL, IDCANCEL},
                        {MB_YESNO, 0, IDYES},
                        {MB_YESNO, IDNO, IDNO}};
  for (const Case& c : cases) {
    std::string seen;
    ScopedModalHook hook([&](ModalRequest& request) {
      EXPECT_EQ(request.Dialog(), nullptr);
      EXPECT_EQ(request.Type(), c.type);
      seen = request.Text() + "|" + request.Caption();
      if (c.answer != 0) request.Answer(c.answer);
    });
    EXPECT_EQ(AfxMessageBox("Update Main Pref!", c.type), c.expected) << c.type << "/" << c.answer;
    EXPECT_EQ(seen, "Update Main Pref!|TaskMeter");
  }
  TestWnd owner;
  ASSERT_TRUE(owner.CreateTopLevel());
  std::string caption;
  ScopedModalHook hook([&](ModalRequest& request) { caption = request.Caption(); });
  EXPECT_EQ(owner.MessageBox("The passwords don't match!", "Message", MB_OK), IDOK);
  EXPECT_EQ(caption, "Message");
}

TEST(DialogUnits, MapWithTheBaseUnitsAndRoundToNearest) {
  // 10.5 and 11.375 round to 11; 1.75 -> 2, 2 -> 2, 3.5 -> 4, 6
  EXPECT_EQ(MapDialogRect({6, 13}, {7, 7, 107, 19}), CRect(11, 11, 161, 31));
  EXPECT_EQ(MapDialogRect({7, 16}, {1, 1, 2, 3}), CRect(2, 2, 4, 6));
}

TEST(DialogUnits, BaseWidthIsTheAverageLetterRoundedUpSoTemplateTextsKeepTheirRoom) {
  const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  for (int points : {7, 8, 9, 10, 11, 12, 14}) {
    QFont font = QApplication::font();
    font.setPointSize(points);
    const int width = QFontMetrics(font).horizontalAdvance(letters);
    const int cx = DialogBaseUnits(font).cx;
    EXPECT_GE(cx * 52, width) << points;
    EXPECT_LT((cx - 1) * 52, width) << points;
  }
}

TEST(DialogIntegers, ReadLikeDialogsAlwaysHave) {
  struct Case {
    const char* text;
    bool isSigned, ok;
    long long value;
  };
  const Case cases[] = {
      {"42", true, true, 42},
      {"-7", true, true, -7},
      {"-7", false, false, 0},
      {"", true, false, 0},
      {"12x", true, false, 0},
      {"2147483647", true, true, 2147483647},
      {"2147483648", true, false, 0},
      {"-2147483648", true, true, -2147483648LL},
      {"4294967295", false, true, 4294967295LL},
      {"4294967296", false, false, 0},
  };
  for (const Case& c : cases) {
    const DialogInt parsed = ParseDialogInt(c.text, c.isSigned);
    EXPECT_EQ(parsed.ok, c.ok) << '"' << c.text << '"';
    EXPECT_EQ(parsed.ok ? parsed.value : 0, c.value) << c.text;
  }
}

// Without a hook the dialog runs its own event loop until something ends it: EndDialog
// itself exchanges no data; Enter in a field presses OK, which saves it.
TEST(ModalLoop, RunsUntilEndDialogOrEnterFromTheEventLoop) {
  const ScopedModalHook ownLoop(nullptr);
  const std::pair<bool, const char*> cases[] = {{false, "initial"}, {true, "typed"}};
  for (const auto& [enter, name] : cases) {
    TestDialog dialog;
    QTimer::singleShot(0, [&dialog, enter = enter] {
      SetText(&dialog, 1001, "typed");
      if (enter) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog.GetDlgItem(1001)->GetSafeHwnd(), &key);
      } else {
        dialog.EndDialog(IDOK);
      }
    });
    EXPECT_EQ(dialog.DoModal(), IDOK) << enter;
    EXPECT_EQ(dialog.name, name) << enter;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include "framework/dialogbase/CDataExchange.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

const ResourceTable kDialogs{
    .strings = {},
    .menus = {},
    .dialogs = {MakeDialog(500, "Number", 120, 40, WS_POPUP | WS_CAPTION,
                           {{"EDIT", "", 1003, 7, 7, 40, 12, WS_CHILD | WS_VISIBLE}})},
    .images = {},
};
const ModuleResources kRegistration(kDialogs);

class NumberDialog : public CDialog {
 public:
  NumberDialog() : CDialog(500) {}
  int number = 5;
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 1003, number); }
};

TEST(ModalDialog, BadIntegerKeepsTheDialogOpenWithAMessage) {
  NumberDialog dialog;
  std::vector<std::string> boxes;
  bool stayedOpen = false;
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) {
      boxes.push_back(request.Text());
      return;
    }
    request.Dialog()->GetDlgItem(1003)->SetWindowText("12x");
    request.PressOk();
    stayedOpen = dialog.IsModalRunning() && dialog.GetSafeHwnd() != nullptr;
    request.PressCancel();
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(boxes, std::vector<std::string>{"Please enter an integer."});
  EXPECT_EQ(dialog.number, 5);
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

}  // namespace

#include <gtest/gtest.h>

#include <QLabel>
#include <utility>

#include "StdControlsTestSupport.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/CComboBox.h"

namespace {

TEST(StdStatic, TextFollowsTheAccessKeyRuleAndIsNeverRich) {
  NotifyRecorder form;
  form.CreateShown();
  DialogResource tmpl;
  tmpl.items = {{"STATIC", "&Name:", 10, 5, 5, 60, 10, WS_CHILD | WS_VISIBLE | SS_LEFT},
                {"STATIC", "<b>rich</b>", 11, 70, 5, 80, 10, WS_CHILD | WS_VISIBLE | SS_LEFT}};
  AfxCreateDialogControls(form.GetSafeHwnd(), tmpl);
  auto* label = static_cast<QLabel*>(form.GetDlgItem(11)->GetSafeHwnd());
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_EQ(static_cast<QLabel*>(form.GetDlgItem(10)->GetSafeHwnd())->text(), "Name:");
  const std::pair<const char*, const char*> cases[] = {
      {"&Name:", "Name:"}, {"a && b", "a & b"}, {"<b>x</b>", "<b>x</b>"}, {"end&", "end"}};
  for (const auto& [given, shown] : cases) {
    form.SetDlgItemText(11, given);
    EXPECT_EQ(label->text().toStdString(), shown) << given;
    EXPECT_EQ(form.GetDlgItemText(11), given);
  }
}

TEST(StdCombo, AddingSortsSilentlyAndOnlyAUsersChangeNotifies) {
  NotifyRecorder parent;
  parent.CreateShown();
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(10, 10, 130, 40),
                           &parent, 2031));
  EXPECT_EQ(combo.AddString("pear"), 0);
  EXPECT_EQ(combo.AddString("Apple"), 0);
  EXPECT_EQ(combo.AddString("fig"), 1);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);  // adding selects nothing
  EXPECT_EQ(combo.GetLBText(1), "fig");
  EXPECT_EQ(combo.GetItemData(3), static_cast<DWORD_PTR>(CB_ERR));
  EXPECT_EQ(combo.SetCurSel(0), 0);
  EXPECT_TRUE(parent.received.empty());
  PressKey(combo.GetSafeHwnd(), Qt::Key_Down);
  EXPECT_EQ(combo.GetCurSel(), 1);
  ASSERT_EQ(parent.Codes(WM_COMMAND), std::vector<UINT>{CBN_SELCHANGE});
  EXPECT_EQ(parent.received[0].id, 2031u);
  EXPECT_EQ(combo.DeleteString(1), 2);  // the selected entry: no selection left
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(parent.received.size(), 1u);
}

}  // namespace

#include <gtest/gtest.h>

#include <QTabBar>

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "res/ResourceIds.h"
#include "tests/module/ViewFixture.h"

namespace {

using DesktopMannersTest = ViewTest;

TEST_F(DesktopMannersTest, DialogsOpenCentredOverTheirWindowWithTheTemplatesSize) {
  MainPrefs locked;
  locked.isPass = true;
  Open({{"A", {Application("a1")}}}, {}, locked);
  QWidget* owner = view->GetTopLevelParent()->GetWidget();
  owner->setGeometry(60, 40, 700, 520);  // not at the corner, within the screen
  std::vector<UINT> opened;
  ScopedModalHook hook([&](ModalRequest& request) {
    const QWidget* dialog = request.Dialog()->GetWidget();
    opened.push_back(request.Dialog()->GetTemplateId());
    EXPECT_LE(
        (dialog->frameGeometry().center() - owner->frameGeometry().center()).manhattanLength(), 1);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    opened.back() == IDD_PASSWORD ? request.PressOk()
                                  : request.PressCancel();  // the empty password
  });
  Click(IDC_VIEW_UNLOCK);
  ClickTreeItem({"A", "a1"});
  for (int id : {IDC_VIEW_PREFERENCES, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_MOVETO, IDC_VIEW_NEWGROUP}) {
    Click(id);
  }
  EXPECT_EQ(opened, (std::vector<UINT>{IDD_PASSWORD, IDD_MAINSETTINGS, IDD_PREDEFGROUPS, IDD_MOVETO,
                                       IDD_NEWGROUP}));
}

TEST_F(DesktopMannersTest, CaptionsShowAmpersandsAndCutLongNamesShort) {
  const std::string longName = "Integrated development environment, nightly build with plugins";
  Open({{"A&B", {Application("rd", "R&D"), Application("ide", longName)}}});
  auto* tabs = Item(IDC_VIEW_TABHOST)->GetWidget()->findChild<QTabBar*>();
  ClickTreeItem({"A&B", "R&D"});
  EXPECT_EQ(tabs->tabText(0).toStdString(), "R&&D");  // shows "R&D", nothing underlined
  EXPECT_EQ(PageText(0, IDC_ASSOC_FILTER_CHECK),
            "Application \"R&&D\" is active and its caption contain text:");
  ClickTreeItem({"A&B", longName});
  EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(1)));
  EXPECT_GE(tabs->tabRect(1).width(), tabs->fontMetrics().horizontalAdvance("Quick Info"));
  EXPECT_EQ(PageText(0, IDC_ASSOC_FILTER_CHECK).find("Application \"Integrated"), 0u);
  EXPECT_NE(PageText(0, IDC_ASSOC_FILTER_CHECK).find("...\" is active"), std::string::npos);
}

}  // namespace

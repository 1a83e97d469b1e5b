#include <gtest/gtest.h>

#include <QTabBar>

#include "res/ResourceIds.h"
#include "tests/view/ViewFixture.h"

namespace {

using DesktopMannersTest = ViewTest;

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

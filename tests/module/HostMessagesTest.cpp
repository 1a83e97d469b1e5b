#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>

#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "module/HostMessages.h"
#include "res/ResourceIds.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/module/ModuleHost.h"

namespace {

TEST(HostMessageNames, FixedNamesGiveDistinctRegisteredNumbers) {
  const UINT prefs = RegisterPrefsChangedMessage();
  const UINT report = RegisterReportRequestMessage();
  EXPECT_GE(prefs, 0xC000u);
  EXPECT_GE(report, 0xC000u);
  EXPECT_NE(prefs, report);
  EXPECT_EQ(g_nPrefsChangedMsg, prefs);  // registered when the code was loaded
  EXPECT_EQ(RegisterPrefsChangedMessage(), prefs);
}

class AnnouncementTest : public testing::Test {
 protected:
  HostFixture host;
};

TEST_F(AnnouncementTest, MainWindowGetsPostSendAndBroadcastAndTheQueueGetsOne) {
  BystanderWnd bystander;
  ASSERT_TRUE(bystander.CreateTopLevel());
  AnnouncePrefsChanged();
  // Only the send is handled before the call returns; the posts wait for the loop.
  EXPECT_EQ(host.mainFrame->prefsChanged, 1);
  EXPECT_EQ(bystander.prefsChanged, 0);
  EXPECT_EQ(host.app.threadPrefsChanged, 0);
  PumpEvents();
  EXPECT_EQ(host.mainFrame->prefsChanged, 3);  // post, send, broadcast
  EXPECT_EQ(bystander.prefsChanged, 1);        // broadcast only
  EXPECT_EQ(host.app.threadPrefsChanged, 1);
}

// The view's report command and the shared menu, with the document open in the host.
class ViewCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(TheModule().entry, nullptr) << TheModule().error;
    doc = host.OpenDocument(host.AddModuleTemplate());
    ASSERT_NE(doc, nullptr);
    view = HostFixture::ViewOf(doc);
    ASSERT_NE(view, nullptr);
  }

  HostFixture host;
  CDocument* doc = nullptr;
  CView* view = nullptr;
};

TEST_F(ViewCommandTest, ReportRequestIsSentToTheMainWindowFromMenuAndButton) {
  host.mainFrame->SendMessage(WM_COMMAND, ID_REPORTS_MAKE, 0);  // the menu bar's item
  EXPECT_EQ(host.mainFrame->reportRequests, 1);  // sent: handled before the command returns
  auto* button = qobject_cast<QPushButton*>(view->GetDlgItem(IDC_VIEW_REPORTS)->GetSafeHwnd());
  ASSERT_NE(button, nullptr);
  button->click();
  EXPECT_EQ(host.mainFrame->reportRequests, 2);
  PumpEvents();
  EXPECT_EQ(host.mainFrame->reportRequests, 2);  // nothing was posted besides
  EXPECT_EQ(host.mainFrame->prefsChanged, 0);
}

TEST_F(ViewCommandTest, CommandsTheModuleDoesNotHandleReachTheHost) {
  host.mainFrame->SendMessage(WM_COMMAND, ID_HOST_HIDE, 0);
  EXPECT_EQ(host.mainFrame->hideCommands, 1);
  // The child frame passes what its view and document do not take on to the host.
  view->GetParentFrame()->SendMessage(WM_COMMAND, ID_HOST_HIDE, 0);
  EXPECT_EQ(host.mainFrame->hideCommands, 2);
}

TEST_F(ViewCommandTest, OpeningAMenuGreysCommandsNobodyTakes) {
  QMenu* reports = host.MenuBarPopup("Reports");
  QMenu* file = host.MenuBarPopup("&File");
  ASSERT_NE(reports, nullptr);
  ASSERT_NE(file, nullptr);
  for (QMenu* menu : {reports, file}) emit menu->aboutToShow();
  const struct {
    QMenu* menu;
    UINT id;
    bool enabled;
  } cases[] = {
      {reports, ID_REPORTS_MAKE, true},  // the view's state query: unlocked
      {file, ID_HOST_HIDE, true},        // the stand-in host takes it
      {file, ID_HOST_EXIT, false},       // nobody does in this test
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HostFixture::ItemEnabled(c.menu, c.id), c.enabled) << c.id;
  }
}

}  // namespace

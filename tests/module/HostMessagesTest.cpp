#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <map>

#include "framework/resources/MenuBuilder.h"
#include "framework/windows/CView.h"
#include "module/HostMessages.h"
#include "res/ResourceIds.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/module/ModuleHost.h"

namespace {

TEST(AnnouncementTest, MainWindowGetsPostSendAndBroadcastAndTheQueueGetsOne) {
  HostFixture host;
  BystanderWnd bystander;
  ASSERT_TRUE(bystander.CreateEx(0, nullptr, "bystander", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 60),
                                 nullptr, 0));
  AnnouncePrefsChanged();
  // Only the send is handled before the call returns; the posts wait for the loop.
  EXPECT_EQ(host.mainFrame->prefsChanged, 1);
  EXPECT_EQ(bystander.prefsChanged + host.app.prefsChanged, 0);
  PumpEvents();
  EXPECT_EQ(host.mainFrame->prefsChanged, 3);  // post, send, broadcast
  EXPECT_EQ(bystander.prefsChanged, 1);        // broadcast only
  EXPECT_EQ(host.app.prefsChanged, 1);
}

// The view's report command and the shared menu, with the document open in the host.
using ViewCommandTest = OpenModuleTest;

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

// The child frame passes what its view and document do not take on to the host; a menu
// opened greys what nobody takes.
TEST_F(ViewCommandTest, CommandsReachTheHostAndMenusGreyWhatNobodyTakes) {
  view->GetParentFrame()->SendMessage(WM_COMMAND, ID_HOST_HIDE, 0);
  EXPECT_EQ(host.mainFrame->hideCommands, 1);
  std::map<UINT, bool> enabled;
  for (QAction* popup : host.mainFrame->GetMenuBar()->actions()) {
    emit popup->menu()->aboutToShow();
    for (QAction* item : popup->menu()->actions())
      enabled[AfxMenuCommandId(item)] = item->isEnabled();
  }
  // The view's state query (unlocked), the stand-in host's command, nobody's.
  const std::map<UINT, bool> expected = {
      {ID_REPORTS_MAKE, true}, {ID_HOST_HIDE, true}, {ID_HOST_EXIT, false}};
  for (const auto& [id, on] : expected) EXPECT_EQ(enabled.count(id) == 1 && enabled[id], on) << id;
}

}  // namespace

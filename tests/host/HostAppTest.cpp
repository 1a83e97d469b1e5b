#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "framework/app/ModuleState.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
#include "framework/windows/CMDIChildWnd.h"
#include "framework/windows/CView.h"
#include "host/HostCommands.h"
#include "host/HostLinks.h"
#include "host/HostMessages.h"
#include "host/MainFrame.h"
#include "storage/MainPrefs.h"
#include "tests/host/HostTestSupport.h"

namespace {

std::vector<std::string> MenuTitles(QMenuBar* bar) {
  std::vector<std::string> titles;
  for (QAction* action : bar->actions()) titles.push_back(action->text().toStdString());
  return titles;
}

// The command ids of the items below the bar's popups; with `open`, each popup is opened
// as a user would (running the command-state queries) and only disabled items count.
void CollectIds(const QList<QAction*>& actions, bool open, std::vector<UINT>& ids) {
  for (QAction* action : actions) {
    if (QMenu* popup = action->menu()) {
      if (open) emit popup->aboutToShow();
      CollectIds(popup->actions(), open, ids);
    } else if (UINT id = AfxMenuCommandId(action); id != 0 && !(open && action->isEnabled())) {
      ids.push_back(id);
    }
  }
}

std::vector<UINT> MenuIds(QMenuBar* bar, bool disabledOnly = false) {
  std::vector<UINT> ids;
  CollectIds(bar->actions(), disabledOnly, ids);
  return ids;
}

class HostAppTest : public HostFixture {
 protected:
  CMainFrame* Frame() const { return m_app->GetMainFrame(); }
  void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id, 0); }
};

// The stand-in takes only its Settings item; every other command reaches the host.
TEST_F(HostAppTest, OpensTheModulesDocumentUnderItsMenuAndRoutesItsCommands) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  ASSERT_NE(m_app->GetDocument(), nullptr);
  EXPECT_EQ(MenuTitles(Frame()->GetMenuBar()),
            (std::vector<std::string>{"&File", "Configure", "&Help"}));
  // The host's own resource handle is in force again after the module built its windows.
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetAppModuleState()->m_hCurrentInstanceHandle);
  EXPECT_EQ(MenuIds(Frame()->GetMenuBar(), true), std::vector<UINT>{});
  Command(32771);  // the stand-in view's own command
  EXPECT_EQ(Frame()->MDIGetActive()->GetActiveView()->GetDlgItemText(2001), "Settings chosen");
  std::vector<std::string> boxes;
  ScopedModalHook hook([&](ModalRequest& request) {
    boxes.push_back(request.Caption() + "|" + request.Text());
    request.Answer(IDOK);
  });
  Command(host_cmd::kAbout);
  EXPECT_EQ(boxes, std::vector<std::string>{"About TaskMeter|" + AboutText()});
  Command(host_cmd::kExit);
  EXPECT_EQ(m_app->m_pMainWnd, nullptr);
}

TEST_F(HostAppTest, ShowsItsOwnMenuWhenTheModuleCannotBeLoaded) {
  EXPECT_FALSE(Start((m_home.Path() / "missing.so").string()));
  EXPECT_NE(m_error.find("cannot load"), std::string::npos) << m_error;
  ASSERT_NE(Frame(), nullptr);
  EXPECT_EQ(m_app->GetDocument(), nullptr);
  EXPECT_EQ(MenuTitles(Frame()->GetMenuBar()), (std::vector<std::string>{"&File", "&Help"}));
  EXPECT_EQ(MenuIds(Frame()->GetMenuBar()),
            (std::vector<UINT>{host_cmd::kHide, host_cmd::kExit, host_cmd::kHelpContent,
                               host_cmd::kAbout}));
  EXPECT_EQ(MenuIds(Frame()->GetMenuBar(), true), std::vector<UINT>{});
}

// Hidden to the tray where the desktop has one, else minimised: either way it comes back.
TEST_F(HostAppTest, HideLeavesAWayBack) {
  for (bool tray : {false, true}) {
    SCOPED_TRACE(tray ? "tray" : "no tray");
    m_app.reset();
    CTrayIcon::SetAvailableForTesting(tray);
    ASSERT_TRUE(Start(StandinModulePath())) << m_error;
    Frame()->ShowWindow(SW_SHOWNORMAL);
    Command(host_cmd::kHide);
    PumpEvents(10);
    EXPECT_EQ(Frame()->IsWindowVisible(), !tray);
    EXPECT_EQ(Frame()->IsIconic(), !tray);
    EXPECT_EQ(Frame()->GetTrayIcon().IsShown(), tray);
    tray ? Frame()->GetTrayIcon().Activate() : Frame()->RestoreFromTray();
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(Frame()->IsIconic());
  }
}

// Whichever way the module's announcement arrives, the host re-reads the file; a file
// that has gone keeps the preferences in force.
TEST_F(HostAppTest, PreferencesChangedReachesTheHostByEveryPath) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  EXPECT_TRUE(m_app->CreatedOptions());
  MainPrefs changed;
  changed.bAnimatedIconInSysTray = false;
  changed.DbPath = (m_home.Path() / "db/").string();
  const std::vector<std::pair<const char*, std::function<void()>>> paths{
      {"send", [&] { EXPECT_EQ(Frame()->SendMessage(g_nPreferencesChangedMsg, 0, 0), 0); }},
      {"post", [&] { Frame()->PostMessage(g_nPreferencesChangedMsg); }},
      {"broadcast", [&] { PostMessage(HWND_BROADCAST, g_nPreferencesChangedMsg, 0, 0); }},
      {"thread queue", [&] { PostMessage(nullptr, g_nPreferencesChangedMsg, 0, 0); }},
  };
  for (const auto& [name, deliver] : paths) {
    changed.IdleTime = Frame()->GetPrefs().IdleTime + 1;
    ASSERT_TRUE(WriteMainPrefs(GetMainPrefsPath(GetOptionsFolder()), changed));
    deliver();
    PumpEvents(20);
    EXPECT_EQ(Frame()->GetPrefs(), changed) << name;
  }
  std::filesystem::remove(GetMainPrefsPath(GetOptionsFolder()));
  Frame()->SendMessage(g_nPreferencesChangedMsg);
  EXPECT_EQ(Frame()->GetPrefs(), changed);
}

// Where no browser or mail program can be started, the user is told so, and for a
// report where it was written.
TEST_F(HostAppTest, HelpAndWebItemsOpenTheirLinksOrSaySoInAMessageBox) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  ShellOpenRecorder shell;
  const std::string helpPage = (m_home.Path() / "help/taskmeter-help.html").string();
  const std::string homePage = "file://" + helpPage + "#home";
  const std::string mail =
      std::string("mailto:") + kFeedbackAddress + "?subject=TaskMeter%20bug%20report";
  for (UINT id : {host_cmd::kHelpContent, host_cmd::kHomePage, host_cmd::kBugReport}) Command(id);
  EXPECT_EQ(shell.targets, (std::vector<std::string>{helpPage, homePage, mail}));
  EXPECT_EQ(ReadBytes(helpPage), HelpPageHtml());
  // A help file beside the program is preferred to the page.
  const std::string chm = m_home.Write(kHelpFileName, "help").string();
  Command(host_cmd::kHelpContent);
  EXPECT_EQ(shell.targets.back(), chm);

  SetShellOpenHookForTesting([](const std::string&) { return false; });
  std::vector<std::string> boxes;
  ScopedModalHook hook([&](ModalRequest& request) { boxes.push_back(request.Text()); });
  for (UINT id : {host_cmd::kHomePage, host_cmd::kBugReport}) Command(id);
  Frame()->SendMessage(g_nReportRequestMsg, 0, 0);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].rfind("No browser could be started to open " + homePage, 0), 0u) << boxes[0];
  EXPECT_EQ(boxes[1].rfind("No mail program could be started to open " + mail, 0), 0u) << boxes[1];
  EXPECT_EQ(boxes[2], "No browser could be started to show the report. It was written to " +
                          Frame()->GetLastReportPath());
}

}  // namespace

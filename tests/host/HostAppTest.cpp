#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <memory>

#include "framework/CMDIChildWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CView.h"
#include "framework/MenuBuilder.h"
#include "framework/ModalHook.h"
#include "framework/ModuleState.h"
#include "framework/core/RegisteredMessages.h"
#include "host/taskmeter/HostApp.h"
#include "host/taskmeter/HostCommands.h"
#include "host/taskmeter/HostLinks.h"
#include "host/taskmeter/HostMessages.h"
#include "host/taskmeter/MainFrame.h"
#include "host/taskmeter/TrayIcon.h"
#include "storage/MainPrefs.h"
#include "tests/host/HostTestSupport.h"

namespace {

std::vector<std::string> MenuTitles(QMenuBar* bar) {
  std::vector<std::string> titles;
  for (QAction* action : bar->actions()) titles.push_back(action->text().toStdString());
  return titles;
}

// The command ids of every item below `menu`, popups included.
void CollectIds(QMenu* menu, std::vector<UINT>& ids) {
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      CollectIds(action->menu(), ids);
    } else if (UINT id = AfxMenuCommandId(action); id != 0) {
      ids.push_back(id);
    }
  }
}

std::vector<UINT> MenuIds(QMenuBar* bar) {
  std::vector<UINT> ids;
  for (QAction* action : bar->actions()) {
    if (action->menu() != nullptr) CollectIds(action->menu(), ids);
  }
  return ids;
}

// Opens every popup of the bar as a user would (running the command-state queries) and
// gives the ids of the items left disabled.
void CollectDisabled(QMenu* menu, std::vector<UINT>& ids) {
  emit menu->aboutToShow();
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      CollectDisabled(action->menu(), ids);
    } else if (UINT id = AfxMenuCommandId(action); id != 0 && !action->isEnabled()) {
      ids.push_back(id);
    }
  }
}

std::vector<UINT> DisabledItems(QMenuBar* bar) {
  std::vector<UINT> ids;
  for (QAction* action : bar->actions()) {
    if (action->menu() != nullptr) CollectDisabled(action->menu(), ids);
  }
  return ids;
}

// A started host on a fresh home with the stand-in module.
class HostAppTest : public testing::Test {
 protected:
  void SetUp() override { CTrayIcon::SetAvailableForTesting(false); }
  void TearDown() override {
    m_app.reset();
    PumpEvents(5);
    CTrayIcon::SetAvailableForTesting(std::nullopt);
  }

  bool Start(const std::string& module) {
    m_app = std::make_unique<CTaskMeterApp>();
    HostStartOptions options;
    options.modulePath = module;
    return m_app->Start(options, m_error);
  }
  CMainFrame* Frame() const { return m_app->GetMainFrame(); }
  void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id, 0); }

  ScopedHome m_home;
  std::unique_ptr<CTaskMeterApp> m_app;
  std::string m_error;
};

TEST_F(HostAppTest, OpensTheModulesDocumentMaximisedUnderItsMenu) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  ASSERT_NE(m_app->GetDocument(), nullptr);
  EXPECT_EQ(m_app->GetDocTemplates().size(), 1u);
  EXPECT_EQ(m_app->GetDocTemplates().front().get(), m_app->GetModuleTemplate());
  CMDIChildWnd* child = Frame()->MDIGetActive();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->GetMDIFrame(), Frame());
  EXPECT_EQ(MenuTitles(Frame()->GetMenuBar()),
            (std::vector<std::string>{"&File", "Configure", "&Help"}));
  // The host's own resource handle is in force again after the module built its windows.
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetAppModuleState()->m_hCurrentInstanceHandle);
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
  EXPECT_EQ(DisabledItems(Frame()->GetMenuBar()), std::vector<UINT>{});
}

TEST_F(HostAppTest, CommandTheModuleLeavesReachesTheHost) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  std::vector<std::string> boxes;
  ScopedModalHook hook([&](ModalRequest& request) {
    boxes.push_back(request.Caption() + "|" + request.Text());
    request.Answer(IDOK);
  });
  Command(host_cmd::kAbout);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "About TaskMeter|" + AboutText());
  EXPECT_NE(boxes[0].find(kHostVersion), std::string::npos);
  EXPECT_NE(boxes[0].find("Licence"), std::string::npos);
}

TEST_F(HostAppTest, CommandTheModuleTakesStaysInTheModule) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  // The stand-in takes only its Settings item; every other item is the host's.
  EXPECT_EQ(DisabledItems(Frame()->GetMenuBar()), std::vector<UINT>{});
  Command(32771);  // the stand-in view's own command
  CView* view = Frame()->MDIGetActive()->GetActiveView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetDlgItemText(2001), "Settings chosen");
}

TEST_F(HostAppTest, ExitClosesTheMainWindow) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  Command(host_cmd::kExit);
  EXPECT_EQ(m_app->m_pMainWnd, nullptr);
}

TEST_F(HostAppTest, HideWithoutTrayMinimises) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  Frame()->ShowWindow(SW_SHOWNORMAL);
  Command(host_cmd::kHide);
  PumpEvents(10);
  EXPECT_TRUE(Frame()->IsIconic());
  EXPECT_FALSE(Frame()->GetTrayIcon().IsShown());
  Frame()->RestoreFromTray();
  EXPECT_FALSE(Frame()->IsIconic());
  EXPECT_TRUE(Frame()->IsWindowVisible());
}

TEST_F(HostAppTest, HideWithTrayHidesUntilTheIconIsActivated) {
  CTrayIcon::SetAvailableForTesting(true);
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  Frame()->ShowWindow(SW_SHOWNORMAL);
  Command(host_cmd::kHide);
  EXPECT_FALSE(Frame()->IsWindowVisible());
  EXPECT_TRUE(Frame()->GetTrayIcon().IsShown());
  Frame()->GetTrayIcon().Activate();
  EXPECT_TRUE(Frame()->IsWindowVisible());
  EXPECT_FALSE(Frame()->IsIconic());
}

TEST_F(HostAppTest, PreferencesChangedMessageReReadsTheFile) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  EXPECT_TRUE(m_app->CreatedOptions());
  EXPECT_EQ(Frame()->GetPrefs().IdleTime, MainPrefs{}.IdleTime);
  EXPECT_TRUE(Frame()->GetTrayIcon().IsAnimated());

  MainPrefs changed;
  changed.IdleTime = 42;
  changed.bAnimatedIconInSysTray = false;
  changed.DbPath = (m_home.Path() / "db/").string();
  ASSERT_TRUE(WriteMainPrefs(GetMainPrefsPath(), changed));
  // The number is the one the module registers under the same name.
  const UINT message = RegisterWindowMessageA(kPreferencesChangedName);
  ASSERT_EQ(message, g_nPreferencesChangedMsg);
  EXPECT_EQ(Frame()->SendMessage(message, 0, 0), 0);
  EXPECT_EQ(Frame()->GetPrefs(), changed);
  EXPECT_FALSE(Frame()->GetTrayIcon().IsAnimated());
  EXPECT_EQ(Frame()->GetTrayIcon().Frame(), 0);
}

TEST_F(HostAppTest, PreferencesChangedReachesTheHostByEveryPath) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  MainPrefs changed;
  const std::vector<std::pair<const char*, std::function<void()>>> paths{
      {"post", [&] { Frame()->PostMessage(g_nPreferencesChangedMsg); }},
      {"broadcast", [&] { PostMessage(HWND_BROADCAST, g_nPreferencesChangedMsg, 0, 0); }},
      {"thread queue", [&] { PostMessage(nullptr, g_nPreferencesChangedMsg, 0, 0); }},
  };
  int idle = 100;
  for (const auto& [name, deliver] : paths) {
    changed.IdleTime = ++idle;
    ASSERT_TRUE(WriteMainPrefs(GetMainPrefsPath(), changed));
    deliver();
    PumpEvents(20);
    EXPECT_EQ(Frame()->GetPrefs().IdleTime, idle) << name;
  }
}

TEST_F(HostAppTest, MissingPreferencesKeepTheOnesInForce) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  const MainPrefs before = Frame()->GetPrefs();
  std::filesystem::remove(GetMainPrefsPath());
  Frame()->SendMessage(g_nPreferencesChangedMsg);
  EXPECT_EQ(Frame()->GetPrefs(), before);
}

TEST_F(HostAppTest, TrayAnimationTurnsOnlyWhileShownAndWanted) {
  CTrayIcon::SetAvailableForTesting(true);
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  CTrayIcon& tray = Frame()->GetTrayIcon();
  EXPECT_TRUE(tray.IsShown());
  EXPECT_TRUE(tray.IsTurning());
  tray.Step();
  tray.Step();
  EXPECT_EQ(tray.Frame(), 2);
  tray.SetAnimated(false);
  EXPECT_FALSE(tray.IsTurning());
  EXPECT_EQ(tray.Frame(), 0);
  tray.SetAnimated(true);
  tray.Hide();
  EXPECT_FALSE(tray.IsTurning());
}

TEST_F(HostAppTest, HelpAndWebItemsOpenLocalPagesAndFeedbackWritesMail) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  ShellOpenRecorder shell;
  const std::string helpPage = (m_home.Path() / "help/taskmeter-help.html").string();
  struct Case {
    UINT id;
    std::string target;
  };
  const std::vector<Case> cases{
      {host_cmd::kHelpContent, helpPage},
      {host_cmd::kHomePage, "file://" + helpPage + "#home"},
      {host_cmd::kNewsPage, "file://" + helpPage + "#news"},
      {host_cmd::kSeeUpdates, "file://" + helpPage + "#updates"},
      {host_cmd::kBugReport,
       std::string("mailto:") + kFeedbackAddress + "?subject=TaskMeter%20bug%20report"},
      {host_cmd::kInformationRequest,
       std::string("mailto:") + kFeedbackAddress + "?subject=TaskMeter%20information%20request"},
      {host_cmd::kSuggestions,
       std::string("mailto:") + kFeedbackAddress + "?subject=TaskMeter%20suggestions"},
  };
  for (const Case& c : cases) {
    shell.targets.clear();
    Command(c.id);
    EXPECT_EQ(shell.targets, std::vector<std::string>{c.target}) << c.id;
  }
  EXPECT_EQ(ReadBytes(helpPage), HelpPageHtml());
}

TEST_F(HostAppTest, HelpFileBesideTheProgramIsPreferred) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  const std::string chm = m_home.Write(kHelpFileName, "help").string();
  ShellOpenRecorder shell;
  Command(host_cmd::kHelpContent);
  EXPECT_EQ(shell.targets, std::vector<std::string>{chm});
}

TEST_F(HostAppTest, RealModuleShowsItsMenuInTheHostWindow) {
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  ASSERT_TRUE(Start(RealModulePath())) << m_error;
  ASSERT_NE(m_app->GetDocument(), nullptr);
  EXPECT_EQ(MenuTitles(Frame()->GetMenuBar()),
            (std::vector<std::string>{"&File", "Configure", "Reports", "&Help"}));
  EXPECT_EQ(MenuIds(Frame()->GetMenuBar()),
            (std::vector<UINT>{32802, 32803, 32771, 32779, 32782, 32780, 32783, 32798, 32799, 32800,
                               32795, 32796, 32797, 57664}));
  // Every host item is available; the module's own items are the module's business.
  for (UINT id : DisabledItems(Frame()->GetMenuBar())) {
    EXPECT_TRUE(id == 32771 || id == 32779 || id == 32782 || id == 32780) << id;
  }
  std::vector<std::string> boxes;
  ScopedModalHook hook([&](ModalRequest& request) { boxes.push_back(request.Caption()); });
  Command(host_cmd::kAbout);
  EXPECT_EQ(boxes, std::vector<std::string>{"About TaskMeter"});
}

}  // namespace

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "framework/DocumentLinks.h"
#include "framework/MenuBuilder.h"
#include "framework/ModuleState.h"
#include "tests/framework/DocViewFixtures.h"

namespace {

using namespace fixtures;

char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

// A host main frame with one open document of the fixture template.
class CommandRoutingTest : public testing::Test {
 protected:
  CommandRoutingTest() : m_resources(Library(), Resources()) {
    Events().entries.clear();
    Settings() = Switches{};
    AfxResourceHandleGuard guard(Library());
    m_host = new HostFrame;
    EXPECT_TRUE(m_host->LoadFrame(601));
    m_app.m_pMainWnd = m_host;
    m_tmpl = NewTemplate();
    m_app.AddDocTemplate(m_tmpl);
    m_doc = m_tmpl->OpenDocumentFile(nullptr);
    Events().entries.clear();
  }
  ~CommandRoutingTest() override {
    m_host->DestroyWindow();
    PumpEvents(5);
  }

  // Who takes `id` when it comes from the menu bar.
  std::string Handler(UINT id) {
    Events().entries.clear();
    m_host->SendMessage(WM_COMMAND, id, 0);
    return Events().entries.empty() ? "nobody" : Events().entries.front();
  }

  QMenu* Popup(const char* title) {
    for (QAction* action : m_host->GetMenuBar()->actions()) {
      if (action->text() == title) return action->menu();
    }
    return nullptr;
  }

  bool ItemEnabled(QMenu* menu, UINT id) {
    for (QAction* action : menu->actions()) {
      if (AfxMenuCommandId(action) == id) return action->isEnabled();
    }
    ADD_FAILURE() << "no item " << id;
    return false;
  }

  HostApp m_app;
  ModuleResources m_resources;
  HostFrame* m_host = nullptr;
  CMultiDocTemplate* m_tmpl = nullptr;
  CDocument* m_doc = nullptr;
};

TEST_F(CommandRoutingTest, EachCommandReachesItsHandlerAlongTheChain) {
  ASSERT_NE(m_doc, nullptr);
  struct Case {
    UINT id;
    const char* handler;
  };
  const std::vector<Case> cases{
      {kViewCommand, "view:command"},
      {kDocCommand, "doc:command"},
      {kFrameCommand, "frame:command"},
      {kHostFrameCommand, "host:command"},  // not handled by the module: the host's frame
      {kAppCommand, "app:command"},
      {kNobodysCommand, "nobody"},
  };
  for (const Case& c : cases) EXPECT_EQ(Handler(c.id), c.handler) << c.id;
}

TEST_F(CommandRoutingTest, ViewComesFirstThenDocumentFrameHostAndApplication) {
  ASSERT_NE(m_doc, nullptr);
  // Probe which target answers the command shared by every level, then take that level
  // out of the chain by asking from the next one down.
  CView* view = AfxGetViews(m_doc).at(0);
  CFrameWnd* child = view->GetParentFrame();
  AFX_CMDHANDLERINFO info;
  ASSERT_TRUE(m_host->OnCmdMsg(kSharedCommand, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, static_cast<CCmdTarget*>(view));
  EXPECT_EQ(Handler(kSharedCommand), "view:shared");

  auto* docTarget = dynamic_cast<CCmdTarget*>(m_doc);
  ASSERT_TRUE(docTarget->OnCmdMsg(kSharedCommand, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, docTarget);

  child->SetActiveView(nullptr);  // no view: the frame is next
  EXPECT_EQ(Handler(kSharedCommand), "frame:shared");
  child->SetActiveView(view);
}

TEST_F(CommandRoutingTest, CommandsUnknownToTheChildGoToTheHostWithoutActiveChild) {
  ASSERT_NE(m_doc, nullptr);
  AfxGetViews(m_doc).at(0)->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(Handler(kSharedCommand), "host:shared");
  EXPECT_EQ(Handler(kViewCommand), "nobody");
  EXPECT_EQ(Handler(kAppCommand), "app:command");
}

TEST_F(CommandRoutingTest, ControlNotificationsGoToTheFormView) {
  ASSERT_NE(m_doc, nullptr);
  CView* view = AfxGetViews(m_doc).at(0);
  auto* button = qobject_cast<QPushButton*>(view->GetDlgItem(2013)->GetSafeHwnd());
  ASSERT_NE(button, nullptr);
  button->click();
  EXPECT_EQ(Events().entries, std::vector<std::string>{"view:button"});
}

TEST_F(CommandRoutingTest, OpeningAMenuGreysItemsWithoutAvailableCommands) {
  ASSERT_NE(m_doc, nullptr);
  QMenu* configure = Popup("Configure");
  QMenu* file = Popup("&File");
  ASSERT_NE(configure, nullptr);
  ASSERT_NE(file, nullptr);
  emit configure->aboutToShow();
  emit file->aboutToShow();
  EXPECT_TRUE(ItemEnabled(configure, kViewCommand));      // the view's state query says yes
  EXPECT_FALSE(ItemEnabled(configure, kNobodysCommand));  // nobody takes it
  EXPECT_TRUE(ItemEnabled(configure, kDocCommand));       // the document takes it
  EXPECT_TRUE(ItemEnabled(file, kHostFrameCommand));

  Settings().unlocked = false;
  emit configure->aboutToShow();
  EXPECT_FALSE(ItemEnabled(configure, kViewCommand));
  Settings().unlocked = true;
  emit configure->aboutToShow();
  EXPECT_TRUE(ItemEnabled(configure, kViewCommand));
}

TEST_F(CommandRoutingTest, ChoosingAMenuItemSendsItsCommand) {
  ASSERT_NE(m_doc, nullptr);
  QMenu* configure = Popup("Configure");
  ASSERT_NE(configure, nullptr);
  for (QAction* action : configure->actions()) {
    if (AfxMenuCommandId(action) == kViewCommand) action->trigger();
  }
  EXPECT_EQ(Events().entries, std::vector<std::string>{"view:command"});
}

}  // namespace

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "framework/app/CMultiDocTemplate.h"
#include "framework/app/CWinApp.h"
#include "framework/app/DocumentLinks.h"
#include "framework/app/ModuleState.h"
#include "framework/core/Document.h"
#include "framework/messages/CCmdUI.h"
#include "framework/resources/Resources.h"
#include "framework/stdcontrols/CMenu.h"
#include "framework/windows/CFormView.h"
#include "framework/windows/CMDIChildWnd.h"
#include "framework/windows/CMDIFrameWnd.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

// A document, child frame and form view that write what happens to them into one
// journal, plus the resources (id 600) they are made with, all under a library's handle.
constexpr UINT kTemplateId = 600;
constexpr UINT kViewCommand = 32771;
constexpr UINT kDocCommand = 40002;
constexpr UINT kFrameCommand = 40001;
constexpr UINT kHostFrameCommand = 32802;
constexpr UINT kAppCommand = 32803;
constexpr UINT kSharedCommand = 40010;   // handled by every level
constexpr UINT kNobodysCommand = 32779;  // handled by no one

Journal& Events() {
  static Journal journal;
  return journal;
}

// Switches for the next objects made.
struct Switches {
  bool failNewDocument = false;
  bool unlocked = true;
} g_settings;

const ResourceTable kResources{
    .strings = {{kTemplateId, "\nOrder\nOrder\n\n\nOrder.Document\nOrder Document"}},
    .menus = {{kTemplateId,
               {MenuItem::Popup(
                    "&File",
                    {{"&Hide", kHostFrameCommand}, MenuItem::Separator(), {"E&xit", kAppCommand}}),
                MenuItem::Popup("Configure", {{"Settings...", kViewCommand},
                                              {"Predefined Groups/Folders", kNobodysCommand},
                                              {"Document", kDocCommand}})}},
              {601, {MenuItem::Popup("&Host", {{"E&xit", kAppCommand}})}}},
    .dialogs = {MakeDialog(
        kTemplateId, "", 200, 100, WS_CHILD,
        {{"BUTTON", "Go", 2013, 5, 5, 40, 14, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON}})},
    .images = {},
};

// OrderDoc derives from two CObject roots, so its creator picks the document one. The
// command target comes first, so that member calls through its map need no adjustment.
class OrderDoc : public CCmdTarget, public CDocument {
 public:
  static const CRuntimeClass classOrderDoc;
  static CObject* Create() { return static_cast<CDocument*>(new OrderDoc); }
  const CRuntimeClass* GetRuntimeClass() const override { return &classOrderDoc; }
  static inline int alive = 0;

  OrderDoc() {
    ++alive;
    Events().Add("doc:create");
  }
  ~OrderDoc() override {
    --alive;
    Events().Add("doc:delete");
  }
  bool OnNewDocument() override {
    Events().Add("doc:new");
    return CDocument::OnNewDocument() && !g_settings.failNewDocument;
  }
  void OnDocCommand() { Events().Add("doc:command"); }
  void OnShared() { Events().Add("doc:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CCmdTarget::GetMessageMap(),
                                {msg::Command(kDocCommand, &OrderDoc::OnDocCommand),
                                 msg::Command(kSharedCommand, &OrderDoc::OnShared)}};
    return &map;
  }
};
const CRuntimeClass OrderDoc::classOrderDoc{"OrderDoc", &CDocument::classCDocument,
                                            &OrderDoc::Create};

class OrderFrame : public CMDIChildWnd {
  TM_DECLARE_DYNCREATE(OrderFrame)
 public:
  int OnCreate(LPCREATESTRUCT cs) {
    Events().Add("frame:create");
    return CMDIChildWnd::OnCreate(cs);
  }
  void OnFrameCommand() { Events().Add("frame:command"); }
  void OnShared() { Events().Add("frame:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CMDIChildWnd::GetMessageMap(),
                                {msg::Create(&OrderFrame::OnCreate),
                                 msg::Command(kFrameCommand, &OrderFrame::OnFrameCommand),
                                 msg::Command(kSharedCommand, &OrderFrame::OnShared)}};
    return &map;
  }
};
TM_IMPLEMENT_DYNCREATE(OrderFrame, CMDIChildWnd)

class OrderView : public CFormView {
  TM_DECLARE_DYNCREATE(OrderView)
 public:
  OrderView() : CFormView(kTemplateId) {}
  int OnCreate(LPCREATESTRUCT cs) {
    if (CFormView::OnCreate(cs) == -1) return -1;
    Events().Add(GetDocument() != nullptr ? "view:create" : "view:create without document");
    return 0;
  }
  void OnInitialUpdate() override {
    Events().Add("view:initial");
    CFormView::OnInitialUpdate();
  }
  void OnViewCommand() { Events().Add("view:command"); }
  void OnUpdateViewCommand(CCmdUI* ui) { ui->Enable(g_settings.unlocked); }
  void OnShared() { Events().Add("view:shared"); }
  void OnButton() { Events().Add("view:button"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{
        CFormView::GetMessageMap(),
        {msg::Create(&OrderView::OnCreate), msg::Command(kViewCommand, &OrderView::OnViewCommand),
         msg::UpdateCommandUI(kViewCommand, &OrderView::OnUpdateViewCommand),
         msg::Command(kSharedCommand, &OrderView::OnShared),
         msg::Control(BN_CLICKED, 2013, &OrderView::OnButton)}};
    return &map;
  }
};
TM_IMPLEMENT_DYNCREATE(OrderView, CFormView)

class HostFrame : public CMDIFrameWnd {
 public:
  void OnHostCommand() { Events().Add("host:command"); }
  void OnShared() { Events().Add("host:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CMDIFrameWnd::GetMessageMap(),
                                {msg::Command(kHostFrameCommand, &HostFrame::OnHostCommand),
                                 msg::Command(kSharedCommand, &HostFrame::OnShared)}};
    return &map;
  }
};

class HostApp : public CWinApp {
 public:
  HostApp() : CWinApp("Host") {}
  void OnAppCommand() { Events().Add("app:command"); }
  void OnShared() { Events().Add("app:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CWinApp::GetMessageMap(),
                                {msg::Command(kAppCommand, &HostApp::OnAppCommand),
                                 msg::Command(kSharedCommand, &HostApp::OnShared)}};
    return &map;
  }
};

// The resources live under a library's handle, as a module's do; the template puts
// that handle in force around its work, as a module's template does.
char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

class LibraryTemplate : public CMultiDocTemplate {
 public:
  LibraryTemplate()
      : CMultiDocTemplate(kTemplateId, &OrderDoc::classOrderDoc, &OrderFrame::classOrderFrame,
                          &OrderView::classOrderView) {}
  void LoadTemplate() override {
    AfxResourceHandleGuard guard(Library());
    CMultiDocTemplate::LoadTemplate();
  }
  CDocument* OpenDocumentFile(const char* path, BOOL visible = TRUE) override {
    AfxResourceHandleGuard guard(Library());
    return CMultiDocTemplate::OpenDocumentFile(path, visible);
  }
};

// A child frame that is made maximised and stays so when shown, and a form view that
// fits its frame to the form, as the module's are.
class MaxFrame : public OrderFrame {
  TM_DECLARE_DYNCREATE(MaxFrame)
 public:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    cs.style = (cs.style & ~WS_SYSMENU) | WS_MAXIMIZE;
    return OrderFrame::PreCreateWindow(cs);
  }
  void ActivateFrame(int) override { OrderFrame::ActivateFrame(SW_SHOWMAXIMIZED); }
};
TM_IMPLEMENT_DYNCREATE(MaxFrame, OrderFrame)

class FittingView : public OrderView {
  TM_DECLARE_DYNCREATE(FittingView)
 public:
  void OnInitialUpdate() override {
    OrderView::OnInitialUpdate();
    ResizeParentToFit(FALSE);
  }
  CSize FormSize() const { return GetTotalSize(); }
};
TM_IMPLEMENT_DYNCREATE(FittingView, OrderView)

class DocTemplateTest : public testing::Test {
 protected:
  DocTemplateTest() : m_resources(Library(), kResources) {
    Events().entries.clear();
    g_settings = Switches{};
  }

  // The host's main window, as the thread application reports it.
  HostFrame* MakeMainFrame() {
    m_host = new HostFrame;
    AfxResourceHandleGuard guard(Library());  // the fixture's table holds the host menu too
    EXPECT_TRUE(m_host->LoadFrame(601));
    m_app.m_pMainWnd = m_host;
    return m_host;
  }

  // A library template added to the application, under a host main window.
  LibraryTemplate* AddTemplate() {
    MakeMainFrame();
    auto* tmpl = new LibraryTemplate;
    m_app.AddDocTemplate(tmpl);
    return tmpl;
  }

  ~DocTemplateTest() override {
    if (m_app.m_pMainWnd != nullptr) m_app.m_pMainWnd->DestroyWindow();
    PumpEvents(5);
  }

  HostApp m_app;
  ModuleResources m_resources;
  HostFrame* m_host = nullptr;
};

TEST_F(DocTemplateTest, OpenMakesDocumentThenFrameAndViewThenNewDocumentThenInitialUpdate) {
  LibraryTemplate* tmpl = AddTemplate();
  const HINSTANCE before = AfxGetResourceHandle();
  Events().entries.clear();
  CDocument* doc = tmpl->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  const std::vector<std::string> expected{"doc:create", "frame:create", "view:create", "doc:new",
                                          "view:initial"};
  EXPECT_EQ(Events().entries, expected);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(doc->GetTitle(), "Order1");
  ASSERT_EQ(AfxGetViews(doc).size(), 1u);
  EXPECT_EQ(AfxGetViews(doc)[0]->GetDocument(), doc);
  EXPECT_EQ(AfxGetDocTemplate(doc), tmpl);
  EXPECT_EQ(tmpl->GetDocuments(), std::vector<CDocument*>{doc});

  // A failed open restores the handle too and leaves no document behind.
  g_settings.failNewDocument = true;
  EXPECT_EQ(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(tmpl->GetDocuments().size(), 1u);
  EXPECT_EQ(OrderDoc::alive, 1);
  EXPECT_EQ(Events().entries.back(), "doc:delete");
}

// A plain template under the executable's resources finds no document string, no menu
// and no form template 600.
TEST_F(DocTemplateTest, WithoutTheLibrarysResourcesNoFieldsAndNoView) {
  MakeMainFrame();
  auto* tmpl = new CMultiDocTemplate(kTemplateId, &OrderDoc::classOrderDoc,
                                     &OrderFrame::classOrderFrame, &OrderView::classOrderView);
  m_app.AddDocTemplate(tmpl);
  std::string field = "stale";
  EXPECT_FALSE(tmpl->GetDocString(field, CDocTemplate::docName));
  EXPECT_EQ(field, "");
  EXPECT_EQ(tmpl->GetSharedMenu(), nullptr);
  EXPECT_EQ(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(OrderDoc::alive, 0);
}

// The restore button the menu bar shows for a maximised child gives it the form's size,
// and a minimised child still shows its caption.
TEST_F(DocTemplateTest, AMaximisedChildRestoresToTheFormsSizeAndMinimisesWithItsCaption) {
  HostFrame* host = MakeMainFrame();
  host->ShowWindow(SW_SHOWMAXIMIZED);
  host->GetSafeHwnd()->resize(900, 700);
  auto* tmpl = new CMultiDocTemplate(kTemplateId, &OrderDoc::classOrderDoc,
                                     &MaxFrame::classMaxFrame, &FittingView::classFittingView);
  m_app.AddDocTemplate(tmpl);
  CDocument* doc = nullptr;
  {
    AfxResourceHandleGuard guard(Library());
    doc = tmpl->OpenDocumentFile(nullptr);
  }
  ASSERT_NE(doc, nullptr);
  auto* view = dynamic_cast<FittingView*>(AfxGetViews(doc).at(0));
  auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
  QMdiSubWindow* sub = frame->GetSubWindow();
  ASSERT_NE(sub, nullptr);
  QApplication::processEvents();
  EXPECT_TRUE(sub->isMaximized());
  EXPECT_TRUE(frame->IsZoomed());
  sub->showNormal();  // what the restore button at the end of the menu bar does
  QApplication::processEvents();
  EXPECT_FALSE(frame->IsZoomed());
  EXPECT_EQ(view->GetSafeHwnd()->size(), QSize(view->FormSize().cx, view->FormSize().cy));
  sub->resize(500, 400);  // the user's own size stays hers
  sub->showMaximized();
  sub->showNormal();
  EXPECT_EQ(sub->size(), QSize(500, 400));
  sub->showMaximized();
  sub->showMinimized();
  QApplication::processEvents();
  EXPECT_TRUE(frame->IsIconic());
  EXPECT_EQ(sub->windowTitle().toStdString(), frame->GetWindowText());
  EXPECT_GE(sub->width(), sub->fontMetrics().horizontalAdvance(sub->windowTitle()));
}

TEST_F(DocTemplateTest, MenuBarShowsTheActiveChildsMenuAndClosingItsFrameEndsTheDocument) {
  HostFrame* host = MakeMainFrame();
  auto titles = [host] {
    std::vector<std::string> out;
    for (QAction* action : host->GetMenuBar()->actions()) {
      out.push_back(action->text().toStdString());
    }
    return out;
  };
  EXPECT_EQ(titles(), std::vector<std::string>{"&Host"});
  auto* tmpl = new LibraryTemplate;
  m_app.AddDocTemplate(tmpl);
  CDocument* doc = tmpl->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(titles(), (std::vector<std::string>{"&File", "Configure"}));
  auto* frame = dynamic_cast<CMDIChildWnd*>(AfxGetViews(doc).at(0)->GetParentFrame());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  EXPECT_TRUE(frame->GetSubWindow()->windowFlags().testFlag(Qt::WindowSystemMenuHint));
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(titles(), std::vector<std::string>{"&Host"});
  EXPECT_EQ(OrderDoc::alive, 0);
  EXPECT_TRUE(tmpl->GetDocuments().empty());
  EXPECT_EQ(Events().entries.back(), "doc:delete");
}

// The host main frame with one open document of the library template: commands from the
// menu bar go along the chain view, document, child frame, host frame, application.
class CommandRouting : public DocTemplateTest {
 protected:
  void SetUp() override {
    m_doc = AddTemplate()->OpenDocumentFile(nullptr);
    ASSERT_NE(m_doc, nullptr);
    Events().entries.clear();
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

  CDocument* m_doc = nullptr;
};

// The command every level handles goes to the view first, then to the frame without
// one; without a child only the host and the application are left.
TEST_F(CommandRouting, EachCommandReachesItsHandlerAlongTheChain) {
  const std::pair<UINT, const char*> cases[] = {
      {kViewCommand, "view:command"},   {kDocCommand, "doc:command"},
      {kFrameCommand, "frame:command"}, {kHostFrameCommand, "host:command"},
      {kAppCommand, "app:command"},     {kNobodysCommand, "nobody"},
      {kSharedCommand, "view:shared"},
  };
  for (const auto& [id, handler] : cases) EXPECT_EQ(Handler(id), handler) << id;
  CView* view = AfxGetViews(m_doc).at(0);
  AFX_CMDHANDLERINFO info;
  auto* docTarget = dynamic_cast<CCmdTarget*>(m_doc);
  ASSERT_TRUE(docTarget->OnCmdMsg(kSharedCommand, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, docTarget);
  view->GetParentFrame()->SetActiveView(nullptr);
  EXPECT_EQ(Handler(kSharedCommand), "frame:shared");
  view->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(Handler(kSharedCommand), "host:shared");
  EXPECT_EQ(Handler(kViewCommand), "nobody");
  EXPECT_EQ(Handler(kAppCommand), "app:command");
}

TEST_F(CommandRouting, ControlNotificationsGoToTheFormView) {
  static_cast<QPushButton*>(AfxGetViews(m_doc).at(0)->GetDlgItem(2013)->GetSafeHwnd())->click();
  EXPECT_EQ(Events().entries, std::vector<std::string>{"view:button"});
}

TEST_F(CommandRouting, OpeningAMenuAsksEachItemsHandlerAndChoosingOneSendsIt) {
  QMenu* configure = Popup("Configure");
  ASSERT_NE(configure, nullptr);
  auto enabled = [configure](UINT id) {
    emit configure->aboutToShow();
    const QAction* action = AfxFindMenuAction(configure, id);
    return action != nullptr && action->isEnabled();
  };
  EXPECT_FALSE(enabled(kNobodysCommand));
  EXPECT_TRUE(enabled(kDocCommand));  // the document takes it
  g_settings.unlocked = false;        // the view's state query says no
  EXPECT_FALSE(enabled(kViewCommand));
  g_settings.unlocked = true;
  EXPECT_TRUE(enabled(kViewCommand));
  AfxFindMenuAction(configure, kViewCommand)->trigger();
  EXPECT_EQ(Events().entries, std::vector<std::string>{"view:command"});
}

}  // namespace

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <cstdlib>

#include "framework/DocumentLinks.h"
#include "framework/ModuleState.h"
#include "tests/framework/DocViewFixtures.h"

namespace {

using namespace fixtures;

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
  DocTemplateTest() : m_resources(Library(), Resources()) {
    Events().entries.clear();
    Settings() = Switches{};
  }

  // The host's main window, as the thread application reports it.
  HostFrame* MakeMainFrame() {
    auto* frame = new HostFrame;
    AfxResourceHandleGuard guard(Library());  // the fixture's table holds the host menu too
    EXPECT_TRUE(frame->LoadFrame(601));
    m_app.m_pMainWnd = frame;
    return frame;
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
};

TEST_F(DocTemplateTest, OpenMakesDocumentThenFrameAndViewThenNewDocumentThenInitialUpdate) {
  LibraryTemplate* tmpl = AddTemplate();
  Events().entries.clear();
  CDocument* doc = tmpl->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  const std::vector<std::string> expected{"doc:create", "frame:create", "view:create", "doc:new",
                                          "view:initial"};
  EXPECT_EQ(Events().entries, expected);
  EXPECT_EQ(doc->GetTitle(), "Order1");
  const auto views = AfxGetViews(doc);
  ASSERT_EQ(views.size(), 1u);
  EXPECT_EQ(views[0]->GetDocument(), doc);
  EXPECT_EQ(AfxGetDocTemplate(doc), tmpl);
  EXPECT_EQ(tmpl->GetDocuments(), std::vector<CDocument*>{doc});
}

TEST_F(DocTemplateTest, ResourceHandleIsRestoredAfterOpeningAndAfterAFailedOpen) {
  LibraryTemplate* tmpl = AddTemplate();
  const HINSTANCE before = AfxGetResourceHandle();
  ASSERT_NE(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  Settings().failNewDocument = true;
  Events().entries.clear();
  EXPECT_EQ(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), before);
  // The failed document is not left behind.
  EXPECT_EQ(tmpl->GetDocuments().size(), 1u);
  EXPECT_EQ(OrderDoc::alive, 1);
  EXPECT_EQ(Events().entries.back(), "doc:delete");
}

// A plain template under the executable's resources finds no document string, no menu
// and no form template 600.
TEST_F(DocTemplateTest, WithoutTheLibrarysResourcesNoFieldsAndNoView) {
  MakeMainFrame();
  CMultiDocTemplate* tmpl = NewTemplate();
  m_app.AddDocTemplate(tmpl);
  std::string field = "stale";
  EXPECT_TRUE(tmpl->GetDocString(field, CDocTemplate::windowTitle));
  EXPECT_EQ(field, "");
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
  if (const char* folder = std::getenv("TASKMETER_SHOTS")) {
    host->GetSafeHwnd()->grab().save(QString::fromUtf8(folder) + "/minimised-child.png");
  }
}

TEST_F(DocTemplateTest, DocumentStringFieldsInTheirOrder) {
  auto* tmpl = new LibraryTemplate;
  m_app.AddDocTemplate(tmpl);
  struct Case {
    CDocTemplate::DocStringIndex index;
    const char* value;
  };
  const std::vector<Case> cases{
      {CDocTemplate::windowTitle, ""},
      {CDocTemplate::docName, "Order"},
      {CDocTemplate::filterExt, ""},
      {CDocTemplate::regFileTypeId, "Order.Document"},
  };
  for (const Case& c : cases) {
    std::string field = "stale";
    EXPECT_TRUE(tmpl->GetDocString(field, c.index)) << c.index;
    EXPECT_EQ(field, c.value) << c.index;
  }
}

TEST_F(DocTemplateTest, ClosingTheFrameEndsViewAndDocument) {
  LibraryTemplate* tmpl = AddTemplate();
  CDocument* doc = tmpl->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  CView* view = AfxGetViews(doc).at(0);
  CFrameWnd* frame = view->GetParentFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(OrderDoc::alive, 0);
  EXPECT_TRUE(tmpl->GetDocuments().empty());
  EXPECT_EQ(Events().entries.back(), "doc:delete");
}

// The child frame's style decides whether its subwindow has a system menu.
class NoSysMenuFrame : public OrderFrame {
 public:
  static CObject* Create() { return new NoSysMenuFrame; }
  static const CRuntimeClass classNoSysMenuFrame;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    if (!OrderFrame::PreCreateWindow(cs)) return FALSE;
    cs.style &= ~WS_SYSMENU;
    return TRUE;
  }
};
const CRuntimeClass NoSysMenuFrame::classNoSysMenuFrame{
    "NoSysMenuFrame", &OrderFrame::classOrderFrame, &NoSysMenuFrame::Create};

TEST_F(DocTemplateTest, FrameStyleDecidesTheSystemMenu) {
  MakeMainFrame();
  struct Case {
    const CRuntimeClass* frameClass;
    bool sysMenu;
  };
  for (const Case& c : {Case{&OrderFrame::classOrderFrame, true},
                        Case{&NoSysMenuFrame::classNoSysMenuFrame, false}}) {
    AfxResourceHandleGuard guard(Library());
    CMultiDocTemplate tmpl(kTemplateId, &OrderDoc::classOrderDoc, c.frameClass,
                           &OrderView::classOrderView);
    tmpl.LoadTemplate();
    CDocument* doc = tmpl.OpenDocumentFile(nullptr);
    ASSERT_NE(doc, nullptr);
    auto* frame = static_cast<CMDIChildWnd*>(AfxGetViews(doc).at(0)->GetParentFrame());
    EXPECT_EQ((frame->GetStyle() & WS_SYSMENU) != 0, c.sysMenu);
    EXPECT_EQ(frame->GetSubWindow()->windowFlags().testFlag(Qt::WindowSystemMenuHint), c.sysMenu);
    frame->SendMessage(WM_CLOSE);
  }
  EXPECT_EQ(OrderDoc::alive, 0);
}

TEST_F(DocTemplateTest, MenuBarShowsTheActiveChildsSharedMenu) {
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
  AfxGetViews(doc).at(0)->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(titles(), std::vector<std::string>{"&Host"});
}

}  // namespace

#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

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

constexpr UINT kTemplateId = 600;
constexpr UINT kViewCommand = 32771;
constexpr UINT kDocCommand = 40002;
constexpr UINT kNobodysCommand = 32779;

Journal g_events;
bool g_unlocked = true;

const ResourceTable kResources{
    .strings = {{kTemplateId, "\nOrder\nOrder\n\n\nOrder.Document\nOrder Document"}},
    .menus = {{kTemplateId,
               {MenuItem::Popup("&File", {{"E&xit", 32803}}),
                MenuItem::Popup("Configure", {{"Settings...", kViewCommand},
                                              {"Predefined Groups/Folders", kNobodysCommand},
                                              {"Document", kDocCommand}})}},
              {601, {MenuItem::Popup("&Host", {{"E&xit", 32803}})}}},
    .dialogs = {MakeDialog(kTemplateId, "", 200, 100, WS_CHILD, {})},
    .images = {},
};

// OrderDoc derives from two CObject roots, so its creator picks the document one.
class OrderDoc : public CCmdTarget, public CDocument {
 public:
  static const CRuntimeClass classOrderDoc;
  static CObject* Create() { return static_cast<CDocument*>(new OrderDoc); }
  const CRuntimeClass* GetRuntimeClass() const override { return &classOrderDoc; }
  static inline int alive = 0;

  OrderDoc() { ++alive; }
  ~OrderDoc() override {
    --alive;
    g_events.Add("doc:delete");
  }
  void OnDocCommand() { g_events.Add("doc:command"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CCmdTarget::GetMessageMap(),
                                {msg::Command(kDocCommand, &OrderDoc::OnDocCommand)}};
    return &map;
  }
};
const CRuntimeClass OrderDoc::classOrderDoc{"OrderDoc", &CDocument::classCDocument,
                                            &OrderDoc::Create};

class OrderFrame : public CMDIChildWnd {
  TM_DECLARE_DYNCREATE(OrderFrame)
};
TM_IMPLEMENT_DYNCREATE(OrderFrame, CMDIChildWnd)

class OrderView : public CFormView {
  TM_DECLARE_DYNCREATE(OrderView)
 public:
  OrderView() : CFormView(kTemplateId) {}
  void OnViewCommand() { g_events.Add("view:command"); }
  void OnUpdateViewCommand(CCmdUI* ui) { ui->Enable(g_unlocked); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{
        CFormView::GetMessageMap(),
        {msg::Command(kViewCommand, &OrderView::OnViewCommand),
         msg::UpdateCommandUI(kViewCommand, &OrderView::OnUpdateViewCommand)}};
    return &map;
  }
};
TM_IMPLEMENT_DYNCREATE(OrderView, CFormView)

// The resources live under a library's handle, which the template puts in force around
// its work, as a module's template does.
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

// The host's main frame shows the active child's menu; opening a popup asks each item's
// handler along the chain, and closing the child ends its document.
TEST(DocTemplate, MenuBarFollowsTheActiveChildAndClosingItsFrameEndsTheDocument) {
  CWinApp app("Host");
  ModuleResources resources(Library(), kResources);
  auto* host = new CMDIFrameWnd;
  {
    AfxResourceHandleGuard guard(Library());
    ASSERT_TRUE(host->LoadFrame(601));
  }
  app.m_pMainWnd = host;
  auto titles = [host] {
    std::vector<std::string> out;
    for (QAction* action : host->GetMenuBar()->actions())
      out.push_back(action->text().toStdString());
    return out;
  };
  EXPECT_EQ(titles(), std::vector<std::string>{"&Host"});
  auto* tmpl = new LibraryTemplate;
  app.AddDocTemplate(tmpl);
  CDocument* doc = tmpl->OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "Order1");
  ASSERT_EQ(titles(), (std::vector<std::string>{"&File", "Configure"}));

  QMenu* configure = host->GetMenuBar()->actions().at(1)->menu();
  auto enabled = [configure](UINT id) {
    emit configure->aboutToShow();
    const QAction* action = AfxFindMenuAction(configure, id);
    return action != nullptr && action->isEnabled();
  };
  EXPECT_FALSE(enabled(kNobodysCommand));
  EXPECT_TRUE(enabled(kDocCommand));  // the document takes it
  g_unlocked = false;                 // the view's state query says no
  EXPECT_FALSE(enabled(kViewCommand));
  g_unlocked = true;
  EXPECT_TRUE(enabled(kViewCommand));
  AfxFindMenuAction(configure, kViewCommand)->trigger();
  EXPECT_EQ(g_events.entries, std::vector<std::string>{"view:command"});

  auto* frame = dynamic_cast<CMDIChildWnd*>(AfxGetViews(doc).at(0)->GetParentFrame());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  EXPECT_TRUE(frame->GetSubWindow()->windowFlags().testFlag(Qt::WindowSystemMenuHint));
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(titles(), std::vector<std::string>{"&Host"});
  EXPECT_EQ(OrderDoc::alive, 0);
  EXPECT_TRUE(tmpl->GetDocuments().empty());
  EXPECT_EQ(g_events.entries.back(), "doc:delete");
  host->DestroyWindow();
  PumpEvents(5);
}

}  // namespace

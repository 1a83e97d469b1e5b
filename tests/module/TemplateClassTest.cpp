#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/CFormView.h"
#include "framework/CMDIChildWnd.h"
#include "framework/ModuleState.h"
#include "framework/Resources.h"
#include "framework/core/Document.h"
#include "module/MyMultiDocTemplate.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/module/ModuleHost.h"

// The template class with document, frame and view classes of the test's own, whose
// resources live under a pretend library handle. Each class notes the resource handle in
// force when it is made, so the tests see what the template switches and restores.
namespace {

constexpr UINT kId = 700;
char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

const ResourceTable& Table() {
  static const ResourceTable table{
      .strings = {{kId, "\nProbe\nProbe\n\n\nProbe.Document\nProbe Document"}},
      .menus = {{kId, {MenuItem::Popup("&File", {{"E&xit", 32803}})}}},
      .dialogs = {{kId, "", 0, 0, 100, 60, WS_CHILD, "MS Shell Dlg", 8, {}}},
      .images = {},
  };
  return table;
}

enum class DocFate { Succeed, FailNewDocument, ThrowOnCreate };
DocFate g_fate = DocFate::Succeed;
HINSTANCE g_handleAtNewDocument = nullptr;
HINSTANCE g_handleAtViewCreate = nullptr;

class ProbeDoc : public CDocument {
 public:
  static const CRuntimeClass classProbeDoc;
  static CObject* Create() {
    if (g_fate == DocFate::ThrowOnCreate) throw std::runtime_error("no document");
    return new ProbeDoc;
  }
  const CRuntimeClass* GetRuntimeClass() const override { return &classProbeDoc; }
  bool OnNewDocument() override {
    g_handleAtNewDocument = AfxGetResourceHandle();
    return g_fate != DocFate::FailNewDocument && CDocument::OnNewDocument();
  }
};
const CRuntimeClass ProbeDoc::classProbeDoc{"ProbeDoc", &CDocument::classCDocument,
                                            &ProbeDoc::Create};

class ProbeFrame : public CMDIChildWnd {
  TM_DECLARE_DYNCREATE(ProbeFrame)
};
TM_IMPLEMENT_DYNCREATE(ProbeFrame, CMDIChildWnd)

class ProbeView : public CFormView {
  TM_DECLARE_DYNCREATE(ProbeView)
 public:
  ProbeView() : CFormView(kId) {}
  int OnCreate(LPCREATESTRUCT cs) {
    g_handleAtViewCreate = AfxGetResourceHandle();
    return CFormView::OnCreate(cs);
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CFormView::GetMessageMap(), {msg::Create(&ProbeView::OnCreate)}};
    return &map;
  }
};
TM_IMPLEMENT_DYNCREATE(ProbeView, CFormView)

class TemplateClassTest : public testing::Test {
 protected:
  TemplateClassTest() : m_resources(Library(), Table()) {
    g_fate = DocFate::Succeed;
    g_handleAtNewDocument = g_handleAtViewCreate = nullptr;
  }
  ~TemplateClassTest() override { g_fate = DocFate::Succeed; }

  CMyMultiDocTemplate* NewTemplate(HINSTANCE resources) {
    auto* tmpl = new CMyMultiDocTemplate(resources, kId, &ProbeDoc::classProbeDoc,
                                         &ProbeFrame::classProbeFrame, &ProbeView::classProbeView);
    m_host.app.AddDocTemplate(tmpl);
    return tmpl;
  }

  HostFixture m_host;
  ModuleResources m_resources;
  HINSTANCE m_caller = AfxGetResourceHandle();
};

TEST_F(TemplateClassTest, ResourcesOfTheLibraryAreInForceWhileTheDocumentIsMade) {
  CMyMultiDocTemplate* tmpl = NewTemplate(Library());
  EXPECT_EQ(tmpl->GetResourceInstance(), Library());
  EXPECT_EQ(tmpl->GetResourceId(), kId);
  EXPECT_EQ(tmpl->GetSharedMenu(), FindMenuIn(Library(), kId));
  ASSERT_NE(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(g_handleAtViewCreate, Library());
  EXPECT_EQ(g_handleAtNewDocument, Library());
  EXPECT_EQ(AfxGetResourceHandle(), m_caller);
}

TEST_F(TemplateClassTest, CallersHandleComesBackWhateverTheOpenDoes) {
  const struct {
    const char* name;
    HINSTANCE resources;
    DocFate fate;
    bool opens;
  } cases[] = {
      {"opens", Library(), DocFate::Succeed, true},
      {"new-document step fails", Library(), DocFate::FailNewDocument, false},
      {"template resources missing", reinterpret_cast<HINSTANCE>(&g_fate), DocFate::Succeed, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CMyMultiDocTemplate* tmpl = NewTemplate(c.resources);
    EXPECT_EQ(AfxGetResourceHandle(), m_caller);
    g_fate = c.fate;
    EXPECT_EQ(tmpl->OpenDocumentFile(nullptr) != nullptr, c.opens);
    EXPECT_EQ(AfxGetResourceHandle(), m_caller);
    EXPECT_EQ(tmpl->GetDocuments().size(), c.opens ? 1u : 0u);
  }
}

TEST_F(TemplateClassTest, CallersHandleComesBackWhenTheOpenThrows) {
  CMyMultiDocTemplate* tmpl = NewTemplate(Library());
  g_fate = DocFate::ThrowOnCreate;
  EXPECT_THROW(tmpl->OpenDocumentFile(nullptr), std::runtime_error);
  EXPECT_EQ(AfxGetResourceHandle(), m_caller);
}

}  // namespace

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "framework/app/CWinApp.h"
#include "framework/app/ModuleState.h"
#include "framework/core/Document.h"
#include "framework/resources/Resources.h"
#include "module/MyMultiDocTemplate.h"
#include "res/ResourceIds.h"
#include "tests/module/ModuleHost.h"

namespace {

class ModuleEntryTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(TheModule().entry, nullptr) << TheModule().error; }
  HostFixture host;
};

TEST_F(ModuleEntryTest, LibraryExportsOnlyItsEntryAndOwnsItsApplicationAndResources) {
  ASSERT_NE(TheModule().instance, AfxExecutableHandle());
  // Classes and helpers of the library stay inside it.
  for (const char* hidden : {"_ZN11CChildFrame16classCChildFrameE", "_Z20AnnouncePrefsChangedv",
                             "_ZN12CDLLDocument12LoadDocumentEv", "g_nPrefsChangedMsg"}) {
    EXPECT_EQ(dlsym(TheModule().library, hidden), nullptr) << hidden;
  }
  AFX_MODULE_STATE* state = AfxModuleStateOf(TheModule().instance);
  ASSERT_NE(state->m_pCurrentWinApp, nullptr);
  EXPECT_EQ(state->m_pCurrentWinApp->m_hInstance, TheModule().instance);
  // It is the library's application, not the thread's: the host's stays in charge.
  EXPECT_EQ(AfxGetThread(), &host.app);
  // The form is found only through the template's switch, never in the executable.
  EXPECT_NE(FindDialogIn(TheModule().instance, IDD_DLLDOCUMENT_FORM), nullptr);
  EXPECT_EQ(FindDialogIn(AfxExecutableHandle(), IDD_DLLDOCUMENT_FORM), nullptr);
}

TEST_F(ModuleEntryTest, TwoCallsGiveTwoIndependentTemplates) {
  AFX_MODULE_STATE* before = AfxGetModuleState();
  CMultiDocTemplate* first = host.AddModuleTemplate();
  CMultiDocTemplate* second = host.AddModuleTemplate();
  EXPECT_EQ(AfxGetModuleState(), before);
  ASSERT_TRUE(first != nullptr && second != nullptr && first != second);
  CDocument* a = first->OpenDocumentFile(nullptr);
  CDocument* b = second->OpenDocumentFile(nullptr);
  CDocument* c = first->OpenDocumentFile(nullptr);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(first->GetDocuments(), (std::vector<CDocument*>{a, c}));
  EXPECT_EQ(second->GetDocuments(), std::vector<CDocument*>{b});
  // Each document has its own frame and view of the library's classes, and no title.
  EXPECT_EQ(a->GetTitle(), "");
  EXPECT_STREQ(HostFixture::ViewOf(a)->GetRuntimeClass()->m_lpszClassName, "CDLLDocumentView");
  EXPECT_NE(HostFixture::ViewOf(c)->GetParentFrame(), HostFixture::ViewOf(a)->GetParentFrame());
}

TEST_F(ModuleEntryTest, DocumentStringHasNoTitleAndNoFileType) {
  CMultiDocTemplate* tmpl = host.AddModuleTemplate();
  ASSERT_NE(tmpl, nullptr);
  const std::pair<CDocTemplate::DocStringIndex, const char*> fields[] = {
      {CDocTemplate::windowTitle, ""},
      {CDocTemplate::filterName, ""},
      {CDocTemplate::filterExt, ""},
      {CDocTemplate::docName, "DLLDoc"}};
  for (const auto& [index, expected] : fields) {
    std::string field = "stale";
    EXPECT_TRUE(tmpl->GetDocString(field, index) && field == expected) << index << field;
  }
}

TEST_F(ModuleEntryTest, CallersResourceHandleComesBackAfterEveryCall) {
  char callerMarker = 0;
  const HINSTANCE caller = reinterpret_cast<HINSTANCE>(&callerMarker);
  AfxResourceHandleGuard callerHandle(caller);

  CMultiDocTemplate* tmpl = host.AddModuleTemplate();  // LoadTemplate
  ASSERT_NE(tmpl, nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  // Menu and form are found in the library although the caller's handle names neither.
  EXPECT_EQ(tmpl->GetSharedMenu(), FindMenuIn(TheModule().instance, IDR_DLLDOCTYPE));
  EXPECT_NE(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  // The template only makes new documents: a path opens nothing.
  EXPECT_EQ(tmpl->OpenDocumentFile("/tmp/some.dll"), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  EXPECT_EQ(tmpl->GetDocuments().size(), 1u);

  // The library's classes under a handle without their resources: the open fails
  // half-way, and the caller's handle still comes back.
  CDocument* doc = tmpl->GetDocuments().front();
  CView* view = HostFixture::ViewOf(doc);
  auto* broken =
      new CMyMultiDocTemplate(caller, IDR_DLLDOCTYPE, doc->GetRuntimeClass(),
                              view->GetParentFrame()->GetRuntimeClass(), view->GetRuntimeClass());
  host.app.AddDocTemplate(broken);
  EXPECT_EQ(broken->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  EXPECT_TRUE(broken->GetDocuments().empty());
}

}  // namespace

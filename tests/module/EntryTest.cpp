#include <dlfcn.h>
#include <gtest/gtest.h>

#include "framework/CWinApp.h"
#include "framework/ModuleState.h"
#include "framework/Resources.h"
#include "framework/core/Document.h"
#include "res/ResourceIds.h"
#include "tests/module/ModuleHost.h"

namespace {

class ModuleEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(TheModule().library, nullptr) << TheModule().error;
    ASSERT_NE(TheModule().entry, nullptr);
  }
  HostFixture host;
};

TEST_F(ModuleEntryTest, LibraryExportsOnlyItsEntryPoint) {
  EXPECT_NE(TheModule().instance, nullptr);
  EXPECT_NE(TheModule().instance, AfxExecutableHandle());
  // Classes and helpers of the library stay inside it.
  for (const char* hidden : {"_ZN11CChildFrame16classCChildFrameE", "_Z20AnnouncePrefsChangedv",
                             "_ZN12CDLLDocument12LoadDocumentEv", "g_nPrefsChangedMsg"}) {
    EXPECT_EQ(dlsym(TheModule().library, hidden), nullptr) << hidden;
  }
}

TEST_F(ModuleEntryTest, ApplicationObjectOwnsTheLibrarysInstanceAndResources) {
  AFX_MODULE_STATE* state = AfxModuleStateOf(TheModule().instance);
  ASSERT_NE(state->m_pCurrentWinApp, nullptr);
  EXPECT_TRUE(state->m_bDLL);
  EXPECT_EQ(state->m_pCurrentWinApp->m_hInstance, TheModule().instance);
  // It is the library's application, not the thread's: the host's stays in charge.
  EXPECT_EQ(AfxGetThread(), &host.app);
  EXPECT_NE(FindDialogIn(TheModule().instance, IDD_DLLDOCUMENT_FORM), nullptr);
  EXPECT_NE(FindMenuIn(TheModule().instance, IDR_DLLDOCTYPE), nullptr);
  // The executable has none of them: they are found only through the template's switch.
  EXPECT_EQ(FindDialogIn(AfxExecutableHandle(), IDD_DLLDOCUMENT_FORM), nullptr);
}

TEST_F(ModuleEntryTest, TwoCallsGiveTwoIndependentTemplates) {
  CMultiDocTemplate* first = host.AddModuleTemplate();
  CMultiDocTemplate* second = host.AddModuleTemplate();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(first->IsKindOf(&CMultiDocTemplate::classCMultiDocTemplate));

  CDocument* a = host.OpenDocument(first);
  CDocument* b = host.OpenDocument(second);
  CDocument* c = host.OpenDocument(first);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(first->GetDocuments(), (std::vector<CDocument*>{a, c}));
  EXPECT_EQ(second->GetDocuments(), std::vector<CDocument*>{b});
  EXPECT_STREQ(a->GetRuntimeClass()->m_lpszClassName, "CDLLDocument");
}

TEST_F(ModuleEntryTest, EntryRestoresTheCallersModuleState) {
  AFX_MODULE_STATE* before = AfxGetModuleState();
  std::unique_ptr<CMultiDocTemplate> tmpl(TheModule().entry());
  ASSERT_NE(tmpl, nullptr);
  EXPECT_EQ(AfxGetModuleState(), before);
  EXPECT_EQ(tmpl->GetResourceId(), IDR_DLLDOCTYPE);
}

TEST_F(ModuleEntryTest, DocumentStringHasNoTitleAndNoFileType) {
  CMultiDocTemplate* tmpl = host.AddModuleTemplate();
  ASSERT_NE(tmpl, nullptr);
  const struct {
    CDocTemplate::DocStringIndex index;
    const char* value;
  } cases[] = {
      {CDocTemplate::windowTitle, ""},
      {CDocTemplate::docName, "DLLDoc"},
      {CDocTemplate::fileNewName, "DLLDoc"},
      {CDocTemplate::filterName, ""},
      {CDocTemplate::filterExt, ""},
      {CDocTemplate::regFileTypeId, "DLLDoc.Document"},
      {CDocTemplate::regFileTypeName, "DLLDoc Document"},
  };
  for (const auto& c : cases) {
    std::string field = "stale";
    EXPECT_TRUE(tmpl->GetDocString(field, c.index)) << c.index;
    EXPECT_EQ(field, c.value) << c.index;
  }
}

TEST_F(ModuleEntryTest, CallersResourceHandleComesBackAfterEveryCall) {
  char callerMarker = 0;
  const HINSTANCE caller = reinterpret_cast<HINSTANCE>(&callerMarker);
  AfxResourceHandleGuard callerHandle(caller);

  CMultiDocTemplate* tmpl = host.AddModuleTemplate();  // LoadTemplate
  ASSERT_NE(tmpl, nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  // Found in the library although the caller's handle names none.
  EXPECT_EQ(tmpl->GetSharedMenu(), FindMenuIn(TheModule().instance, IDR_DLLDOCTYPE));

  EXPECT_NE(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);

  // The template only makes new documents: a path opens nothing.
  EXPECT_EQ(tmpl->OpenDocumentFile("/tmp/some.dll"), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  EXPECT_EQ(tmpl->GetDocuments().size(), 1u);
}

TEST_F(ModuleEntryTest, OpenedDocumentHasAnEmptyTitleAndItsOwnFrameAndView) {
  CMultiDocTemplate* tmpl = host.AddModuleTemplate();
  CDocument* doc = host.OpenDocument(tmpl);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "");
  CView* view = HostFixture::ViewOf(doc);
  ASSERT_NE(view, nullptr);
  EXPECT_STREQ(view->GetRuntimeClass()->m_lpszClassName, "CDLLDocumentView");
  ASSERT_NE(view->GetParentFrame(), nullptr);
  EXPECT_STREQ(view->GetParentFrame()->GetRuntimeClass()->m_lpszClassName, "CChildFrame");
}

}  // namespace

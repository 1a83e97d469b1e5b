#include <gtest/gtest.h>

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <map>

#include "accounting/DLLDocument.h"
#include "framework/app/ModuleState.h"
#include "framework/core/RegisteredMessages.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CMDIChildWnd.h"
#include "module/HostMessages.h"
#include "module/MyMultiDocTemplate.h"
#include "res/ResourceIds.h"
#include "tests/module/ModuleHost.h"

namespace fs = std::filesystem;

namespace {

// The template comes back with the caller's resource handle in force after every call,
// though it finds its menu and form only in the library; its document string names no title
// and no file type.
TEST(ModuleEntryTest, CallersResourceHandleComesBackAndTheDocumentStringHasNoTitleNorType) {
  ASSERT_NE(TheModule().entry, nullptr) << TheModule().error;
  HostFixture host;
  char callerMarker = 0;
  const HINSTANCE caller = reinterpret_cast<HINSTANCE>(&callerMarker);
  AfxResourceHandleGuard callerHandle(caller);
  CMultiDocTemplate* tmpl = host.AddModuleTemplate();
  ASSERT_NE(tmpl, nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  const std::pair<CDocTemplate::DocStringIndex, const char*> fields[] = {
      {CDocTemplate::windowTitle, ""},
      {CDocTemplate::filterName, ""},
      {CDocTemplate::filterExt, ""},
      {CDocTemplate::docName, "DLLDoc"}};
  for (const auto& [index, expected] : fields) {
    std::string field = "stale";
    EXPECT_TRUE(tmpl->GetDocString(field, index) && field == expected) << index << field;
  }
  EXPECT_EQ(tmpl->GetSharedMenu(), FindMenuIn(TheModule().instance, IDR_DLLDOCTYPE));
  EXPECT_NE(tmpl->OpenDocumentFile(nullptr), nullptr);
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  EXPECT_EQ(tmpl->OpenDocumentFile("/tmp/some.dll"), nullptr);  // it only makes new ones
  EXPECT_EQ(AfxGetResourceHandle(), caller);
  EXPECT_EQ(tmpl->GetDocuments().size(), 1u);
  // The library's classes under a handle without their resources: the open fails half-way,
  // and the caller's handle still comes back.
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

using ModuleFrameTest = OpenModuleTest;

// The frame has no system menu, shows maximised whatever is asked, and tells of changed
// preferences in a box.
TEST_F(ModuleFrameTest, FrameIsMaximisedWithoutSystemMenuAndAnnouncesChangedPreferences) {
  auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
  ASSERT_NE(frame, nullptr);
  QMdiSubWindow* sub = frame->GetSubWindow();
  EXPECT_EQ(frame->GetStyle() & WS_SYSMENU, 0u);
  EXPECT_FALSE(sub->windowFlags() & Qt::WindowSystemMenuHint);
  for (int show : {SW_SHOWNORMAL, SW_RESTORE}) {
    sub->showNormal();
    frame->ActivateFrame(show);
    EXPECT_TRUE(sub->isMaximized()) << show;
  }
  std::vector<std::string> texts;
  ScopedModalHook hook([&](ModalRequest& request) {
    texts.push_back(request.Text());
    EXPECT_EQ(request.Type() & 0xF, MB_OK);
    request.Answer(IDOK);
  });
  EXPECT_EQ(frame->SendMessage(RegisterWindowMessageA(kPrefsChangedMessageName)), 0);
  EXPECT_EQ(texts, std::vector<std::string>{"Update Main Pref!"});
}

// The child frame passes what its view and document do not take on to the host; a menu
// opened greys what nobody takes.
TEST_F(ModuleFrameTest, CommandsReachTheHostAndMenusGreyWhatNobodyTakes) {
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

TEST(PreferencesTest, PreferencesAreReadBeforeTheLoadSoTheirFolderIsScanned) {
  HostFixture host;
  HostFixture::WriteLog(host.Data(), "dbapp");
  HostFixture::WriteLog(host.Home(), "homeapp");  // beside the executable: a decoy
  const struct {
    bool writePrefs;
    fs::path scanned;
    const char* app;
  } cases[] = {
      {true, host.Data(), "dbapp"},
      // Without a preferences file the data folder is unknown and the executable's
      // folder stays current: that is where the scan looks.
      {false, host.Home(), "homeapp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.app);
    host.WriteOptions(host.Data());
    if (!c.writePrefs) fs::remove(host.Home() / "options" / "mainpref.ini");
    // The document class lives in the library; the test's own copy of the accounting
    // code reads it, which is safe because both are built from the same sources.
    CDocument* opened = host.OpenModuleDocument();
    ASSERT_NE(opened, nullptr);
    ASSERT_STREQ(opened->GetRuntimeClass()->m_lpszClassName, "CDLLDocument");
    auto* doc = static_cast<CDLLDocument*>(opened);
    EXPECT_EQ(doc->GetScannedFolder(), fs::canonical(c.scanned).string() + "/");
    const auto other = doc->GetGroupMap().find(kOtherApplications);
    ASSERT_NE(other, doc->GetGroupMap().end());
    ASSERT_EQ(other->second.size(), 1u);
    EXPECT_EQ(other->second[0].Name, c.app);
    EXPECT_GT(other->second[0].TodayTime, 0);
  }
}

}  // namespace

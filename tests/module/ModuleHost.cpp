#include "tests/module/ModuleHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QWidget>
#include <cstdlib>
#include <fstream>

#include "accounting/DLLDocument.h"
#include "framework/app/DocumentLinks.h"
#include "framework/core/CurrentDirectory.h"
#include "framework/core/RegisteredMessages.h"
#include "module/HostMessages.h"
#include "res/ResourceIds.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Read at dispatch, so registering it once at start-up is enough.
UINT g_prefsChanged = RegisterWindowMessageA(kPrefsChangedMessageName);

LoadedModule Load() {
  LoadedModule module;
  module.library = dlopen(TASKMETER_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
  if (module.library == nullptr) {
    module.error = dlerror();
    return module;
  }
  module.entry =
      reinterpret_cast<CMultiDocTemplate* (*)()>(dlsym(module.library, "DLLDocTemplate"));
  if (module.entry != nullptr) {
    module.instance = AfxModuleHandleOf(reinterpret_cast<const void*>(module.entry));
  }
  return module;
}

}  // namespace

const LoadedModule& TheModule() {
  static const LoadedModule module = Load();
  return module;
}

const MessageMap* StandInMainFrame::GetMessageMap() const {
  static const MessageMap map{
      CMDIFrameWnd::GetMessageMap(),
      {
          msg::Registered(&g_prefsChanged, &StandInMainFrame::OnPrefsChanged),
          msg::Command(ID_HOST_HIDE, &StandInMainFrame::OnHide),
          msg::Command(ID_HELP_CONTENT, &StandInMainFrame::OnHelpContent),
      }};
  return &map;
}

HostFixture::HostFixture() : m_oldCwd(GetCurrentDirectory()) {
  const char* home = std::getenv("TASKMETER_HOME");
  m_home = home != nullptr ? fs::path(home) : fs::temp_directory_path();
  RemoveHomeContents();
  fs::create_directories(m_home / "options");
  fs::create_directories(Data());
  mainFrame = new StandInMainFrame;
  EXPECT_TRUE(mainFrame->LoadFrame(1));
  mainFrame->GetSafeHwnd()->resize(900, 640);
  app.m_pMainWnd = mainFrame;
}

HostFixture::~HostFixture() {
  if (app.m_pMainWnd != nullptr) app.m_pMainWnd->DestroyWindow();
  PumpEvents(5);
  SetCurrentDirectory(m_oldCwd);  // the log scan leaves the data folder current
  RemoveHomeContents();
}

void HostFixture::RemoveHomeContents() {
  std::error_code ignored;
  for (const char* name : {"options", "db", "decoy.log", "2026-07-15.log"}) {
    fs::remove_all(m_home / name, ignored);
  }
}

CMultiDocTemplate* HostFixture::AddModuleTemplate() {
  if (TheModule().entry == nullptr) return nullptr;
  CMultiDocTemplate* tmpl = TheModule().entry();
  app.AddDocTemplate(tmpl);
  return tmpl;
}

CDocument* HostFixture::OpenModuleDocument() {
  CMultiDocTemplate* tmpl = AddModuleTemplate();
  return tmpl != nullptr ? tmpl->OpenDocumentFile(nullptr) : nullptr;
}

CView* HostFixture::ViewOf(CDocument* doc) {
  const auto views = AfxGetViews(doc);
  return views.empty() ? nullptr : views.front();
}

void HostFixture::WriteOptions(const fs::path& dbPath) {
  MainPrefs prefs;
  prefs.DbPath = dbPath.string() + "/";
  std::ofstream(m_home / "options" / "mainpref.ini", std::ios::binary) << MainPrefsText(prefs);
  std::ofstream(m_home / "options" / "viewopt.xml", std::ios::binary)
      << ViewOptionsText(GroupMap{});
}

void HostFixture::WriteLog(const fs::path& folder, const std::string& app) {
  std::string text;
  for (int m = 0; m < 3; ++m) {
    text += LogBlockText({"07 15 09 0" + std::to_string(m) + " 00",
                          "07 15 09 0" + std::to_string(m + 1) + " 00", app + " display", "title",
                          app, "/usr/bin/" + app});
  }
  fs::create_directories(folder);
  std::ofstream(folder / "2026-07-15.log", std::ios::binary) << text;
}

void OpenModuleTest::SetUp() {
  ASSERT_NE(TheModule().entry, nullptr) << TheModule().error;
  doc = host.OpenModuleDocument();
  ASSERT_NE(doc, nullptr);
  view = HostFixture::ViewOf(doc);
  ASSERT_NE(view, nullptr);
}

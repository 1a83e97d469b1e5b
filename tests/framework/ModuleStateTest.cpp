#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/CWinApp.h"
#include "framework/ModuleState.h"
#include "framework/Resources.h"
#include "framework/SystemServices.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

// Stand-ins for two libraries' load addresses.
char g_libraryA;
char g_libraryB;
HINSTANCE LibraryA() { return reinterpret_cast<HINSTANCE>(&g_libraryA); }
HINSTANCE LibraryB() { return reinterpret_cast<HINSTANCE>(&g_libraryB); }

const ResourceTable kTableA{
    .strings = {{129, "\nDocA\nDocA\n\n\nDocA.Document\nDocA Document"}, {7, "seven in A"}},
    .menus = {{129, {MenuItem::Popup("&File", {{"E&xit", 32803}})}}},
    .dialogs = {{101, "Form A", 0, 0, 100, 50, WS_CHILD, "MS Sans Serif", 8, {}}},
    .images = {},
};
const ResourceTable kTableB{
    .strings = {{7, "seven in B"}}, .menus = {}, .dialogs = {}, .images = {}};

TEST(ModuleState, GuardSwitchesToALibraryAndBack) {
  AFX_MODULE_STATE* library = AfxModuleStateOf(LibraryA());
  EXPECT_TRUE(library->m_bDLL);
  {
    AfxModuleStateGuard guard(library);
    EXPECT_EQ(AfxGetModuleState(), library);
    EXPECT_EQ(AfxGetInstanceHandle(), LibraryA());
    EXPECT_EQ(AfxGetResourceHandle(), LibraryA());
  }
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
}

TEST(ModuleState, LibraryApplicationDoesNotBecomeTheThreadApplication) {
  CWinApp host("host");
  {
    AfxModuleStateGuard guard(AfxModuleStateOf(LibraryB()));
    CWinApp library("library");
    EXPECT_EQ(AfxGetApp(), &library);
    EXPECT_EQ(AfxGetThread(), &host);
    EXPECT_EQ(library.m_hInstance, LibraryB());
  }
  EXPECT_EQ(AfxGetApp(), &host);
  EXPECT_EQ(AfxModuleStateOf(LibraryB())->m_pCurrentWinApp, nullptr);
}

TEST(ResourceHandleGuard, RestoresTheHandleWhenAnExceptionLeaves) {
  const HINSTANCE before = AfxGetResourceHandle();
  EXPECT_THROW(
      {
        AfxResourceHandleGuard guard(LibraryA());
        throw std::runtime_error("open failed");
      },
      std::runtime_error);
  EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST(ResourceHandleGuard, IsKeptPerThread) {
  AfxResourceHandleGuard guard(LibraryA());
  HINSTANCE seenByOtherThread = nullptr;
  std::thread([&] { seenByOtherThread = AfxGetResourceHandle(); }).join();
  EXPECT_EQ(seenByOtherThread, AfxExecutableHandle());
  EXPECT_EQ(AfxGetResourceHandle(), LibraryA());
}

TEST(Resources, AreFoundUnderTheModuleThatRegisteredThem) {
  ModuleResources a(LibraryA(), kTableA);
  ModuleResources b(LibraryB(), kTableB);
  {
    AfxResourceHandleGuard guard(LibraryA());
    EXPECT_EQ(AfxLoadString(7), "seven in A");
    ASSERT_NE(AfxFindMenu(129), nullptr);
    EXPECT_STREQ(AfxFindMenu(129)->items.at(0).text, "&File");
    ASSERT_NE(AfxFindDialog(101), nullptr);
    EXPECT_EQ(AfxFindDialog(101)->cx, 100);
  }
  {
    AfxResourceHandleGuard guard(LibraryB());
    EXPECT_EQ(AfxLoadString(7), "seven in B");
    EXPECT_EQ(AfxFindMenu(129), nullptr);
    EXPECT_EQ(AfxLoadString(129), "");
  }
  EXPECT_EQ(FindStringIn(LibraryA(), 8), nullptr);
  EXPECT_EQ(FindImageIn(LibraryA(), 7, ImageKind::Icon), nullptr);
}

TEST(Resources, GoAwayWithTheirRegistration) {
  {
    ModuleResources a(LibraryA(), kTableA);
    EXPECT_NE(FindStringIn(LibraryA(), 7), nullptr);
  }
  EXPECT_EQ(FindStringIn(LibraryA(), 7), nullptr);
}

TEST(SystemServices, ModuleFileNameOfTheExecutable) {
  const std::string path = GetModuleFileName(nullptr);
  EXPECT_NE(path.find("framework_tests"), std::string::npos);
  EXPECT_EQ(GetModuleFileName(AfxExecutableHandle()), path);
  // The framework library is a shared object of its own.
  const std::string library =
      GetModuleFileName(AfxModuleHandleOf(reinterpret_cast<const void*>(&AfxGetModuleState)));
  EXPECT_NE(library.find("libtaskmeter-framework.so"), std::string::npos) << library;
}

TEST(SystemServices, ShellOpenReportsMissingFilesAndUsesTheHook) {
  std::vector<std::string> opened;
  SetShellOpenHookForTesting([&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  EXPECT_EQ(
      ShellExecute(nullptr, "open", "/no/such/TaskMeter.chm", nullptr, nullptr, SW_SHOWNORMAL), 2);
  EXPECT_GT(ShellExecute(nullptr, "open", "https://example.org/", nullptr, nullptr, SW_SHOWNORMAL),
            32);
  EXPECT_GT(ShellExecute(nullptr, "open", "/", nullptr, nullptr, SW_SHOWNORMAL), 32);
  SetShellOpenHookForTesting(nullptr);
  EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/", "/"}));
}

}  // namespace

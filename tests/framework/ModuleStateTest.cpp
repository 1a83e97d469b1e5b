#include <gtest/gtest.h>

#include <QAbstractButton>
#include <chrono>
#include <functional>
#include <stdexcept>

#include "framework/app/CWinApp.h"
#include "framework/app/ModuleState.h"
#include "framework/app/SystemServices.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/messages/CCmdUI.h"
#include "framework/resources/Resources.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"

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
    .strings = {{7, "seven in B"}},
    .menus = {},
    .dialogs = {{101, "Form B", 0, 0, 100, 50, WS_CHILD, "MS Sans Serif", 8, {}}},
    .images = {}};

TEST(ModuleState, GuardSwitchesToALibraryAndBackAndItsApplicationStaysItsOwn) {
  AFX_MODULE_STATE* library = AfxModuleStateOf(LibraryA());
  EXPECT_TRUE(library->m_bDLL);
  {
    AfxModuleStateGuard guard(library);
    EXPECT_EQ(AfxGetModuleState(), library);
    EXPECT_EQ(AfxGetInstanceHandle(), LibraryA());
    EXPECT_EQ(AfxGetResourceHandle(), LibraryA());
  }
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
  // A library's application does not become the thread's.
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

TEST(ResourceHandleGuard, IsKeptPerThreadAndRestoredWhenAnExceptionLeaves) {
  const HINSTANCE before = AfxGetResourceHandle();
  EXPECT_THROW(
      {
        AfxResourceHandleGuard guard(LibraryA());
        HINSTANCE seenByOtherThread = nullptr;
        std::thread([&] { seenByOtherThread = AfxGetResourceHandle(); }).join();
        EXPECT_EQ(seenByOtherThread, AfxExecutableHandle());
        EXPECT_EQ(AfxGetResourceHandle(), LibraryA());
        throw std::runtime_error("open failed");
      },
      std::runtime_error);
  EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST(Resources, AreFoundUnderTheModuleThatRegisteredThemAndGoAwayWithIt) {
  {
    ModuleResources a(LibraryA(), kTableA);
    ModuleResources b(LibraryB(), kTableB);
    AfxResourceHandleGuard guard(LibraryA());
    EXPECT_EQ(AfxLoadString(7), "seven in A");
    ASSERT_NE(AfxFindMenu(129), nullptr);
    EXPECT_EQ(FindStringIn(LibraryA(), 8), nullptr);
    AfxResourceHandleGuard other(LibraryB());
    EXPECT_EQ(AfxLoadString(7), "seven in B");
    EXPECT_EQ(AfxFindMenu(129), nullptr);
    EXPECT_EQ(AfxLoadString(129), "");
  }
  EXPECT_EQ(FindStringIn(LibraryA(), 7), nullptr);
}

// A library's window: every handler opens the library's dialog 101 and notes which
// template it got and what DoModal gave.
class LibraryWnd : public CWnd {
 public:
  static constexpr UINT kCommand = 100;
  static constexpr int kButton = 200;
  std::vector<std::string> seen;

  void Make() {
    CreateEx(0, nullptr, "library", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100),
             nullptr, 0);
    DialogResource controls;
    controls.items.push_back({"BUTTON", "Go", kButton, 0, 0, 40, 14, WS_CHILD | WS_VISIBLE});
    AfxCreateDialogControls(GetSafeHwnd(), controls);
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CWnd::GetMessageMap(),
                                {
                                    msg::Command(kCommand, &LibraryWnd::Open),
                                    msg::UpdateCommandUI(kCommand, &LibraryWnd::OnUpdate),
                                    msg::Control(BN_CLICKED, kButton, &LibraryWnd::Open),
                                    msg::Message(WM_USER, &LibraryWnd::OnUser),
                                    msg::Timer(&LibraryWnd::OnTimer),
                                    msg::Mouse(WM_LBUTTONDOWN, &LibraryWnd::OnLButtonDown),
                                }};
    return &map;
  }

 private:
  void Open() {
    const DialogResource* form = AfxFindDialog(101);
    CDialog dialog(101);
    const int result = dialog.DoModal();
    seen.push_back(std::string(form != nullptr ? form->caption : "none") + " " +
                   std::to_string(result));
  }
  void OnUpdate(CCmdUI*) { Open(); }
  LRESULT OnUser(WPARAM, LPARAM) {
    Open();
    return 0;
  }
  void OnTimer(UINT_PTR id) {
    KillTimer(id);
    Open();
  }
  void OnLButtonDown(UINT, CPoint) { Open(); }
};

// A window made while a library's state (or only its resource handle, as a document
// template puts it) is in force handles everything under it afterwards, whatever state
// the caller is in.
TEST(ModuleState, WindowsHandleEveryMessageUnderTheStateTheyWereMadeIn) {
  ModuleResources a(LibraryA(), kTableA);
  ModuleResources b(LibraryB(), kTableB);
  ScopedModalHook hook([](ModalRequest& request) { request.PressOk(); });
  LibraryWnd inA;
  LibraryWnd inB;
  {
    AfxModuleStateGuard state(AfxModuleStateOf(LibraryA()));
    inA.Make();
  }
  {
    AfxResourceHandleGuard resources(LibraryB());
    inB.Make();
  }
  const std::pair<const char*, std::function<void(LibraryWnd&)>> triggers[] = {
      {"command", [](LibraryWnd& w) { w.SendMessage(WM_COMMAND, LibraryWnd::kCommand); }},
      {"command state",
       [](LibraryWnd& w) {
         CCmdUI state;
         state.m_nID = LibraryWnd::kCommand;
         state.DoUpdate(&w, FALSE);
       }},
      {"posted",
       [](LibraryWnd& w) {
         w.PostMessage(WM_USER);
         PumpEvents(10);
       }},
      {"timer",
       [](LibraryWnd& w) {
         w.SetTimer(1, 1);
         PumpEvents(30);
       }},
      {"click", [](LibraryWnd& w) { ClickAt(w.GetSafeHwnd(), QPoint(150, 50)); }},
      {"notification",
       [](LibraryWnd& w) {
         static_cast<QAbstractButton*>(w.GetDlgItem(LibraryWnd::kButton)->GetSafeHwnd())->click();
       }},
  };
  for (const auto& [name, trigger] : triggers) {
    for (LibraryWnd* wnd : {&inA, &inB}) {
      wnd->seen.clear();
      trigger(*wnd);
      const std::string expected = wnd == &inA ? "Form A 1" : "Form B 1";
      EXPECT_EQ(wnd->seen, std::vector<std::string>{expected}) << name;
    }
  }
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
  EXPECT_EQ(AfxGetResourceHandle(), AfxExecutableHandle());
  inA.DestroyWindow();
  inB.DestroyWindow();
}

TEST(SystemServices, SleepGoesThroughTheReplaceableSleeper) {
  std::vector<DWORD> waits;
  const Sleeper real = SetSleeperForTesting([&](DWORD ms) { waits.push_back(ms); });
  EXPECT_FALSE(real);  // the thread's own sleep until someone replaces it
  Sleep(50);
  EXPECT_NE(SetSleeperForTesting(nullptr), nullptr);
  EXPECT_EQ(waits, std::vector<DWORD>{50});
  const auto start = std::chrono::steady_clock::now();
  Sleep(5);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5));
  EXPECT_EQ(waits.size(), 1u);
}

TEST(SystemServices, ShellOpenReportsMissingFilesAndUsesTheHook) {
  std::vector<std::string> opened;
  SetShellOpenHookForTesting([&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  EXPECT_EQ(
      ShellExecute(nullptr, "open", "/no/such/TaskMeter.chm", nullptr, nullptr, SW_SHOWNORMAL), 2);
  EXPECT_GT(ShellExecute(nullptr, "open", "https://example.org/", nullptr, nullptr, 0), 32);
  SetShellOpenHookForTesting(nullptr);
  EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/"});
}

}  // namespace

#include <gtest/gtest.h>

#include <set>

#include "framework/app/CWinApp.h"
#include "framework/app/ThreadQueue.h"
#include "framework/core/RegisteredMessages.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

const char kPrefsChanged[] = "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D06";
const char kReportRequest[] = "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D91";

UINT g_announce = 0;

// Counts the announcement however it arrives.
class ListeningWnd : public TestWnd {
 public:
  int received = 0;
  LRESULT OnAnnounce(WPARAM, LPARAM) {
    ++received;
    return 0;
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{TestWnd::GetMessageMap(),
                                {msg::Registered(&g_announce, &ListeningWnd::OnAnnounce)}};
    return &map;
  }
};

class ListeningApp : public CWinApp {
 public:
  int threadMessages = 0;
  LRESULT OnAnnounce(WPARAM, LPARAM) {
    ++threadMessages;
    return 0;
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CWinApp::GetMessageMap(),
                                {msg::Registered(&g_announce, &ListeningApp::OnAnnounce)}};
    return &map;
  }
};

TEST(RegisteredMessages, SameNameSameNumberFromTheReservedRange) {
  const UINT prefs = RegisterWindowMessageA(kPrefsChanged);
  const UINT report = RegisterWindowMessageA(kReportRequest);
  EXPECT_GE(prefs, 0xC000u);
  EXPECT_LE(prefs, 0xFFFFu);
  EXPECT_NE(prefs, report);
  EXPECT_EQ(RegisterWindowMessageA(kPrefsChanged), prefs);
  EXPECT_EQ(RegisterWindowMessage(std::string(kReportRequest)), report);
  // Names differing only in case or length are different; an empty name fails.
  std::set<UINT> numbers;
  for (const char* name : {"tm-case", "TM-CASE", "tm-case ", "tm-cas"}) {
    numbers.insert(RegisterWindowMessageA(name));
  }
  EXPECT_EQ(numbers.size(), 4u);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(WindowMessages, BroadcastReachesTopLevelWindowsOnly) {
  g_announce = RegisterWindowMessageA(kPrefsChanged);
  ListeningWnd first;
  ListeningWnd second;
  ASSERT_TRUE(first.CreateTopLevel());
  ASSERT_TRUE(second.CreateTopLevel());
  ListeningWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 5, 5), &first, 3));
  EXPECT_TRUE(::PostMessage(HWND_BROADCAST, g_announce, 0, 0));
  ::SendMessage(HWND_BROADCAST, g_announce, 0, 0);
  PumpEvents();
  EXPECT_EQ(first.received, 2);
  EXPECT_EQ(second.received, 2);
  EXPECT_EQ(child.received, 0);
}

TEST(WindowMessages, PostToADestroyedWindowIsDropped) {
  g_announce = RegisterWindowMessageA(kPrefsChanged);
  ListeningWnd wnd;
  ASSERT_TRUE(wnd.CreateTopLevel());
  wnd.PostMessage(g_announce);
  wnd.DestroyWindow();
  EXPECT_FALSE(wnd.PostMessage(g_announce));
  PumpEvents();
  EXPECT_EQ(wnd.received, 0);
}

TEST(ThreadMessages, ReachTheThreadApplicationFromTheLoop) {
  g_announce = RegisterWindowMessageA(kPrefsChanged);
  ListeningApp app;
  ASSERT_EQ(AfxGetThread(), &app);
  EXPECT_TRUE(::PostMessage(nullptr, g_announce, 0, 0));
  EXPECT_TRUE(::PostThreadMessage(GetCurrentThreadId(), g_announce, 0, 0));
  EXPECT_TRUE(app.PostThreadMessage(g_announce, 0, 0));
  EXPECT_EQ(app.threadMessages, 0);
  PumpEvents();
  EXPECT_EQ(app.threadMessages, 3);
  EXPECT_FALSE(::PostThreadMessage(GetCurrentThreadId() + 1, g_announce, 0, 0));
}

}  // namespace

#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>
#include <set>
#include <sstream>

#include "framework/core/RegisteredMessages.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/windows/WindowProps.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

UINT g_pingMessage = 0;

// A window whose map binds one entry of each handler shape.
class MappedWnd : public TestWnd {
 public:
  Journal journal;
  int createResult = 0;
  bool handleClicks = true;

  int OnCreate(LPCREATESTRUCT cs) {
    journal.Add(std::string("create:") + (cs->lpszName ? cs->lpszName : ""));
    return createResult;
  }
  void OnSize(UINT kind, int cx, int cy) { Add("size:", kind, ":", cx, "x", cy); }
  void OnLButtonDown(UINT flags, CPoint p) { Add("down:", flags, "@", p.x, ",", p.y); }
  void OnTimer(UINT_PTR id) { Add("timer:", id); }
  void OnContextMenu(CWnd* wnd, CPoint p) {
    Add("context:", wnd == this ? "self" : "other", "@", p.x, ",", p.y);
  }
  BOOL OnHelpInfo(HELPINFO* info) { return Add("help:", info->iCtrlId), TRUE; }
  void OnDestroy() { journal.Add("destroy"); }
  LRESULT OnPing(WPARAM w, LPARAM l) { return Add("ping:", w, ":", l), 77; }
  void OnButton() { journal.Add("button"); }
  void OnRange(UINT id) { Add("range:", id); }
  void OnSelChanged(NMHDR* header, LRESULT* result) {
    Add("selchanged:", header->idFrom);
    *result = 5;
  }
  template <typename... Parts>
  void Add(const Parts&... parts) {
    std::ostringstream entry;
    (entry << ... << parts);
    journal.Add(entry.str());
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{TestWnd::GetMessageMap(),
                                {
                                    msg::Create(&MappedWnd::OnCreate),
                                    msg::Size(&MappedWnd::OnSize),
                                    msg::Mouse(WM_LBUTTONDOWN, &MappedWnd::OnLButtonDown),
                                    msg::Timer(&MappedWnd::OnTimer),
                                    msg::ContextMenu(&MappedWnd::OnContextMenu),
                                    msg::Help(&MappedWnd::OnHelpInfo),
                                    msg::Void(WM_DESTROY, &MappedWnd::OnDestroy),
                                    msg::Registered(&g_pingMessage, &MappedWnd::OnPing),
                                    msg::Control(BN_CLICKED, 10, &MappedWnd::OnButton),
                                    msg::CommandRange(20, 29, &MappedWnd::OnRange),
                                    msg::Notify(TVN_SELCHANGED, 30, &MappedWnd::OnSelChanged),
                                }};
    return &map;
  }
};

// A derived class overrides one entry and inherits the rest.
class DerivedWnd : public MappedWnd {
 public:
  void OnOtherButton() { journal.Add("derived button"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{MappedWnd::GetMessageMap(),
                                {msg::Control(BN_CLICKED, 10, &DerivedWnd::OnOtherButton)}};
    return &map;
  }
};

// Most cases talk to one mapped top-level window, its creation already journalled away.
class MessageMapping : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.journal.entries.clear();
  }
  MappedWnd wnd;
};

// A registered entry follows the number registered later; unregistered (0), it matches
// nothing.
TEST_F(MessageMapping, CracksParametersForEachHandlerShape) {
  g_pingMessage = 0;
  EXPECT_EQ(wnd.SendMessage(0xC7FF, 1, 2), 0);
  g_pingMessage = RegisterWindowMessageA("framework-test-ping");

  wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
  wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(12, 34));
  wnd.SendMessage(WM_TIMER, 1000, 0);
  wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.GetSafeHwnd()), MAKELPARAM(-3, 9));
  HELPINFO info;
  info.iCtrlId = 2026;
  EXPECT_EQ(wnd.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  EXPECT_EQ(wnd.SendMessage(g_pingMessage, 3, 4), 77);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(25, 0), 0);
  NMHDR header{nullptr, 30, TVN_SELCHANGED};
  EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&header)), 5);

  const std::vector<std::string> expected{
      "size:2:640x480", "down:5@12,34", "timer:1000", "context:self@-3,9", "help:2026",
      "ping:3:4",       "button",       "range:25",   "selchanged:30"};
  EXPECT_EQ(wnd.journal.entries, expected);
}

TEST_F(MessageMapping, UnmappedCommandsAndNotificationsAreNotHandled) {
  struct Case {
    UINT id;
    int code;
  };
  // Wrong id, id outside the range, wrong notification code for a mapped id.
  for (const Case& c : {Case{11, BN_CLICKED}, Case{30, BN_CLICKED}, Case{10, EN_CHANGE}}) {
    EXPECT_FALSE(wnd.OnCmdMsg(c.id, c.code, nullptr, nullptr)) << c.id << "/" << c.code;
  }
  NMHDR header{nullptr, 30, TVN_BEGINDRAG};
  AFX_NOTIFY notify{&header, nullptr};
  EXPECT_FALSE(wnd.OnCmdMsg(30, CN_NOTIFY, &notify, nullptr));
  EXPECT_TRUE(wnd.journal.entries.empty());
}

TEST(MessageMap, DerivedEntryWinsAndBaseEntriesStillApply) {
  DerivedWnd wnd;
  ASSERT_TRUE(wnd.CreateTopLevel());
  wnd.journal.entries.clear();
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(21, 0), 0);
  EXPECT_EQ(wnd.journal.entries, (std::vector<std::string>{"derived button", "range:21"}));
}

TEST(MessageMap, CreateRunsTheHandlerAndMinusOneFailsTheCreation) {
  MappedWnd ok;
  ASSERT_TRUE(ok.CreateTopLevel("first"));
  EXPECT_EQ(ok.journal.entries.front(), "create:first");

  MappedWnd refused;
  refused.createResult = -1;
  EXPECT_FALSE(refused.CreateTopLevel("second"));
  EXPECT_EQ(refused.GetSafeHwnd(), nullptr);
  // The refused window was destroyed: WM_DESTROY reached it.
  EXPECT_EQ(refused.journal.entries, (std::vector<std::string>{"create:second", "destroy"}));
}

TEST_F(MessageMapping, UnhandledContextMenuAndHelpGoToTheParent) {
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 44));
  wnd.journal.entries.clear();
  child.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child.GetSafeHwnd()),
                    MAKELPARAM(1, 2));
  HELPINFO info;
  info.iCtrlId = 44;
  child.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(wnd.journal.entries, (std::vector<std::string>{"context:other@1,2", "help:44"}));
}

// A control that takes its own BN_CLICKED and TVN_SELCHANGED back from its parent.
class SelfNotifiedControl : public CWnd {
 public:
  Journal* journal = nullptr;
  void OnOwnClick() { journal->Add("own click"); }
  void OnOwnSelChanged(NMHDR*, LRESULT* result) {
    journal->Add("own selchanged");
    *result = 9;
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{
        CWnd::GetMessageMap(),
        {msg::ControlReflect(BN_CLICKED, &SelfNotifiedControl::OnOwnClick),
         msg::NotifyReflect(TVN_SELCHANGED, &SelfNotifiedControl::OnOwnSelChanged)}};
    return &map;
  }
};

// The parent offers a control its own notifications first; what the control does not
// take reaches the parent's map as before.
TEST_F(MessageMapping, ReflectedNotificationsGoToTheControlBeforeTheParentsMap) {
  SelfNotifiedControl control;
  control.journal = &wnd.journal;
  ASSERT_TRUE(control.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 10));
  wnd.journal.entries.clear();
  const auto from = reinterpret_cast<LPARAM>(control.GetSafeHwnd());
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), from);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0);  // not from the control
  NMHDR selChanged{control.GetSafeHwnd(), 30, TVN_SELCHANGED};
  EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&selChanged)), 9);
  CWnd bare;  // a control without such entries leaves them to the wnd
  ASSERT_TRUE(bare.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 30));
  NMHDR other{bare.GetSafeHwnd(), 30, TVN_SELCHANGED};
  EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&other)), 5);
  EXPECT_EQ(wnd.journal.entries,
            (std::vector<std::string>{"own click", "button", "own selchanged", "selchanged:30"}));
}

// A destroyed window takes its timers and the messages posted to it along.
TEST_F(MessageMapping, TimerDeliversWmTimerUntilKilledOrTheWindowIsDestroyed) {
  EXPECT_EQ(wnd.SetTimer(1000, 5), 1000u);
  // A busy machine may keep a 5 ms timer waiting far longer than that.
  QElapsedTimer waited;
  waited.start();
  while (wnd.journal.entries.size() < 2 && waited.elapsed() < 5000) PumpEvents(10);
  ASSERT_FALSE(wnd.journal.entries.empty());
  for (const auto& entry : wnd.journal.entries) EXPECT_EQ(entry, "timer:1000");
  EXPECT_TRUE(wnd.KillTimer(1000));
  EXPECT_FALSE(wnd.KillTimer(1000));
  wnd.SetTimer(7, 5);
  wnd.PostMessage(WM_TIMER, 9);
  wnd.DestroyWindow();
  EXPECT_FALSE(wnd.PostMessage(WM_TIMER, 9));
  wnd.journal.entries.clear();
  PumpEvents(40);
  EXPECT_TRUE(wnd.journal.entries.empty());
}

TEST(RegisteredMessages, SameNameSameNumberFromTheReservedRange) {
  const UINT number = RegisterWindowMessageA("framework-test-ping");
  EXPECT_GE(number, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage(std::string("framework-test-ping")), number);
  // Names differing only in case or length are different; an empty name fails.
  std::set<UINT> numbers;
  for (const char* name : {"tm-case", "TM-CASE", "tm-case ", "tm-cas"}) {
    numbers.insert(RegisterWindowMessageA(name));
  }
  EXPECT_EQ(numbers.size(), 4u);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

}  // namespace

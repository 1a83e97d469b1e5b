// The recorder on sway, a wlroots compositor (scripts/with-compositor.sh sway).
#include <cstdlib>

#include "framework/core/Clock.h"
#include "host/recorder/ActivityBlock.h"
#include "recorder/wayland/WaylandClient.h"
#include "recorder/wlroots/WlrootsDesktop.h"
#include "tests/recorder/desktops/DesktopBackendTest.h"

namespace {

class Wlroots : public DesktopBackendTest {
 protected:
  static std::unique_ptr<DesktopWatch> Desktop(std::string& why) {
    auto client = WaylandClient::Connect(why);
    return client ? WlrootsDesktop::Open(std::move(client), why) : nullptr;
  }
  // Focuses the window of `appId` as a key binding of the user would; false when sway
  // has no such window (yet).
  static bool Focus(const std::string& appId) {
    return std::system(("swaymsg -q '[app_id=" + appId + "] focus'").c_str()) == 0;
  }
};

TEST_F(Wlroots, FocusAndCaptionChangesGiveTheTotals) {
  auto editor = Open("editor", "notes.txt");
  auto browser = Open("browser", "Start page");
  ASSERT_TRUE(WaitFor([] { return Focus("browser") && Focus("editor"); }));
  std::string why;
  Start(Desktop(why), why);
  ExpectSwitchesAndCaption(
      [&]() -> TestWindow& {
        EXPECT_TRUE(Focus("browser"));
        return *browser;
      },
      [&] { EXPECT_TRUE(Focus("editor")); }, "wm-class:editor", "wm-class:browser");
}

TEST_F(Wlroots, IdlePausesFromTheLastInputAndInputResumes) {
  auto editor = Open("editor", "notes.txt");
  ASSERT_TRUE(WaitFor([] { return Focus("editor"); }));
  RecorderSettings settings;
  settings.idleMilliseconds = 1000;
  std::string why;
  Start(Desktop(why), why, settings);
  SetFixedClock(t0 + 100);  // seen a hundred seconds later: the pause still starts at the input
  ASSERT_TRUE(WaitForBlocks(2));
  EXPECT_EQ(Blocks()[1][1], LogTimestamp(t0 + 99));
  EXPECT_EQ(Blocks()[1][2], "Idle");
  EXPECT_EQ(service->State(), RecorderState::Paused);
  SetFixedClock(t0 + 200);
  // A pointer move on the seat, as the user's hand on the mouse.
  ASSERT_EQ(std::system("swaymsg -q seat seat0 cursor move 1 1"), 0);
  ASSERT_TRUE(WaitForBlocks(3));
  EXPECT_EQ(Blocks()[2][1], LogTimestamp(t0 + 200));
  EXPECT_EQ(Blocks()[2][2], "Text Editor");
  EXPECT_EQ(service->State(), RecorderState::Recording);
}

}  // namespace

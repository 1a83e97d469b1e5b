// The recorder on sway, a wlroots compositor (scripts/with-compositor.sh sway).
#include <cstdlib>

#include "tests/recorder/desktops/DesktopBackendTest.h"

namespace {

class Wlroots : public DesktopBackendTest {
 protected:
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
  Start(Chosen(DesktopKind::Wlroots), "");
  ExpectSwitchesAndCaption([&] { EXPECT_TRUE(Focus("browser")); },
                           [&](const std::string& title) { browser->SetTitle(title); },
                           [&] { EXPECT_TRUE(Focus("editor")); }, "browser", "wm-class:editor",
                           "wm-class:browser");
}

TEST_F(Wlroots, IdlePausesFromTheLastInputAndInputResumes) {
  auto editor = Open("editor", "notes.txt");
  ASSERT_TRUE(WaitFor([] { return Focus("editor"); }));
  // A pointer move on the seat, as the user's hand on the mouse.
  ExpectIdleAndScreenSaver(
      Chosen(DesktopKind::Wlroots),
      [] { ASSERT_EQ(std::system("swaymsg -q seat seat0 cursor move 1 1"), 0); }, nullptr);
}

}  // namespace

// The recorder on KDE Plasma's KWin (scripts/with-compositor.sh kwin), with the KWin
// script as the package ships it.
#include <QDBusInterface>
#include <fstream>

#include "framework/core/Clock.h"
#include "host/recorder/ActivityBlock.h"
#include "recorder/kde/KdeDesktop.h"
#include "tests/recorder/desktops/DesktopBackendTest.h"

namespace {

class Kde : public DesktopBackendTest {
 protected:
  static std::unique_ptr<DesktopWatch> Desktop(std::string& why) {
    return KdeDesktop::Open(TASKMETER_KWIN_SCRIPT, why);
  }
  // Activates the window of `resourceClass` as the task bar would, through a KWin script
  // of the test's own.
  void Activate(const std::string& resourceClass) {
    const auto script = home.Write("activate.js",
                                   "var all = workspace.clientList();\n"
                                   "for (var i = 0; i < all.length; ++i)\n"
                                   "  if (all[i].resourceClass == '" +
                                       resourceClass + "') workspace.activeClient = all[i];\n");
    QDBusInterface scripting("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting");
    scripting.call("unloadScript", "test-activate");
    scripting.call("loadScript", QString::fromStdString(script.string()), "test-activate");
    scripting.call("start");
  }
  std::string Program(const std::string& appId) const {
    return (home.Path() / "bin" / appId).string();
  }
};

TEST_F(Kde, FocusAndCaptionChangesGiveTheTotals) {
  auto editor = Open("editor", "notes.txt");
  std::unique_ptr<TestWindow> browser;
  ASSERT_TRUE(WaitFor([&] {
    std::string why;
    auto desktop = Desktop(why);
    return desktop && desktop->Foreground().wmClass == "editor";
  }));
  std::string why;
  Start(Desktop(why), why);
  ExpectSwitchesAndCaption(
      [&]() -> TestWindow& {
        browser = Open("browser", "Start page");  // a new window comes to the front
        return *browser;
      },
      [&] { Activate("editor"); }, Program("editor"), Program("browser"));
}

TEST_F(Kde, IdleAndTheScreenSaverPause) {
  FakeScreenSaver saver("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver");
  ASSERT_TRUE(saver.Running());
  auto editor = Open("editor", "notes.txt");
  ASSERT_TRUE(WaitFor([&] {
    std::string why;
    auto desktop = Desktop(why);
    return desktop && desktop->Foreground().wmClass == "editor";
  }));
  RecorderSettings settings;
  settings.idleMilliseconds = 1000;
  settings.pauseOnScreenSaver = true;
  std::string why;
  Start(Desktop(why), why, settings);
  SetFixedClock(t0 + 100);
  ASSERT_TRUE(WaitForBlocks(2));
  EXPECT_EQ(Blocks()[1][1], LogTimestamp(t0 + 99));
  EXPECT_EQ(Blocks()[1][2], "Idle");
  SetFixedClock(t0 + 200);
  editor->Activity();
  ASSERT_TRUE(WaitForBlocks(3));
  EXPECT_EQ(Blocks()[2][1], LogTimestamp(t0 + 200));
  EXPECT_EQ(Blocks()[2][2], "Text Editor");

  service->Apply({(home.Path() / "db").string(), std::nullopt, true});  // the screen saver alone
  SetFixedClock(t0 + 250);
  saver.Set(true);
  ASSERT_TRUE(WaitForBlocks(4));
  EXPECT_EQ(Blocks()[3][1], LogTimestamp(t0 + 250));
  EXPECT_EQ(Blocks()[3][2], "Idle");
  SetFixedClock(t0 + 280);
  saver.Set(false);
  ASSERT_TRUE(WaitForBlocks(5));
  EXPECT_EQ(Blocks()[4][1], LogTimestamp(t0 + 280));
  EXPECT_EQ(Blocks()[4][2], "Text Editor");
}

}  // namespace

// The recorder on GNOME Shell (scripts/with-compositor.sh gnome-shell), with the Shell
// extension as the package ships it, installed for the shell's user by the script.
#include <QDBusInterface>

#include "framework/core/Clock.h"
#include "host/recorder/ActivityBlock.h"
#include "recorder/gnome/GnomeDesktop.h"
#include "tests/recorder/desktops/DesktopBackendTest.h"

namespace {

class Gnome : public DesktopBackendTest {
 protected:
  static QDBusMessage Call(const QString& path, const QString& interface, const QString& method,
                           const QVariantList& args = {}) {
    QDBusInterface object(
        path.startsWith("/org/gnome/Mutter") ? "org.gnome.Mutter.IdleMonitor" : "org.gnome.Shell",
        path, interface);
    return object.callWithArgumentList(QDBus::Block, method, args);
  }
  static void SetExtension(bool enabled) {
    Call("/org/gnome/Shell", "org.gnome.Shell.Extensions",
         enabled ? "EnableExtension" : "DisableExtension", {GnomeDesktop::kExtension});
  }
  // Input on the seat, as far as the idle monitor can tell.
  static void ResetIdletime() {
    Call("/org/gnome/Mutter/IdleMonitor/Core", "org.gnome.Mutter.IdleMonitor", "ResetIdletime");
  }
  // Opens the desktop once the extension reports `wmClass` in front.
  std::unique_ptr<DesktopWatch> DesktopWith(const std::string& wmClass) {
    SetExtension(true);
    std::unique_ptr<DesktopWatch> desktop;
    EXPECT_TRUE(WaitFor([&] {
      std::string why;
      desktop = GnomeDesktop::Open(why);
      return desktop && desktop->Foreground().wmClass == wmClass;
    }));
    return desktop;
  }
  std::string Program(const std::string& appId) const {
    return (home.Path() / "bin" / appId).string();
  }
};

TEST_F(Gnome, TheStatusSaysHowToEnableTheExtension) {
  SetExtension(false);
  std::string why;
  ASSERT_TRUE(WaitFor([&] { return !GnomeDesktop::Open(why); }));
  RecorderService disabled;
  disabled.Start(nullptr, why, {});
  EXPECT_EQ(disabled.StatusText(),
            "Not recording: the GNOME Shell extension is not enabled: enable it with "
            "\"gnome-extensions enable taskmeter@kestrelworks.example\" (under Wayland, a newly "
            "installed extension is loaded at the next login)");
}

TEST_F(Gnome, FocusAndCaptionChangesGiveTheTotals) {
  auto editor = Open("editor", "notes.txt");
  std::unique_ptr<TestWindow> browser;
  Start(DesktopWith("editor"), "");
  ExpectSwitchesAndCaption(
      [&]() -> TestWindow& {
        browser = Open("browser", "Start page");  // a new window takes the focus
        return *browser;
      },
      [&] { browser->Close(); }, Program("editor"), Program("browser"));
}

TEST_F(Gnome, IdleAndTheScreenSaverPause) {
  FakeScreenSaver saver("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver");
  ASSERT_TRUE(saver.Running());
  auto editor = Open("editor", "notes.txt");
  auto desktop = DesktopWith("editor");
  RecorderSettings settings;
  settings.idleMilliseconds = 1000;
  settings.pauseOnScreenSaver = true;
  ResetIdletime();
  Start(std::move(desktop), "", settings);
  SetFixedClock(t0 + 100);
  ASSERT_TRUE(WaitForBlocks(2));
  EXPECT_EQ(Blocks()[1][1], LogTimestamp(t0 + 99));
  EXPECT_EQ(Blocks()[1][2], "Idle");
  SetFixedClock(t0 + 200);
  ResetIdletime();
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

// The recorder on GNOME Shell (scripts/with-compositor.sh gnome-shell), with the Shell
// extension as the package ships it, installed for the shell's user by the script.
#include "recorder/BusSignal.h"
#include "recorder/gnome/GnomeDesktop.h"
#include "tests/recorder/desktops/DesktopBackendTest.h"

namespace {

class Gnome : public DesktopBackendTest {
 protected:
  static QDBusMessage Call(const QString& path, const QString& interface, const QString& method,
                           const QVariantList& args = {}) {
    return CallBus(
        QDBusConnection::sessionBus(),
        path.startsWith("/org/gnome/Mutter") ? "org.gnome.Mutter.IdleMonitor" : "org.gnome.Shell",
        path, interface, method, args);
  }
  static void SetExtension(bool enabled) {
    Call("/org/gnome/Shell", "org.gnome.Shell.Extensions",
         enabled ? "EnableExtension" : "DisableExtension", {GnomeDesktop::kExtension});
  }
  // Input on the seat, as far as the idle monitor can tell.
  static void ResetIdletime() {
    Call("/org/gnome/Mutter/IdleMonitor/Core", "org.gnome.Mutter.IdleMonitor", "ResetIdletime");
  }
};

TEST_F(Gnome, TheStatusSaysHowToEnableTheExtension) {
  SetExtension(false);
  std::string why;
  ASSERT_TRUE(WaitFor([&] {
    auto opened = GnomeDesktop::Open();
    why = opened.Message();
    return !opened;
  }));
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
  SetExtension(true);
  Start(Chosen(DesktopKind::Gnome), "");
  ExpectSwitchesAndCaption(
      [&] { browser = Open("browser", "Start page"); },  // a new window takes the focus
      [&](const std::string& title) { browser->SetTitle(title); }, [&] { browser->Close(); },
      "browser", Program("editor"), Program("browser"));
}

TEST_F(Gnome, IdleAndTheScreenSaverPause) {
  FakeScreenSaver saver("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver");
  ASSERT_TRUE(saver.Running());
  auto editor = Open("editor", "notes.txt");
  SetExtension(true);
  auto desktop = Chosen(DesktopKind::Gnome);
  ResetIdletime();
  ExpectIdleAndScreenSaver(std::move(desktop), &ResetIdletime, [&](bool on) { saver.Set(on); });
}

}  // namespace

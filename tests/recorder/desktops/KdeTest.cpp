// The recorder on KDE Plasma's KWin (scripts/with-compositor.sh kwin), with the KWin
// script as the package ships it.
#include "recorder/BusSignal.h"
#include "tests/recorder/desktops/DesktopBackendTest.h"

namespace {

class Kde : public DesktopBackendTest {
 protected:
  // Activates the window of `resourceClass` as the task bar would, through a KWin script
  // of the test's own.
  void Activate(const std::string& resourceClass) {
    const auto script = home.Write("activate.js",
                                   "var all = workspace.clientList();\n"
                                   "for (var i = 0; i < all.length; ++i)\n"
                                   "  if (all[i].resourceClass == '" +
                                       resourceClass + "') workspace.activeClient = all[i];\n");
    auto scripting = [](const char* method, const QVariantList& args) {
      CallBus(QDBusConnection::sessionBus(), "org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting",
              method, args);
    };
    scripting("unloadScript", {"test-activate"});
    scripting("loadScript", {QString::fromStdString(script.string()), "test-activate"});
    scripting("start", {});
  }
};

TEST_F(Kde, FocusAndCaptionChangesGiveTheTotals) {
  auto editor = Open("editor", "notes.txt");
  std::unique_ptr<TestWindow> browser;
  Start(Chosen(DesktopKind::Kde), "");
  ExpectSwitchesAndCaption(
      [&] { browser = Open("browser", "Start page"); },  // a new window comes to the front
      [&](const std::string& title) { browser->SetTitle(title); }, [&] { Activate("editor"); },
      "browser", Program("editor"), Program("browser"));
}

TEST_F(Kde, IdleAndTheScreenSaverPause) {
  FakeScreenSaver saver("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver");
  ASSERT_TRUE(saver.Running());
  auto editor = Open("editor", "notes.txt");
  ExpectIdleAndScreenSaver(
      Chosen(DesktopKind::Kde), [&] { editor->Activity(); }, [&](bool on) { saver.Set(on); });
}

}  // namespace

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Status.h"
#include "recorder/BusDesktop.h"

class BusSignal;
class MutterIdle;
class QDBusServiceWatcher;

// The foreground of a GNOME session. GNOME Shell tells no other client which window has
// the focus, so a small extension of ours runs inside it, exports the focused window's
// caption, class and process on the session bus and signals its changes. Idle time
// comes from Mutter's idle monitor, the screen saver from org.gnome.ScreenSaver. All of
// it is funnelled into one descriptor.
class GnomeDesktop : public BusDesktop {
 public:
  static constexpr const char* kExtension = "taskmeter@kestrelworks.example";
  static constexpr const char* kObjectPath = "/example/kestrelworks/TaskMeter/FocusedWindow";
  static constexpr const char* kInterface = "example.kestrelworks.TaskMeter.FocusedWindow";

  // Fails when GNOME Shell is not on the session bus or our extension is not running
  // in it (then the message says how to enable it).
  static Result<std::unique_ptr<GnomeDesktop>> Open();
  ~GnomeDesktop() override;
  GnomeDesktop(const GnomeDesktop&) = delete;
  GnomeDesktop& operator=(const GnomeDesktop&) = delete;

  void Dispatch(DesktopListener& listener) override;
  void WatchIdle(std::optional<int64_t> thresholdMilliseconds) override;
  int64_t IdleMilliseconds() override;

 private:
  GnomeDesktop();
  Status ExtensionEnabled();
  bool ReadFront();
  void Lost();

  std::unique_ptr<MutterIdle> idle_;
  std::vector<std::unique_ptr<BusSignal>> signals_;
  std::unique_ptr<QDBusServiceWatcher> shellWatcher_;
  struct Change {
    enum Kind { Idle, Active, ScreenSaverOn, ScreenSaverOff } kind;
    int64_t idleMilliseconds;
  };
  std::vector<Change> changes_;
};

// What the status bar says while the extension is not running.
std::string GnomeExtensionHint();

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Status.h"
#include "recorder/BusDesktop.h"

class ActiveWindowObject;
class BusSignal;
class QDBusServiceWatcher;
class WaylandClient;
class WaylandIdle;

// The foreground of a KDE Plasma session. KWin tells no other client which window is
// active, so a small script of ours runs inside it and calls the recorder on the session
// bus; the recorder loads and starts that script through KWin's scripting interface and
// unloads it when it stops. Idle time comes from the Wayland idle protocols, the screen
// saver from org.freedesktop.ScreenSaver. All of it is funnelled into one descriptor.
class KdeDesktop : public BusDesktop {
 public:
  // The bus name the script calls.
  static constexpr const char* kBusName = "example.kestrelworks.TaskMeter.Recorder";
  static constexpr const char* kScriptName = "taskmeter";

  // Loads the script at `scriptPath` into KWin; fails when KWin is not on the session
  // bus or refuses the script.
  static Result<std::unique_ptr<KdeDesktop>> Open(const std::string& scriptPath);
  ~KdeDesktop() override;
  KdeDesktop(const KdeDesktop&) = delete;
  KdeDesktop& operator=(const KdeDesktop&) = delete;

  void Dispatch(DesktopListener& listener) override;
  void WatchIdle(std::optional<int64_t> thresholdMilliseconds) override;
  int64_t IdleMilliseconds() override;

 private:
  KdeDesktop();
  Status LoadScript(const std::string& scriptPath);
  void Reported(const WindowFacts& facts);

  std::unique_ptr<WaylandClient> wayland_;
  std::unique_ptr<WaylandIdle> idle_;
  std::unique_ptr<ActiveWindowObject> object_;
  std::unique_ptr<BusSignal> saverSignal_;
  std::unique_ptr<QDBusServiceWatcher> kwinWatcher_;
  bool reported_ = false;
  std::vector<bool> saverChanges_;
};

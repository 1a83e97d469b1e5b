#include "recorder/kde/KdeDesktop.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QEventLoop>
#include <filesystem>

#include "recorder/BusSignal.h"
#include "recorder/kde/ActiveWindowObject.h"
#include "recorder/wayland/WaylandClient.h"
#include "recorder/wayland/WaylandIdle.h"

namespace {

constexpr const char* kConnectionName = "taskmeter-kde";
constexpr const char* kKWin = "org.kde.KWin";
constexpr const char* kScreenSaver = "org.freedesktop.ScreenSaver";
constexpr const char* kScreenSaverPath = "/org/freedesktop/ScreenSaver";
// How long KWin may take to run the script and report the first window.
constexpr int kFirstReportMilliseconds = 2000;
constexpr const char* kScripting = "/Scripting";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";

}  // namespace

Result<std::unique_ptr<KdeDesktop>> KdeDesktop::Open(const std::string& scriptPath) {
  std::unique_ptr<KdeDesktop> desktop(new KdeDesktop());
  QDBusConnection& bus = desktop->bus_;
  if (!bus.isConnected()) {
    return Unavailable("no session bus: " + bus.lastError().message().toStdString());
  }
  const QString kwin = bus.interface()->serviceOwner(kKWin);
  if (kwin.isEmpty()) {
    return Unavailable("KWin is not on the session bus");
  }
  if (!bus.registerService(KdeDesktop::kBusName)) {
    return Status::Failure(ErrorCode::Busy,
                           std::string("another recorder holds the bus name ") + kBusName);
  }
  desktop->object_ = std::make_unique<ActiveWindowObject>(
      kwin, [raw = desktop.get()](const WindowFacts& facts) { raw->Reported(facts); });
  bus.registerVirtualObject(ActiveWindowObject::kPath, desktop->object_.get());
  if (Status loaded = desktop->LoadScript(scriptPath); !loaded) return loaded;
  return desktop;
}

KdeDesktop::KdeDesktop() : BusDesktop(kConnectionName) {
  // Without it, no pause for lack of input.
  if (auto wayland = WaylandClient::Connect()) {
    wayland_ = std::move(*wayland);
    idle_ = std::make_unique<WaylandIdle>(*wayland_);
    events_.Add(wayland_->FileDescriptor());
  }
  kwinWatcher_ = std::make_unique<QDBusServiceWatcher>(kKWin, bus_,
                                                       QDBusServiceWatcher::WatchForUnregistration);
  QObject::connect(kwinWatcher_.get(), &QDBusServiceWatcher::serviceUnregistered, [this] {
    lost_ = true;
    events_.Wake();
  });
  saverSignal_ =
      std::make_unique<BusSignal>(bus_, kScreenSaver, kScreenSaverPath, kScreenSaver,
                                  "ActiveChanged", [this](const QDBusMessage& message) {
                                    if (message.arguments().isEmpty()) return;
                                    saverChanges_.push_back(message.arguments().front().toBool());
                                    events_.Wake();
                                  });
  const QDBusReply<bool> active =
      CallBus(bus_, kScreenSaver, kScreenSaverPath, kScreenSaver, "GetActive");
  screenSaver_ = active.isValid() && active.value();
}

KdeDesktop::~KdeDesktop() {
  if (!lost_) {
    CallBus(bus_, kKWin, kScripting, kScriptingInterface, "unloadScript", {QString(kScriptName)});
  }
  bus_.unregisterObject(ActiveWindowObject::kPath);
  saverSignal_.reset();
  kwinWatcher_.reset();
  idle_.reset();
  wayland_.reset();
  QDBusConnection::disconnectFromBus(kConnectionName);
}

Status KdeDesktop::LoadScript(const std::string& scriptPath) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(scriptPath, ec)) {
    return Status::Failure(ErrorCode::CannotRead, "the KWin script " + scriptPath + " is missing");
  }
  auto scripting = [this](const char* method, const QVariantList& args) {
    return CallBus(bus_, kKWin, kScripting, kScriptingInterface, method, args);
  };
  // A script left by a recorder that ended without unloading it would not report again.
  scripting("unloadScript", {QString(kScriptName)});
  const QDBusReply<int> id =
      scripting("loadScript", {QString::fromStdString(scriptPath), QString(kScriptName)});
  if (!id.isValid() || id.value() < 0) {
    return Status::Failure(ErrorCode::Unavailable, "KWin did not load the script " + scriptPath);
  }
  scripting("start", {});
  // The script reports the active window as soon as it runs; until then the front is
  // unknown, which would be recorded as nothing in front.
  QElapsedTimer waited;
  waited.start();
  while (!reported_ && !lost_ && waited.elapsed() < kFirstReportMilliseconds) {
    QEventLoop().processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents,
                               50);
  }
  frontChanged_ = false;
  events_.TakeWake();
  return {};
}

void KdeDesktop::Reported(const WindowFacts& facts) {
  reported_ = true;
  front_ = facts;
  frontChanged_ = true;
  events_.Wake();
}

void KdeDesktop::Dispatch(DesktopListener& listener) {
  events_.TakeWake();
  if (wayland_ && !wayland_->Dispatch()) lost_ = true;
  if (idle_) {
    for (const WaylandIdle::Change& change : idle_->TakeChanges()) {
      listener.IdleChanged(change.idle, change.idleMilliseconds);
    }
  }
  for (const bool active : std::exchange(saverChanges_, {})) {
    screenSaver_ = active;
    listener.ScreenSaverChanged(active, IdleMilliseconds());
  }
  if (std::exchange(frontChanged_, false)) listener.ForegroundChanged();
  if (lost_) listener.DesktopLost();
}

void KdeDesktop::WatchIdle(std::optional<int64_t> thresholdMilliseconds) {
  if (idle_) idle_->Watch(thresholdMilliseconds);
}

int64_t KdeDesktop::IdleMilliseconds() { return idle_ ? idle_->IdleMilliseconds() : 0; }

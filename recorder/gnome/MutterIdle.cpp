#include "recorder/gnome/MutterIdle.h"

#include <QDBusReply>

#include "recorder/BusSignal.h"

namespace {

constexpr const char* kService = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kPath = "/org/gnome/Mutter/IdleMonitor/Core";

}  // namespace

MutterIdle::MutterIdle(QDBusConnection bus, std::function<void(bool, int64_t)> changed)
    : bus_(std::move(bus)), changed_(std::move(changed)) {
  fired_ = std::make_unique<BusSignal>(bus_, kService, kPath, kService, "WatchFired",
                                       [this](const QDBusMessage& message) {
                                         if (message.arguments().isEmpty()) return;
                                         Fired(message.arguments().front().toUInt());
                                       });
}

MutterIdle::~MutterIdle() { RemoveWatches(); }

uint32_t MutterIdle::AddWatch(const char* method, const QList<QVariant>& args) {
  const QDBusReply<uint32_t> id = CallBus(bus_, kService, kPath, kService, method, args);
  return id.isValid() ? id.value() : 0;
}

void MutterIdle::RemoveWatches() {
  for (uint32_t* watch : {&idleWatch_, &activeWatch_}) {
    if (*watch != 0) SendToBus(bus_, kService, kPath, kService, "RemoveWatch", {*watch});
    *watch = 0;
  }
}

void MutterIdle::Watch(std::optional<int64_t> thresholdMilliseconds) {
  RemoveWatches();
  if (!thresholdMilliseconds) return;
  // Mutter fires at once when input has already stopped that long.
  idleWatch_ =
      AddWatch("AddIdleWatch",
               {QVariant::fromValue<qulonglong>(std::max<int64_t>(1, *thresholdMilliseconds))});
}

int64_t MutterIdle::IdleMilliseconds() {
  const QDBusReply<qulonglong> idle = CallBus(bus_, kService, kPath, kService, "GetIdletime");
  return idle.isValid() ? static_cast<int64_t>(idle.value()) : 0;
}

void MutterIdle::Fired(uint32_t id) {
  if (id == 0) return;
  if (id == idleWatch_ && activeWatch_ == 0) {
    activeWatch_ = AddWatch("AddUserActiveWatch", {});
    changed_(true, IdleMilliseconds());
  } else if (id == activeWatch_) {
    activeWatch_ = 0;  // fires once
    changed_(false, 0);
  }
}

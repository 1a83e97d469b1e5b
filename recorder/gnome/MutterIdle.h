#pragma once

#include <QDBusConnection>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class BusSignal;

// Idle time of a GNOME session through Mutter's idle monitor: a watch that fires when
// input has stopped for the threshold, then a one-time watch that fires at the next
// input. Mutter tells each crossing, so nothing is polled.
class MutterIdle {
 public:
  // `changed(idle, idleMilliseconds)` is called on each crossing.
  MutterIdle(QDBusConnection bus, std::function<void(bool, int64_t)> changed);
  ~MutterIdle();

  void Watch(std::optional<int64_t> thresholdMilliseconds);
  // How long ago the last input was; 0 when Mutter does not answer.
  int64_t IdleMilliseconds();

 private:
  uint32_t AddWatch(const char* method, const QList<QVariant>& args);
  void RemoveWatches();
  void Fired(uint32_t id);

  QDBusConnection bus_;
  std::function<void(bool, int64_t)> changed_;
  std::unique_ptr<BusSignal> fired_;
  uint32_t idleWatch_ = 0;
  uint32_t activeWatch_ = 0;
};

#pragma once

#include <QDBusVirtualObject>
#include <functional>

#include "recorder/ApplicationNamer.h"

// The recorder's object on the session bus that KWin's script calls with the active
// window. Calls from anyone but KWin are refused, so no other program can tell the
// recorder what the user works on.
class ActiveWindowObject : public QDBusVirtualObject {
 public:
  static constexpr const char* kPath = "/ActiveWindow";
  static constexpr const char* kInterface = "example.kestrelworks.TaskMeter.ActiveWindow";

  // `kwin`: the unique bus name of KWin; `changed` gets each window reported.
  ActiveWindowObject(QString kwin, std::function<void(const WindowFacts&)> changed);

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  QString kwin_;
  std::function<void(const WindowFacts&)> changed_;
};

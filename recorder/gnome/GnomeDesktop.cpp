#include "recorder/gnome/GnomeDesktop.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

#include "recorder/BusSignal.h"
#include "recorder/ProcessPath.h"
#include "recorder/gnome/MutterIdle.h"

namespace {

constexpr const char* kConnectionName = "taskmeter-gnome";
constexpr const char* kShell = "org.gnome.Shell";
constexpr const char* kScreenSaver = "org.gnome.ScreenSaver";
constexpr const char* kScreenSaverPath = "/org/gnome/ScreenSaver";
constexpr const char* kExtensions = "org.gnome.Shell.Extensions";
constexpr int kExtensionEnabled = 1;  // GNOME Shell's ExtensionState.ENABLED

WindowFacts FactsOf(const QList<QVariant>& args) {
  WindowFacts facts;
  if (args.size() != 4) {
    facts.exists = false;
    return facts;
  }
  facts.title = args[0].toString().toStdString();
  facts.wmClass = args[1].toString().toStdString();
  facts.wmInstance = args[2].toString().toStdString();
  facts.programPath = ProgramPath(args[3].toUInt());
  facts.exists = !facts.wmClass.empty() || !facts.title.empty();
  return facts;
}

}  // namespace

std::string GnomeExtensionHint() {
  return std::string(
             "the GNOME Shell extension is not enabled: enable it with "
             "\"gnome-extensions enable ") +
         GnomeDesktop::kExtension +
         "\" (under Wayland, a newly installed extension is loaded at the next login)";
}

Result<std::unique_ptr<GnomeDesktop>> GnomeDesktop::Open() {
  std::unique_ptr<GnomeDesktop> desktop(new GnomeDesktop());
  if (!desktop->bus_.isConnected()) {
    return Unavailable("no session bus: " + desktop->bus_.lastError().message().toStdString());
  }
  if (!desktop->bus_.interface()->isServiceRegistered(kShell)) {
    return Unavailable("GNOME Shell is not on the session bus");
  }
  if (Status enabled = desktop->ExtensionEnabled(); !enabled) return enabled;
  if (!desktop->ReadFront()) {
    return Unavailable("the GNOME Shell extension does not answer");
  }
  return desktop;
}

GnomeDesktop::GnomeDesktop() : BusDesktop(kConnectionName) {
  auto listen = [this](const char* service, const char* path, const char* interface,
                       const char* member, BusSignal::Handler handler) {
    signals_.push_back(
        std::make_unique<BusSignal>(bus_, service, path, interface, member, std::move(handler)));
  };
  listen(kShell, kObjectPath, kInterface, "Changed", [this](const QDBusMessage& message) {
    front_ = FactsOf(message.arguments());
    frontChanged_ = true;
    events_.Wake();
  });
  listen(kShell, "/org/gnome/Shell", kExtensions, "ExtensionStateChanged",
         [this](const QDBusMessage& message) {
           const QList<QVariant> args = message.arguments();
           if (args.size() == 2 && args[0].toString() == kExtension) {
             const QVariantMap info = qdbus_cast<QVariantMap>(args[1]);
             if (info.value("state").toInt() != kExtensionEnabled) Lost();
           }
         });
  listen(kScreenSaver, kScreenSaverPath, kScreenSaver, "ActiveChanged",
         [this](const QDBusMessage& message) {
           if (message.arguments().isEmpty()) return;
           const bool on = message.arguments().front().toBool();
           changes_.push_back({on ? Change::ScreenSaverOn : Change::ScreenSaverOff, 0});
           events_.Wake();
         });
  idle_ = std::make_unique<MutterIdle>(bus_, [this](bool idle, int64_t idleMilliseconds) {
    changes_.push_back({idle ? Change::Idle : Change::Active, idleMilliseconds});
    events_.Wake();
  });
  shellWatcher_ = std::make_unique<QDBusServiceWatcher>(
      kShell, bus_, QDBusServiceWatcher::WatchForUnregistration);
  QObject::connect(shellWatcher_.get(), &QDBusServiceWatcher::serviceUnregistered,
                   [this] { Lost(); });
  const QDBusReply<bool> active =
      CallBus(bus_, kScreenSaver, kScreenSaverPath, kScreenSaver, "GetActive");
  screenSaver_ = active.isValid() && active.value();
}

GnomeDesktop::~GnomeDesktop() {
  signals_.clear();
  shellWatcher_.reset();
  idle_.reset();
  QDBusConnection::disconnectFromBus(kConnectionName);
}

Status GnomeDesktop::ExtensionEnabled() {
  const QDBusMessage reply = CallBus(bus_, kShell, "/org/gnome/Shell", kExtensions,
                                     "GetExtensionInfo", {QString(kExtension)});
  // An extension the shell has not loaded has no info at all.
  const QVariantMap info =
      reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
          ? qdbus_cast<QVariantMap>(reply.arguments().front())
          : QVariantMap();
  if (info.value("state").toInt() == kExtensionEnabled) return {};
  return Status::Failure(ErrorCode::Unavailable, GnomeExtensionHint());
}

bool GnomeDesktop::ReadFront() {
  const QDBusMessage reply = CallBus(bus_, kShell, kObjectPath, kInterface, "Get");
  if (reply.type() != QDBusMessage::ReplyMessage) return false;
  front_ = FactsOf(reply.arguments());
  return true;
}

void GnomeDesktop::Lost() {
  lost_ = true;
  events_.Wake();
}

void GnomeDesktop::Dispatch(DesktopListener& listener) {
  events_.TakeWake();
  for (const Change& change : std::exchange(changes_, {})) {
    switch (change.kind) {
      case Change::Idle:
      case Change::Active:
        listener.IdleChanged(change.kind == Change::Idle, change.idleMilliseconds);
        break;
      case Change::ScreenSaverOn:
      case Change::ScreenSaverOff:
        screenSaver_ = change.kind == Change::ScreenSaverOn;
        listener.ScreenSaverChanged(screenSaver_, IdleMilliseconds());
        break;
    }
  }
  if (std::exchange(frontChanged_, false)) listener.ForegroundChanged();
  if (lost_) listener.DesktopLost();
}

void GnomeDesktop::WatchIdle(std::optional<int64_t> thresholdMilliseconds) {
  idle_->Watch(thresholdMilliseconds);
}

int64_t GnomeDesktop::IdleMilliseconds() { return idle_->IdleMilliseconds(); }

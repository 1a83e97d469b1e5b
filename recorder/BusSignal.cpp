#include "recorder/BusSignal.h"

namespace {

QDBusMessage MethodCall(const QString& service, const QString& path, const QString& interface,
                        const QString& method, const QVariantList& args) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call.setArguments(args);
  return call;
}

}  // namespace

QDBusMessage CallBus(const QDBusConnection& bus, const QString& service, const QString& path,
                     const QString& interface, const QString& method, const QVariantList& args,
                     int timeoutMilliseconds) {
  return bus.call(MethodCall(service, path, interface, method, args), QDBus::Block,
                  timeoutMilliseconds);
}

void SendToBus(const QDBusConnection& bus, const QString& service, const QString& path,
               const QString& interface, const QString& method, const QVariantList& args) {
  bus.send(MethodCall(service, path, interface, method, args));
}

BusSignal::BusSignal(QDBusConnection connection, const QString& service, const QString& path,
                     const QString& interface, const QString& member, Handler handler)
    : connection_(std::move(connection)),
      service_(service),
      path_(path),
      interface_(interface),
      member_(member),
      handler_(std::move(handler)) {
  listening_ =
      connection_.connect(service_, path_, interface_, member_, this, SLOT(Deliver(QDBusMessage)));
}

BusSignal::~BusSignal() {
  if (listening_) {
    connection_.disconnect(service_, path_, interface_, member_, this, SLOT(Deliver(QDBusMessage)));
  }
}

void BusSignal::Deliver(const QDBusMessage& message) { handler_(message); }

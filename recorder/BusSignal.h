#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <functional>

// Calls `method` and waits at most `timeoutMilliseconds` for the answer (an error
// message when there is none). Plain calls: an interface object would read the remote
// object's description first, a round trip of its own on every call.
QDBusMessage CallBus(const QDBusConnection& bus, const QString& service, const QString& path,
                     const QString& interface, const QString& method, const QVariantList& args = {},
                     int timeoutMilliseconds = 3000);
// The same without waiting for an answer.
void SendToBus(const QDBusConnection& bus, const QString& service, const QString& path,
               const QString& interface, const QString& method, const QVariantList& args = {});

// A signal of the session bus delivered to a function. QtDBus hands signals only to
// slots, so this one object holds the slot for every signal a desktop listens to.
class BusSignal : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(const QDBusMessage&)>;

  // Listens to `member` of `interface` sent by `service` (empty: any sender) from `path`.
  BusSignal(QDBusConnection connection, const QString& service, const QString& path,
            const QString& interface, const QString& member, Handler handler);
  ~BusSignal() override;

  // False when the bus refused the subscription.
  bool Listening() const { return listening_; }

 private slots:
  void Deliver(const QDBusMessage& message);

 private:
  QDBusConnection connection_;
  QString service_, path_, interface_, member_;
  Handler handler_;
  bool listening_ = false;
};

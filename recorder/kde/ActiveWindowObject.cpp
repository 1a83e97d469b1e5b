#include "recorder/kde/ActiveWindowObject.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "recorder/ProcessPath.h"

ActiveWindowObject::ActiveWindowObject(QString kwin,
                                       std::function<void(const WindowFacts&)> changed)
    : kwin_(std::move(kwin)), changed_(std::move(changed)) {}

QString ActiveWindowObject::introspect(const QString&) const {
  return QStringLiteral(
      "<interface name=\"example.kestrelworks.TaskMeter.ActiveWindow\">"
      "<method name=\"Changed\"><arg name=\"caption\" type=\"s\" direction=\"in\"/>"
      "<arg name=\"resourceClass\" type=\"s\" direction=\"in\"/>"
      "<arg name=\"resourceName\" type=\"s\" direction=\"in\"/>"
      "<arg name=\"pid\" type=\"v\" direction=\"in\"/></method></interface>");
}

bool ActiveWindowObject::handleMessage(const QDBusMessage& message,
                                       const QDBusConnection& connection) {
  if (message.interface() != QLatin1String(kInterface) || message.member() != "Changed") {
    return false;
  }
  const QList<QVariant> args = message.arguments();
  if (message.service() != kwin_ || args.size() != 4) {
    connection.send(message.createErrorReply(QDBusError::AccessDenied, "not accepted"));
    return true;
  }
  WindowFacts facts;
  facts.title = args[0].toString().toStdString();
  facts.wmClass = args[1].toString().toStdString();
  facts.wmInstance = args[2].toString().toStdString();
  // The script's numbers arrive as doubles.
  const double pid = args[3].toDouble();
  facts.programPath = pid > 0 && pid < 4294967296.0 ? ProgramPath(static_cast<uint32_t>(pid)) : "";
  facts.exists = !facts.wmClass.empty() || !facts.title.empty();
  if (message.isReplyRequired()) connection.send(message.createReply());
  changed_(facts);
  return true;
}

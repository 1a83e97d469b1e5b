#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the host the way Exit does, so the recorder writes its
// "Stop" block. The handler only writes a byte to a pipe; `onSignal` runs later on the
// event loop, where everything may be done.
class TerminationSignals : public QObject {
 public:
  explicit TerminationSignals(std::function<void()> onSignal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  std::function<void()> m_onSignal;
  std::unique_ptr<QSocketNotifier> m_notifier;
};

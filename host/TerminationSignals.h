#pragma once

#include <signal.h>

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the host the way Exit does, so the recorder writes its
// "Stop" block. The handler only writes a byte to a pipe; `onSignal` runs later on the
// event loop, where everything may be done, inside a modal dialog's loop too. A signal
// the host was started to ignore (SIGHUP under nohup) stays ignored.
class TerminationSignals : public QObject {
 public:
  explicit TerminationSignals(std::function<void()> onSignal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  std::function<void()> m_onSignal;
  std::unique_ptr<QSocketNotifier> m_notifier;
  // The signals handled here, with what was in force before, given back at the end.
  std::vector<std::pair<int, struct sigaction>> m_previous;
};

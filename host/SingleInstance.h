#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

// One host per home: the first host of a home holds a lock and listens on a local
// socket; a later one finds the lock taken, asks the first to show its window and
// leaves. The lock is the kernel's (flock), so a host that died holds nothing.
class SingleInstance : public QObject {
 public:
  // `home`: the folder that makes two hosts the same (the executable directory).
  explicit SingleInstance(const std::string& home);
  ~SingleInstance() override;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this is the first host; it then listens for later ones.
  bool Claim();
  // For a later host: asks the first to show itself. False when it does not answer
  // within a few seconds.
  bool HandOver();
  // What the first host does when a later one asks.
  void SetShowRequestHandler(std::function<void()> handler) { m_onShow = std::move(handler); }

 private:
  std::string m_lockPath;
  std::string m_socketPath;
  int m_lockFd = -1;
  std::unique_ptr<QLocalServer> m_server;
  std::function<void()> m_onShow;
};

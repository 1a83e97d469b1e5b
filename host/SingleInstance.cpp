#include "host/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

constexpr int kAnswerMilliseconds = 5000;
constexpr char kShowRequest[] = "show\n";

// The home as the file system knows it, so that every spelling of one folder
// ("/x/./home", "/x/home/", a link to it) names the same host.
std::string CanonicalHome(const std::string& home) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(home, error);
  const std::filesystem::path path =
      error ? std::filesystem::path(home).lexically_normal() : canonical;
  std::string text = path.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// The session's runtime folder, when it is there and this user's alone.
std::optional<std::string> RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return std::nullopt;
  struct stat info {};
  if (::stat(runtime, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
      (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return std::nullopt;
  }
  return std::string(runtime);
}

// Socket paths are short (108 bytes), so the home is named by a hash of its path.
std::string InstanceName(const std::string& home) {
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(home), QCryptographicHash::Sha1)
          .toHex()
          .left(16);
  return "taskmeter-" + std::to_string(::getuid()) + "-" + hash.toStdString();
}

}  // namespace

// Lock and socket live where no other user can make them first: a name in a shared
// folder such as /tmp could be taken and held by anyone, keeping the program from
// starting. Without a runtime folder they go inside the home itself.
SingleInstance::SingleInstance(const std::string& home) {
  const std::string canonical = CanonicalHome(home);
  const std::optional<std::string> runtime = RuntimeFolder();
  const std::string base =
      runtime ? *runtime + "/" + InstanceName(canonical) : canonical + "/.taskmeter-instance";
  m_lockPath = base + ".lock";
  m_socketPath = base + ".socket";
}

SingleInstance::~SingleInstance() {
  m_server.reset();  // removes the socket file
  if (m_lockFd >= 0) ::close(m_lockFd);
}

bool SingleInstance::Claim() {
  m_lockFd = ::open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  // Without a lock file there is no telling; the host runs rather than not at all.
  if (m_lockFd < 0) return true;
  if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
    ::close(m_lockFd);
    m_lockFd = -1;
    return false;
  }
  // A socket left by a host that died is ours to replace now that we hold the lock.
  QLocalServer::removeServer(QString::fromStdString(m_socketPath));
  m_server = std::make_unique<QLocalServer>();
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = m_server->nextPendingConnection()) {
      QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      QObject::connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (!client->readAll().contains("show")) return;
        if (m_onShow) m_onShow();
        client->write("ok\n");
        client->flush();
      });
    }
  });
  m_server->listen(QString::fromStdString(m_socketPath));
  return true;
}

bool SingleInstance::HandOver() {
  // The first host may still be starting: its socket appears a moment after its lock.
  QLocalSocket socket;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < kAnswerMilliseconds) {
    socket.connectToServer(QString::fromStdString(m_socketPath));
    if (socket.waitForConnected(kAnswerMilliseconds)) break;
    QThread::msleep(50);
  }
  if (socket.state() != QLocalSocket::ConnectedState) return false;
  socket.write(kShowRequest);
  if (!socket.waitForBytesWritten(kAnswerMilliseconds)) return false;
  return socket.waitForReadyRead(kAnswerMilliseconds) && socket.readAll().contains("ok");
}

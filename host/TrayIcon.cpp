#include "host/TrayIcon.h"

#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include "host/AppIcon.h"

namespace {

std::optional<bool>& AvailabilityOverride() {
  static std::optional<bool> value;
  return value;
}

}  // namespace

CTrayIcon::CTrayIcon(std::function<void()> onRestore, std::function<void()> onExit)
    : m_onRestore(std::move(onRestore)),
      m_onExit(std::move(onExit)),
      m_icon(std::make_unique<QSystemTrayIcon>()),
      m_menu(std::make_unique<QMenu>()),
      m_timer(std::make_unique<QTimer>()) {
  m_icon->setIcon(FrameIcon(0));
  m_icon->setToolTip("TaskMeter");
  m_menu->addAction("Show TaskMeter", [this] { Activate(); });
  m_menu->addSeparator();
  m_menu->addAction("Exit", [this] {
    if (m_onExit) m_onExit();
  });
  m_icon->setContextMenu(m_menu.get());
  QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, this,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     if (reason != QSystemTrayIcon::Context) Activate();
                   });
  m_timer->setInterval(kFrameMilliseconds);
  QObject::connect(m_timer.get(), &QTimer::timeout, this, [this] { Step(); });
}

CTrayIcon::~CTrayIcon() { m_icon->hide(); }

bool CTrayIcon::Available() {
  if (AvailabilityOverride()) return *AvailabilityOverride();
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void CTrayIcon::SetAvailableForTesting(std::optional<bool> available) {
  AvailabilityOverride() = available;
}

void CTrayIcon::Show() {
  if (!Available()) return;
  m_shown = true;
  m_icon->show();
  UpdateTimer();
}

void CTrayIcon::Hide() {
  m_shown = false;
  m_icon->hide();
  UpdateTimer();
}

void CTrayIcon::SetAnimated(bool animated) {
  m_animated = animated;
  if (!animated) {
    m_frame = 0;
    m_icon->setIcon(FrameIcon(0));
  }
  UpdateTimer();
}

bool CTrayIcon::IsTurning() const { return m_timer->isActive(); }

void CTrayIcon::Step() {
  m_frame = (m_frame + 1) % kFrameCount;
  m_icon->setIcon(FrameIcon(m_frame));
}

void CTrayIcon::Activate() {
  if (m_onRestore) m_onRestore();
}

void CTrayIcon::UpdateTimer() {
  if (m_shown && m_animated) {
    if (!m_timer->isActive()) m_timer->start();
  } else {
    m_timer->stop();
  }
}

QIcon CTrayIcon::FrameIcon(int frame) {
  return QIcon(QPixmap::fromImage(
      ClockIconImage(32, static_cast<double>(frame % kFrameCount) / kFrameCount)));
}

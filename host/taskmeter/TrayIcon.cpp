#include "host/taskmeter/TrayIcon.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QtMath>

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
  constexpr int kSize = 32;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(30, 60, 110), 2));
  painter.setBrush(QColor(250, 250, 245));
  painter.drawEllipse(QRectF(2, 2, kSize - 4, kSize - 4));
  const QPointF centre(kSize / 2.0, kSize / 2.0);
  const double angle = 2.0 * M_PI * (frame % kFrameCount) / kFrameCount;
  const QPointF tip(centre.x() + 10.0 * qSin(angle), centre.y() - 10.0 * qCos(angle));
  painter.setPen(QPen(QColor(200, 60, 40), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, tip);
  painter.setPen(QPen(QColor(30, 60, 110), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, QPointF(centre.x(), centre.y() - 6.0));
  painter.end();
  return QIcon(pixmap);
}

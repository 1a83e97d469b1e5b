#include "host/AppIcon.h"

#include <QPainter>
#include <QtMath>

QImage ClockIconImage(int size, double handTurns) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 32-pixel grid and scaled, so every size has the same proportions.
  constexpr double kGrid = 32.0;
  painter.scale(size / kGrid, size / kGrid);
  painter.setPen(QPen(QColor(30, 60, 110), 2));
  painter.setBrush(QColor(250, 250, 245));
  painter.drawEllipse(QRectF(2, 2, kGrid - 4, kGrid - 4));
  const QPointF centre(kGrid / 2.0, kGrid / 2.0);
  const double angle = 2.0 * M_PI * handTurns;
  const QPointF tip(centre.x() + 10.0 * qSin(angle), centre.y() - 10.0 * qCos(angle));
  painter.setPen(QPen(QColor(200, 60, 40), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, tip);
  painter.setPen(QPen(QColor(30, 60, 110), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, QPointF(centre.x(), centre.y() - 6.0));
  painter.end();
  return image;
}

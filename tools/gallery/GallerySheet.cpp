#include "tools/gallery/GallerySheet.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kGap = 12;

// "Flat, hover" -> "flat-hover": file names without blanks or punctuation.
std::string Slug(const QString& text) {
  std::string slug;
  for (const QChar c : text.toLower()) {
    if (c.isLetterOrNumber()) {
      slug += static_cast<char>(c.toLatin1());
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

}  // namespace

bool GallerySheet::Save(const std::string& name, const QImage& picture) {
  const std::string path = m_folder + "/" + name + ".png";
  if (picture.isNull() || !picture.save(QString::fromStdString(path), "PNG")) return false;
  m_written.push_back(path);
  return true;
}

bool GallerySheet::SaveSheet(const std::string& name, const std::vector<Row>& rows, int scale) {
  bool ok = true;
  const QFontMetrics metrics(QGuiApplication::font());
  const int line = metrics.height();
  int labelWidth = 0;
  int width = 0;
  int height = kGap;
  for (const Row& row : rows) {
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(row.label));
    int rowWidth = 0;
    int rowHeight = 0;
    for (const Cell& cell : row.cells) {
      rowWidth +=
          std::max(cell.picture.width() * scale, metrics.horizontalAdvance(cell.label)) + kGap;
      rowHeight = std::max(rowHeight, cell.picture.height() * scale);
      ok = Save(name + "-" + Slug(row.label) + "-" + Slug(cell.label), cell.picture) && ok;
    }
    width = std::max(width, rowWidth);
    height += line + rowHeight + kGap;
  }
  QImage sheet(labelWidth + 2 * kGap + width, height, QImage::Format_RGB32);
  sheet.fill(QColor(200, 204, 212));  // grey, so that white highlight edges show
  QPainter painter(&sheet);
  painter.setPen(Qt::black);
  int y = kGap;
  for (const Row& row : rows) {
    painter.drawText(kGap, y + line + metrics.ascent(), row.label);
    int x = labelWidth + 2 * kGap;
    int rowHeight = 0;
    for (const Cell& cell : row.cells) {
      painter.drawText(x, y + metrics.ascent(), cell.label);
      const QSize size = cell.picture.size() * scale;
      painter.drawImage(QRect(QPoint(x, y + line), size), cell.picture);
      x += std::max(size.width(), metrics.horizontalAdvance(cell.label)) + kGap;
      rowHeight = std::max(rowHeight, size.height());
    }
    y += line + rowHeight + kGap;
  }
  painter.end();
  return Save(name, sheet) && ok;
}

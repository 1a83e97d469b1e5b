#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <utility>
#include <vector>

// The output side of the gallery: single pictures saved as they are, and contact sheets
// that lay pictures out in labelled rows, enlarged so that single pixels can be seen.
class GallerySheet {
 public:
  struct Cell {
    QString label;
    QImage picture;
  };
  struct Row {
    QString label;
    std::vector<Cell> cells;
  };

  explicit GallerySheet(std::string folder) : m_folder(std::move(folder)) {}

  // Saves `picture` as <folder>/<name>.png; false when it cannot be written.
  bool Save(const std::string& name, const QImage& picture);
  // Saves every cell on its own (<name>-<row>-<cell>.png) and the whole sheet as
  // <name>.png, each picture enlarged `scale` times on the sheet.
  bool SaveSheet(const std::string& name, const std::vector<Row>& rows, int scale);

  const std::vector<std::string>& Written() const { return m_written; }

 private:
  std::string m_folder;
  std::vector<std::string> m_written;
};

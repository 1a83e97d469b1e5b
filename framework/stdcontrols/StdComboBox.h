#pragma once

#include <QComboBox>
#include <algorithm>

// The widget of a combo box: announces the drop-down (CBN_DROPDOWN, before the list
// opens, so its owner can size it) and the close-up, and drops a list at least
// `DroppedWidth` wide.
class StdComboBox : public QComboBox {
 public:
  explicit StdComboBox(QWidget* parent) : QComboBox(parent) {}

  void SetDroppedWidth(int width) { m_droppedWidth = width; }
  int DroppedWidth() const { return std::max(m_droppedWidth, width()); }

  void showPopup() override;
  void hidePopup() override;

 private:
  int m_droppedWidth = 0;
};

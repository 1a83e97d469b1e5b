#pragma once

#include <QStyledItemDelegate>
#include <functional>

class QAbstractItemView;

// Draws and measures the entries of a list box or of a combo box's list. An owner that
// paints entries itself sets `paint` (true: painted) and `measure` (a height in
// pixels, 0 for the default); otherwise entries are drawn as usual, at the fixed
// height set on the view's control (see SetEntryHeight), if any.
class EntryDelegate : public QStyledItemDelegate {
 public:
  using PaintFn = std::function<bool(QPainter&, const QStyleOptionViewItem&, int)>;
  using MeasureFn = std::function<int(int index, int width)>;

  // The view's entry delegate, made and installed on first use.
  static EntryDelegate* Of(QAbstractItemView* view, QWidget* control);

  void SetOwner(PaintFn paint, MeasureFn measure);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  EntryDelegate(QAbstractItemView* view, QWidget* control);

  QWidget* m_control;  // the widget that carries the fixed entry height
  PaintFn m_paint;
  MeasureFn m_measure;
};

// A fixed height for every entry of `control` (0: each entry's own height).
void SetEntryHeight(QWidget* control, int height);
int EntryHeight(const QWidget* control);

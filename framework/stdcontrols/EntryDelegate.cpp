#include "framework/stdcontrols/EntryDelegate.h"

#include <QAbstractItemView>

namespace {
constexpr const char* kEntryHeight = "tm_entry_height";
}

EntryDelegate::EntryDelegate(QAbstractItemView* view, QWidget* control)
    : QStyledItemDelegate(view), m_control(control) {}

EntryDelegate* EntryDelegate::Of(QAbstractItemView* view, QWidget* control) {
  if (auto* existing = dynamic_cast<EntryDelegate*>(view->itemDelegate())) return existing;
  auto* delegate = new EntryDelegate(view, control);
  view->setItemDelegate(delegate);
  return delegate;
}

void EntryDelegate::SetOwner(PaintFn paint, MeasureFn measure) {
  m_paint = std::move(paint);
  m_measure = std::move(measure);
}

void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  if (m_paint && m_paint(*painter, option, index.row())) return;
  QStyledItemDelegate::paint(painter, option, index);
}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  const int measured = m_measure ? m_measure(index.row(), option.rect.width()) : 0;
  const int fixed = EntryHeight(m_control);
  if (measured > 0) {
    size.setHeight(measured);
  } else if (fixed > 0) {
    size.setHeight(fixed);
  }
  return size;
}

void SetEntryHeight(QWidget* control, int height) { control->setProperty(kEntryHeight, height); }

int EntryHeight(const QWidget* control) { return control->property(kEntryHeight).toInt(); }

#include "framework/stdcontrols/StdTreeWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <algorithm>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/SiblingOrder.h"
#include "framework/windows/CWnd.h"
#include "framework/windows/InputState.h"

// Draws each item with the images of the tree's image list (normal and selected) and
// the drop highlight in place of the selection while there is one.
class TreeItemDelegate : public QStyledItemDelegate {
 public:
  explicit TreeItemDelegate(StdTreeWidget* tree) : QStyledItemDelegate(tree), m_tree(tree) {}

  void Init(QStyleOptionViewItem* option, const QModelIndex& index) const {
    initStyleOption(option, index);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const auto& images = m_tree->Images();
    if (images && !images->images.empty()) {
      option->icon = IconFor(*images, index);
      option->features |= QStyleOptionViewItem::HasDecoration;
      option->decorationSize = images->size;
    }
    if (m_tree->m_dropTarget.isValid()) {
      if (index == m_tree->m_dropTarget) {
        option->state |= QStyle::State_Selected;
      } else {
        option->state &= ~QStyle::State_Selected;
      }
    }
  }

 private:
  static QIcon IconFor(const ImageListData& images, const QModelIndex& index) {
    auto at = [&images](const QVariant& value) {
      const int i = value.toInt();
      return i >= 0 && i < static_cast<int>(images.images.size())
                 ? images.images[static_cast<std::size_t>(i)]
                 : QPixmap();
    };
    QIcon icon;
    icon.addPixmap(at(index.data(treerole::kImage)), QIcon::Normal);
    icon.addPixmap(at(index.data(treerole::kSelectedImage)), QIcon::Selected);
    return icon;
  }

  StdTreeWidget* m_tree;
};

namespace {

QTreeWidgetItem* Sibling(QTreeWidgetItem* item, int step) {
  QTreeWidgetItem* parent = item->parent();
  if (parent == nullptr) parent = item->treeWidget()->invisibleRootItem();
  return parent->child(parent->indexOfChild(item) + step);
}

void Fill(TVITEM& out, QTreeWidgetItem* item) {
  if (item == nullptr) return;
  out.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  out.hItem = StdTreeWidget::Handle(item);
  out.lParam = static_cast<LPARAM>(item->data(0, treerole::kData).toLongLong());
  out.iImage = item->data(0, treerole::kImage).toInt();
  out.iSelectedImage = item->data(0, treerole::kSelectedImage).toInt();
  out.state = (item->isSelected() ? TVIS_SELECTED : 0) | (item->isExpanded() ? TVIS_EXPANDED : 0);
}

}  // namespace

StdTreeItem::StdTreeItem(const QString& text, int image, int selectedImage)
    : m_image(image), m_selectedImage(selectedImage) {
  setText(0, text);
}

bool StdTreeItem::operator<(const QTreeWidgetItem& other) const {
  return CompareCaseIgnored(text(0), other.text(0)) < 0;
}

QVariant StdTreeItem::data(int column, int role) const {
  if (column == 0) {
    switch (role) {
      case treerole::kImage:
        return m_image;
      case treerole::kSelectedImage:
        return m_selectedImage;
      case treerole::kData:
        return m_data;
      default:
        break;
    }
  }
  return QTreeWidgetItem::data(column, role);
}

void StdTreeItem::setData(int column, int role, const QVariant& value) {
  const bool own = column == 0 && (role == treerole::kImage || role == treerole::kSelectedImage ||
                                   role == treerole::kData);
  if (!own) {
    QTreeWidgetItem::setData(column, role, value);
    return;
  }
  const QVariant before = data(column, role);
  if (role == treerole::kData) {
    m_data = value.toLongLong();
  } else {
    (role == treerole::kImage ? m_image : m_selectedImage) = value.toInt();
  }
  if (data(column, role) != before) emitDataChanged();
}

StdTreeWidget::StdTreeWidget(QWidget* parent, DWORD style) : QTreeWidget(parent), m_style(style) {
  setColumnCount(1);
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setRootIsDecorated((style & TVS_LINESATROOT) != 0);
  setUniformRowHeights(true);
  setItemDelegate(new TreeItemDelegate(this));
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
            OnCurrentChanged(current, previous);
          });
}

void StdTreeWidget::SetImageList(CImageList* list) {
  m_imageList = list;
  m_images = list != nullptr ? list->Data() : nullptr;
  if (m_images) setIconSize(m_images->size);
  scheduleDelayedItemsLayout();
  viewport()->update();
}

QTreeWidgetItem* StdTreeWidget::Selected() const {
  QTreeWidgetItem* current = currentItem();
  return current != nullptr && current->isSelected() ? current : nullptr;
}

void StdTreeWidget::SetCurrentQuietly(QTreeWidgetItem* item) {
  const bool was = m_quiet;
  m_quiet = true;
  if (item != nullptr) {
    setCurrentItem(item);
  } else {
    selectionModel()->clear();
  }
  m_quiet = was;
}

LRESULT StdTreeWidget::Notify(UINT code, UINT action, QTreeWidgetItem* oldItem,
                              QTreeWidgetItem* newItem, QPoint drag) {
  NMTREEVIEW nm;
  nm.hdr.code = code;
  nm.action = action;
  Fill(nm.itemOld, oldItem);
  Fill(nm.itemNew, newItem);
  nm.ptDrag = POINT{drag.x(), drag.y()};
  return AfxSendNotify(this, nm.hdr);
}

void StdTreeWidget::OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (m_quiet) return;
  if (Notify(TVN_SELCHANGING, m_action, previous, current) != 0) {
    SetCurrentQuietly(previous);  // vetoed: the old selection stays
    return;
  }
  Notify(TVN_SELCHANGED, m_action, previous, current);
}

bool StdTreeWidget::SelectByCode(QTreeWidgetItem* item) {
  QTreeWidgetItem* previous = Selected();
  if (item == previous) {
    if (item != nullptr) EnsureItemVisible(item);
    return true;
  }
  if (Notify(TVN_SELCHANGING, TVC_UNKNOWN, previous, item) != 0) return false;
  SetCurrentQuietly(item);
  if (item != nullptr) EnsureItemVisible(item);
  Notify(TVN_SELCHANGED, TVC_UNKNOWN, previous, item);
  return true;
}

void StdTreeWidget::EnsureItemVisible(QTreeWidgetItem* item) {
  for (QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
    up->setExpanded(true);
  }
  scrollToItem(item);
}

void StdTreeWidget::DeleteItemNotify(QTreeWidgetItem* item) {
  QTreeWidgetItem* selected = Selected();
  bool inside = false;
  for (QTreeWidgetItem* up = selected; up != nullptr && !inside; up = up->parent()) {
    inside = up == item;
  }
  QTreeWidgetItem* next = nullptr;
  if (inside) {
    next = Sibling(item, 1);
    if (next == nullptr) next = item->parent();
    if (next == nullptr) next = Sibling(item, -1);
  }
  Forget(item);
  const bool was = m_quiet;
  m_quiet = true;
  delete item;
  m_quiet = was;
  if (!inside) return;
  // The old selection is gone, so the change cannot be refused.
  Notify(TVN_SELCHANGING, TVC_UNKNOWN, nullptr, next);
  SetCurrentQuietly(next);
  Notify(TVN_SELCHANGED, TVC_UNKNOWN, nullptr, next);
}

void StdTreeWidget::Forget(QTreeWidgetItem* item) {
  m_live.remove(item);
  for (int i = 0; i < item->childCount(); ++i) Forget(item->child(i));
}

void StdTreeWidget::DeleteAll() {
  const bool was = m_quiet;
  m_quiet = true;
  clear();
  m_live.clear();
  m_quiet = was;
  m_dropTarget = QPersistentModelIndex();
  m_pressed = QPersistentModelIndex();
}

void StdTreeWidget::SetDropTarget(QTreeWidgetItem* item) {
  m_dropTarget =
      item != nullptr ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
  viewport()->update();
}

QTreeWidgetItem* StdTreeWidget::DropTarget() const {
  return m_dropTarget.isValid() ? itemFromIndex(m_dropTarget) : nullptr;
}

QRect StdTreeWidget::LabelRect(QTreeWidgetItem* item) const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualItemRect(item);
  static_cast<TreeItemDelegate*>(itemDelegate())->Init(&option, indexFromItem(item));
  QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  text.setWidth(
      std::min(text.width(), option.fontMetrics.horizontalAdvance(item->text(0)) + 2 * margin));
  return text;
}

UINT StdTreeWidget::HitTestViewport(QPoint p, QTreeWidgetItem** item) const {
  *item = nullptr;
  const QRect area = viewport()->rect();
  UINT outside = 0;
  if (p.y() < 0) outside |= TVHT_ABOVE;
  if (p.y() >= area.height()) outside |= TVHT_BELOW;
  if (p.x() < 0) outside |= TVHT_TOLEFT;
  if (p.x() >= area.width()) outside |= TVHT_TORIGHT;
  if (outside != 0) return outside;
  QTreeWidgetItem* hit = itemAt(p);
  if (hit == nullptr) return TVHT_NOWHERE;
  *item = hit;
  const QRect row = visualItemRect(hit);
  if (p.x() < row.left()) {
    const bool onButton = hit->childCount() > 0 && p.x() >= row.left() - indentation();
    return onButton ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
  }
  const QRect label = LabelRect(hit);
  if (p.x() < label.left()) return m_images ? TVHT_ONITEMICON : TVHT_ONITEMLABEL;
  return p.x() <= label.right() ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
}

UINT StdTreeWidget::HitTest(QPoint point, QTreeWidgetItem** item) const {
  return HitTestViewport(viewport()->mapFrom(this, point), item);
}

QRect StdTreeWidget::ItemRect(QTreeWidgetItem* item, bool labelOnly) const {
  const QRect row = visualItemRect(item);
  if (!row.isValid()) return {};
  const QRect r =
      labelOnly ? LabelRect(item) : QRect(0, row.top(), viewport()->width(), row.height());
  return r.translated(viewport()->pos());
}

QTreeWidgetItem* StdTreeWidget::PendingItem() const {
  return m_pressed.isValid() ? itemFromIndex(m_pressed) : nullptr;
}

void StdTreeWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  QTreeWidgetItem* hit = nullptr;
  const UINT flags = HitTestViewport(pos, &hit);
  if (event->button() == Qt::LeftButton && (flags & TVHT_ONITEMBUTTON) != 0) {
    QTreeWidget::mousePressEvent(event);  // the expand button
    return;
  }
  setFocus(Qt::MouseFocusReason);
  event->accept();
  if (event->button() != Qt::LeftButton) return;  // a right click never selects
  m_pressed = hit != nullptr && (flags & TVHT_ONITEM) != 0
                  ? QPersistentModelIndex(indexFromItem(hit))
                  : QPersistentModelIndex();
  m_pressPos = pos;
  m_dragStarted = false;
}

void StdTreeWidget::mouseMoveEvent(QMouseEvent* event) {
  // The button went up in another window (the one that took the drag): the press is over.
  if (!(event->buttons() & Qt::LeftButton)) {
    m_pressed = QPersistentModelIndex();
    m_dragStarted = false;
  }
  QTreeWidgetItem* item = PendingItem();
  if (item == nullptr) {
    QTreeWidget::mouseMoveEvent(event);
    return;
  }
  event->accept();
  const QPoint pos = event->position().toPoint();
  if (m_dragStarted || (m_style & TVS_DISABLEDRAGDROP) != 0 ||
      (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance()) {
    return;
  }
  m_dragStarted = true;
  Notify(TVN_BEGINDRAG, TVC_UNKNOWN, nullptr, item, viewport()->mapTo(this, m_pressPos));
}

void StdTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  if (event->button() != Qt::LeftButton || !m_pressed.isValid()) {
    QTreeWidget::mouseReleaseEvent(event);
    return;
  }
  event->accept();
  QTreeWidgetItem* item = PendingItem();
  const bool dragged = m_dragStarted;
  m_pressed = QPersistentModelIndex();
  m_dragStarted = false;
  QTreeWidgetItem* hit = nullptr;
  HitTestViewport(event->position().toPoint(), &hit);
  if (dragged || item == nullptr || hit != item) return;
  m_action = TVC_BYMOUSE;
  setCurrentItem(item);
  m_action = TVC_UNKNOWN;
}

void StdTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  NMHDR header;
  header.code = NM_DBLCLK;
  AfxSendNotify(this, header);
}

void StdTreeWidget::keyPressEvent(QKeyEvent* event) {
  // The owner hears of the key first and may take it (Delete, F2, Ctrl+C ...).
  if (const UINT key = VirtualKeyOf(event->key()); key != 0) {
    NMTVKEYDOWN nm;
    nm.hdr.code = TVN_KEYDOWN;
    nm.wVKey = static_cast<WORD>(key);
    const ScopedInputModifiers modifiers(static_cast<int>(event->modifiers()));
    const QPointer<QTreeWidget> self(this);
    const LRESULT taken = AfxSendNotify(this, nm.hdr);
    if (!self) return;
    if (taken != 0) {
      event->accept();
      return;
    }
  }
  m_action = TVC_BYKEYBOARD;
  QTreeWidget::keyPressEvent(event);
  m_action = TVC_UNKNOWN;
}

void StdTreeWidget::focusInEvent(QFocusEvent* event) {
  // Focus alone never selects an item.
  const QPersistentModelIndex before = currentIndex();
  const bool was = m_quiet;
  m_quiet = true;
  QTreeWidget::focusInEvent(event);
  if (currentIndex() != before)
    selectionModel()->setCurrentIndex(before, QItemSelectionModel::NoUpdate);
  m_quiet = was;
}

void StdTreeWidget::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  NMHDR header;
  header.code = NM_RCLICK;
  const QPointer<QTreeWidget> self(this);
  const LRESULT handled = AfxSendNotify(this, header);
  if (!self || handled != 0) return;
  // Unhandled, the right click becomes a context-menu request, as for any window.
  if (CWnd* wnd = CWnd::FromHandle(this)) {
    const QPoint at = event->globalPos();
    wnd->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(this), MAKELPARAM(at.x(), at.y()));
  }
}

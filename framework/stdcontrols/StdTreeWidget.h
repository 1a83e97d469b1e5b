#pragma once

#include <QPersistentModelIndex>
#include <QSet>
#include <QTreeWidget>
#include <memory>

#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/ControlTypes.h"

// Item roles the tree keeps its item fields in.
namespace treerole {
inline constexpr int kData = Qt::UserRole;
inline constexpr int kImage = Qt::UserRole + 1;
inline constexpr int kSelectedImage = Qt::UserRole + 2;
}  // namespace treerole

// A tree item whose siblings sort by text, ignoring case, as tree controls sort. Its
// images and data are plain fields behind their roles: kept in the item's generic
// per-role lists, they cost a tree of 100,000 items a good part of its fill and clearing.
class StdTreeItem : public QTreeWidgetItem {
 public:
  StdTreeItem() = default;
  StdTreeItem(const QString& text, int image, int selectedImage);
  bool operator<(const QTreeWidgetItem& other) const override;
  QVariant data(int column, int role) const override;
  void setData(int column, int role, const QVariant& value) override;

 private:
  int m_image = 0;
  int m_selectedImage = 0;
  qlonglong m_data = 0;
};

// The widget of a tree control. It sends the tree notifications to the control's
// parent the way a user's action sends them: the selection-changing request (which
// may veto) and the selection-changed notice, for mouse, keyboard and code alike; the
// begin-drag notice instead of a drag of its own; the right click; every key pressed,
// which the owner may take before the tree acts on it. A left press on an
// item selects it when the button goes up without a drag, so that a drag leaves the
// selection alone; a right click never selects.
class StdTreeWidget : public QTreeWidget {
 public:
  StdTreeWidget(QWidget* parent, DWORD style);

  static HTREEITEM Handle(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }
  static QTreeWidgetItem* Item(HTREEITEM handle) {
    return reinterpret_cast<QTreeWidgetItem*>(handle);
  }

  // Items live from Adopt until they are deleted; a handle is checked against them
  // before it is followed, so a stale or foreign handle is refused, never read.
  void Adopt(QTreeWidgetItem* item) { m_live.insert(item); }
  bool Owns(const void* item) const { return m_live.contains(item); }

  // The normal image list: the object given (for every wrapper of the tree to hand
  // back) and its pictures, held shared.
  void SetImageList(CImageList* list);
  CImageList* ImageList() const { return m_imageList; }
  const std::shared_ptr<const ImageListData>& Images() const { return m_images; }

  // Selects `item` (none for null) with both notifications; false when vetoed.
  bool SelectByCode(QTreeWidgetItem* item);
  // The selected item: the current one while it is selected.
  QTreeWidgetItem* Selected() const;
  void EnsureItemVisible(QTreeWidgetItem* item);
  // Deletes `item` and its children; a selection inside it moves to the next sibling,
  // else the parent, else the previous sibling, with the notifications.
  void DeleteItemNotify(QTreeWidgetItem* item);
  void DeleteAll();

  void SetDropTarget(QTreeWidgetItem* item);
  QTreeWidgetItem* DropTarget() const;

  // Hit test at `point` in the widget's coordinates; TVHT_* flags.
  UINT HitTest(QPoint point, QTreeWidgetItem** item) const;
  // The item's row, or only its label, in the widget's coordinates.
  QRect ItemRect(QTreeWidgetItem* item, bool labelOnly) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  friend class TreeItemDelegate;
  void OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void SetCurrentQuietly(QTreeWidgetItem* item);
  LRESULT Notify(UINT code, UINT action, QTreeWidgetItem* oldItem, QTreeWidgetItem* newItem,
                 QPoint drag = {});
  QRect LabelRect(QTreeWidgetItem* item) const;
  UINT HitTestViewport(QPoint point, QTreeWidgetItem** item) const;
  QTreeWidgetItem* PendingItem() const;

  void Forget(QTreeWidgetItem* item);

  DWORD m_style;
  QSet<const void*> m_live;
  CImageList* m_imageList = nullptr;
  std::shared_ptr<const ImageListData> m_images;
  QPersistentModelIndex m_dropTarget;
  QPersistentModelIndex m_pressed;  // left press on an item, waiting for up or a drag
  QPoint m_pressPos;
  bool m_dragStarted = false;
  bool m_quiet = false;
  UINT m_action = TVC_UNKNOWN;
};

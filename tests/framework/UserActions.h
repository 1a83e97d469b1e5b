#pragma once

// Test helpers that act as a user does, through the paths a user's input takes, so that
// a test drives a window by control id and its handlers run as they would for a person.
// Each helper refuses (returns false) what a user could not do: a control that is
// missing, hidden or disabled.
//
//   PickComboEntry(parent, id, index)  a choice in a combo box's list: the selection moves
//                                      and CBN_SELCHANGE reaches the parent's map (only
//                                      when the choice differs from the current one)
//   PickListEntry(parent, id, index)   a click on a list box line: LBN_SELCHANGE (the list
//                                      needs LBS_NOTIFY, as for a user)
//   PickTreeItem(treeWidget, item)     a click on the item's label (scrolled into view
//                                      first): TVN_SELCHANGING and TVN_SELCHANGED with
//                                      the mouse as their action
//   ClickButton(parent, id)            a left click at the button's centre, delivered as
//                                      DeliverMouse does (so a window that holds the mouse
//                                      capture takes it, as it would from a user)
//   DeliverMouse(type, screen, ...)    one real QMouseEvent at a screen point, to the
//                                      window that holds the mouse capture, else to the
//                                      given widget, else to the widget under the point
//
// A whole drag: press on the tree item (PickTreeItem's point, or DeliverMouse to the
// tree's viewport), moves with the left button held (the view captures the mouse at the
// begin-drag notice, so later moves and the release go to it), then the release.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QWidget>

#include "framework/stdcontrols/StdTreeWidget.h"
#include "framework/windows/CWnd.h"

namespace user {

// Whether a user could reach `widget` now: it exists, is enabled and is not hidden in
// its window.
inline bool CanUse(const QWidget* widget) {
  return widget != nullptr && widget->isEnabled() && widget->isVisibleTo(widget->window());
}

inline QWidget* Control(CWnd& parent, int id) {
  CWnd* control = parent.GetDlgItem(id);
  return control != nullptr ? control->GetSafeHwnd() : nullptr;
}

inline QWidget* DeliverMouse(QEvent::Type type, QPoint screen, Qt::MouseButton button,
                             Qt::MouseButtons held, QWidget* under = nullptr) {
  QWidget* target = nullptr;
  if (CWnd* capture = CWnd::GetCapture()) target = capture->GetSafeHwnd();
  if (target == nullptr) target = QWidget::mouseGrabber();
  if (target == nullptr) target = under != nullptr ? under : QApplication::widgetAt(screen);
  if (target == nullptr) return nullptr;
  const QPointF local = target->mapFromGlobal(QPointF(screen));
  QMouseEvent event(type, local, QPointF(screen), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
  return target;
}

inline bool ClickButton(CWnd& parent, int id) {
  QWidget* button = Control(parent, id);
  if (!CanUse(button)) return false;
  const QPoint screen = button->mapToGlobal(button->rect().center());
  DeliverMouse(QEvent::MouseMove, screen, Qt::NoButton, Qt::NoButton, button);
  DeliverMouse(QEvent::MouseButtonPress, screen, Qt::LeftButton, Qt::LeftButton, button);
  DeliverMouse(QEvent::MouseButtonRelease, screen, Qt::LeftButton, Qt::NoButton, button);
  return true;
}

inline bool PickComboEntry(CWnd& parent, int id, int index) {
  auto* combo = qobject_cast<QComboBox*>(Control(parent, id));
  if (!CanUse(combo) || index < 0 || index >= combo->count()) return false;
  combo->setCurrentIndex(index);
  return true;
}

inline bool PickListEntry(CWnd& parent, int id, int index) {
  auto* list = qobject_cast<QListWidget*>(Control(parent, id));
  if (!CanUse(list) || index < 0 || index >= list->count()) return false;
  list->setCurrentRow(index);
  return true;
}

// `tree` is the tree control's widget (CTreeCtrl::GetSafeHwnd, or GetDlgItem's).
inline bool PickTreeItem(QWidget* tree, HTREEITEM item) {
  auto* view = dynamic_cast<StdTreeWidget*>(tree);
  if (!CanUse(view) || !view->Owns(item)) return false;
  QTreeWidgetItem* picked = StdTreeWidget::Item(item);
  view->EnsureItemVisible(picked);
  QWidget* viewport = view->viewport();
  const QPoint at = viewport->mapFrom(view, view->ItemRect(picked, true).center());
  for (auto [type, held] : {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
                            std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons()}}) {
    QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
  }
  return true;
}

}  // namespace user

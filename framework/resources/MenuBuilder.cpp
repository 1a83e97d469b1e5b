#include "framework/resources/MenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "framework/messages/CCmdUI.h"
#include "framework/windows/CWnd.h"

namespace {
constexpr const char* kCommandId = "tm_command";

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, CWnd* target);

// The action sends its command to the target window, if that window still exists.
void BindCommand(QAction* action, UINT id, CWnd* target) {
  action->setProperty(kCommandId, id);
  QPointer<QWidget> window = target != nullptr ? target->GetSafeHwnd() : nullptr;
  QObject::connect(action, &QAction::triggered, [window, id] {
    if (CWnd* wnd = CWnd::FromHandlePermanent(window)) wnd->SendMessage(WM_COMMAND, id, 0);
  });
}

void AddItem(QMenu* menu, const MenuItem& item, CWnd* target) {
  if (item.IsSeparator()) {
    menu->addSeparator();
  } else if (item.IsPopup()) {
    QMenu* sub = menu->addMenu(QString::fromUtf8(item.text));
    AddItems(sub, item.popup, target);
  } else {
    BindCommand(menu->addAction(QString::fromUtf8(item.text)), item.id, target);
  }
}

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, CWnd* target) {
  for (const MenuItem& item : items) AddItem(menu, item, target);
  QPointer<QWidget> window = target != nullptr ? target->GetSafeHwnd() : nullptr;
  QObject::connect(menu, &QMenu::aboutToShow, [menu, window] {
    if (CWnd* wnd = CWnd::FromHandlePermanent(window)) AfxUpdateMenuCommandUI(menu, wnd);
  });
}

}  // namespace

UINT AfxMenuCommandId(const QAction* action) {
  return action != nullptr ? action->property(kCommandId).toUInt() : 0;
}

void AfxFillMenu(QMenu* menu, const std::vector<MenuItem>& items, CWnd* target) {
  AddItems(menu, items, target);
}

void AfxFillMenuBar(QMenuBar* bar, const MenuResource& menu, CWnd* target) {
  bar->clear();
  for (const MenuItem& item : menu.items) {
    if (item.IsPopup()) {
      QMenu* popup = bar->addMenu(QString::fromUtf8(item.text));
      AddItems(popup, item.popup, target);
    } else if (!item.IsSeparator()) {
      // A command directly on the bar: a one-item menu would hide it, so it is an action.
      BindCommand(bar->addAction(QString::fromUtf8(item.text)), item.id, target);
    }
  }
}

void AfxUpdateMenuCommandUI(QMenu* menu, CCmdTarget* target) {
  for (QAction* action : menu->actions()) {
    const UINT id = AfxMenuCommandId(action);
    if (id == 0 || action->isSeparator() || action->menu() != nullptr) continue;
    CMenuItemCmdUI ui(action);
    ui.m_nID = id;
    ui.DoUpdate(target, TRUE);
  }
}

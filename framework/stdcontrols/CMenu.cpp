#include "framework/stdcontrols/CMenu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CWnd.h"

namespace {

PopupMenuHook& Hook() {
  static PopupMenuHook hook;
  return hook;
}

QAction* Choose(QMenu& menu, QPoint at) {
  if (Hook()) return Hook()(menu, at);
  if (AfxHasModalHook()) return nullptr;  // nobody is there to choose
  return menu.exec(at);
}

}  // namespace

void AfxSetPopupMenuHook(PopupMenuHook hook) { Hook() = std::move(hook); }

QAction* AfxFindMenuAction(const QMenu* menu, UINT id) {
  if (menu == nullptr || id == 0) return nullptr;
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      if (QAction* inner = AfxFindMenuAction(action->menu(), id)) return inner;
    } else if (!action->isSeparator() && AfxMenuCommandId(action) == id) {
      return action;
    }
  }
  return nullptr;
}

CMenu::CMenu() = default;
CMenu::CMenu(QMenu* borrowed) : m_menu(borrowed) {}

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreateMenu() { return CreatePopupMenu(); }

BOOL CMenu::CreatePopupMenu() {
  if (m_menu != nullptr) return FALSE;
  m_menu = new QMenu;
  m_owned = true;
  return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
  const MenuResource* resource = AfxFindMenu(nIDResource);
  if (resource == nullptr || !CreatePopupMenu()) return FALSE;
  // Items carry their command ids; where a command goes is decided when it is chosen.
  AfxFillMenu(m_menu, resource->items, nullptr);
  return TRUE;
}

BOOL CMenu::DestroyMenu() {
  if (m_menu == nullptr) return FALSE;
  m_subMenus.clear();
  if (m_owned) delete m_menu;
  m_menu = nullptr;
  m_owned = false;
  return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem) {
  if (m_menu == nullptr) return FALSE;
  if (nFlags & MF_SEPARATOR) {
    m_menu->addSeparator();
    return TRUE;
  }
  if (nFlags & MF_POPUP) return FALSE;  // popups come from resources
  std::vector<MenuItem> items{
      MenuItem{lpszNewItem != nullptr ? lpszNewItem : "", static_cast<UINT>(nIDNewItem)}};
  AfxFillMenu(m_menu, items, nullptr);
  QAction* added = m_menu->actions().back();
  added->setEnabled((nFlags & (MF_GRAYED | MF_DISABLED)) == 0);
  if (nFlags & MF_CHECKED) {
    added->setCheckable(true);
    added->setChecked(true);
  }
  return TRUE;
}

CMenu* CMenu::GetSubMenu(int nPos) const {
  if (m_menu == nullptr || nPos < 0 || nPos >= m_menu->actions().size()) return nullptr;
  QMenu* sub = m_menu->actions().at(nPos)->menu();
  if (sub == nullptr) return nullptr;
  std::unique_ptr<CMenu>& wrapper = m_subMenus[sub];
  if (!wrapper) wrapper.reset(new CMenu(sub));
  return wrapper.get();
}

int CMenu::GetMenuItemCount() const {
  return m_menu != nullptr ? static_cast<int>(m_menu->actions().size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const {
  if (m_menu == nullptr || nPos < 0 || nPos >= m_menu->actions().size()) return 0xFFFFFFFF;
  const QAction* action = m_menu->actions().at(nPos);
  if (action->menu() != nullptr) return 0xFFFFFFFF;
  return action->isSeparator() ? 0 : AfxMenuCommandId(action);
}

QAction* CMenu::FindItem(UINT nID, UINT nFlags) const {
  if (m_menu == nullptr) return nullptr;
  if (nFlags & MF_BYPOSITION) {
    const int pos = static_cast<int>(nID);
    return pos >= 0 && pos < m_menu->actions().size() ? m_menu->actions().at(pos) : nullptr;
  }
  return AfxFindMenuAction(m_menu, nID);
}

std::string CMenu::GetMenuString(UINT nIDItem, UINT nFlags) const {
  const QAction* action = FindItem(nIDItem, nFlags);
  return action != nullptr ? action->text().toStdString() : std::string();
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
  const QAction* action = FindItem(nID, nFlags);
  if (action == nullptr) return MF_ERROR;
  UINT state = action->isEnabled() ? MF_ENABLED : MF_GRAYED;
  if (action->isChecked()) state |= MF_CHECKED;
  if (action->isSeparator()) state |= MF_SEPARATOR;
  if (action->menu() != nullptr) state |= MF_POPUP;
  return state;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  QAction* action = FindItem(nIDEnableItem, nEnable);
  if (action == nullptr) return MF_ERROR;
  const UINT previous = action->isEnabled() ? MF_ENABLED : MF_GRAYED;
  action->setEnabled((nEnable & (MF_GRAYED | MF_DISABLED)) == 0);
  return previous;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
  QAction* action = FindItem(nIDCheckItem, nCheck);
  if (action == nullptr) return MF_ERROR;
  const UINT previous = action->isChecked() ? MF_CHECKED : MF_UNCHECKED;
  action->setCheckable(true);
  action->setChecked((nCheck & MF_CHECKED) != 0);
  return previous;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT*) {
  if (m_menu == nullptr) return FALSE;
  QPointer<QWidget> owner = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
  QAction* chosen = Choose(*m_menu, QPoint(x, y));
  const bool usable = chosen != nullptr && chosen->isEnabled() && !chosen->isSeparator() &&
                      chosen->menu() == nullptr;
  const UINT id = usable ? AfxMenuCommandId(chosen) : 0;
  if (nFlags & TPM_RETURNCMD) return static_cast<BOOL>(id);
  if (id != 0 && !(nFlags & TPM_NONOTIFY)) {
    // The owner may have gone while the popup was open.
    if (CWnd* target = CWnd::FromHandle(owner)) target->SendMessage(WM_COMMAND, id, 0);
  }
  return TRUE;
}

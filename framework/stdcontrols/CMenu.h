#pragma once

#include <QPoint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/stdcontrols/ControlTypes.h"

class CWnd;
class QAction;
class QMenu;

// A menu loaded from a menu resource (its top-level entries are the popups that
// GetSubMenu hands out) or built with AppendMenu. Items are found by command id
// (MF_BYCOMMAND, searching sub-menus too) or by position (MF_BYPOSITION).
// TrackPopupMenu shows a popup at a screen point and sends the chosen command to the
// owner window as WM_COMMAND (or returns it with TPM_RETURNCMD).
class CMenu {
 public:
  CMenu();
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  BOOL LoadMenu(UINT nIDResource);
  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL DestroyMenu();
  QMenu* GetSafeHmenu() const { return m_menu; }

  // MF_STRING (with a command id and text) or MF_SEPARATOR; MF_GRAYED / MF_CHECKED apply.
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
  // The popup at `nPos`, owned by this menu; null when that entry is no popup.
  CMenu* GetSubMenu(int nPos) const;
  int GetMenuItemCount() const;  // -1 without a menu
  // The command id at `nPos`: 0 for a separator, 0xFFFFFFFF for a popup or no entry.
  UINT GetMenuItemID(int nPos) const;
  std::string GetMenuString(UINT nIDItem, UINT nFlags) const;

  // Each returns the item's previous state (MF_ENABLED / MF_GRAYED, MF_UNCHECKED /
  // MF_CHECKED), or 0xFFFFFFFF when there is no such item.
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  UINT GetMenuState(UINT nID, UINT nFlags) const;

  // Shows the popup at (x, y) in screen coordinates and waits for the choice. A
  // command chosen goes to `pWnd` as WM_COMMAND; with TPM_RETURNCMD it is returned
  // instead (0 when nothing was chosen). Grey items cannot be chosen.
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* lpRect = nullptr);

 private:
  explicit CMenu(QMenu* borrowed);
  QAction* FindItem(UINT nID, UINT nFlags) const;

  QMenu* m_menu = nullptr;
  bool m_owned = false;
  mutable std::map<const QMenu*, std::unique_ptr<CMenu>> m_subMenus;
};

// The action of `menu` (or of its sub-menus) that carries command `id`, or null.
QAction* AfxFindMenuAction(const QMenu* menu, UINT id);

// Process-wide: when set, TrackPopupMenu asks the hook for the action the user
// chooses (null: none) instead of showing the popup. Tests use it; without it, a
// popup tracked while the modal test hook is set chooses nothing.
using PopupMenuHook = std::function<QAction*(QMenu& menu, QPoint at)>;
void AfxSetPopupMenuHook(PopupMenuHook hook);

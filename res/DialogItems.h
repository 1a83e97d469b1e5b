#pragma once

#include <utility>
#include <vector>

#include "framework/messages/WinMessages.h"
#include "framework/resources/Resources.h"
#include "framework/stdcontrols/ControlTypes.h"

// Short builders for dialog template entries, so that each template reads as a table of
// controls with their places in dialog units. `extra` adds style bits (WS_DISABLED, or no
// WS_VISIBLE via Hidden()) to the usual ones of that kind of control.
namespace dialog_items {

constexpr LONG kVisibleChild = WS_CHILD | WS_VISIBLE;
constexpr int kNoId = DialogItem::IDC_STATIC_ID;

// Clears WS_VISIBLE from a finished entry: the control starts hidden.
inline DialogItem Hidden(DialogItem item) {
  item.style &= ~WS_VISIBLE;
  return item;
}

inline DialogItem Control(const char* windowClass, const char* text, int id, int x, int y, int cx,
                          int cy, LONG style) {
  return {windowClass, text, id, x, y, cx, cy, style | kVisibleChild, 0};
}

inline DialogItem Label(const char* text, int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return Control("STATIC", text, id, x, y, cx, cy, SS_LEFT | extra);
}

inline DialogItem EtchedHorz(int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return Control("STATIC", "", id, x, y, cx, cy, SS_ETCHEDHORZ | extra);
}

inline DialogItem EtchedVert(int id, int x, int y, int cx, int cy) {
  return Control("STATIC", "", id, x, y, cx, cy, SS_ETCHEDVERT);
}

inline DialogItem PushButton(const char* text, int id, int x, int y, int cx, int cy,
                             LONG extra = 0) {
  return Control("BUTTON", text, id, x, y, cx, cy, BS_PUSHBUTTON | WS_TABSTOP | extra);
}

inline DialogItem DefPushButton(const char* text, int id, int x, int y, int cx, int cy) {
  return Control("BUTTON", text, id, x, y, cx, cy, BS_DEFPUSHBUTTON | WS_TABSTOP);
}

inline DialogItem CheckBox(const char* text, int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return Control("BUTTON", text, id, x, y, cx, cy, BS_AUTOCHECKBOX | WS_TABSTOP | extra);
}

inline DialogItem GroupBox(const char* text, int id, int x, int y, int cx, int cy) {
  return Control("BUTTON", text, id, x, y, cx, cy, BS_GROUPBOX);
}

inline DialogItem Edit(int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return Control("EDIT", "", id, x, y, cx, cy,
                 ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | extra);
}

// Dialog-manager list box; the page list of the settings dialog.
inline DialogItem ListBox(int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return Control("LISTBOX", "", id, x, y, cx, cy,
                 LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | extra);
}

inline DialogItem DropDownList(int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return Control("COMBOBOX", "", id, x, y, cx, cy,
                 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | extra);
}

// The indented group picker: owner-drawn fixed-height entries that keep their strings.
inline DialogItem GroupPicker(int id, int x, int y, int cx, int cy, LONG extra = 0) {
  return DropDownList(id, x, y, cx, cy, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | extra);
}

// Expand buttons, lines (also at the root), selection kept visible without focus; no label
// editing.
inline DialogItem GroupTree(int id, int x, int y, int cx, int cy) {
  return Control(
      "SysTreeView32", "", id, x, y, cx, cy,
      TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP);
}

inline DialogItem ProgressBar(int id, int x, int y, int cx, int cy) {
  return Control("msctls_progress32", "", id, x, y, cx, cy, PBS_SMOOTH | WS_BORDER);
}

// A dialog template at the origin, in the usual 8-point dialog font.
inline DialogResource Template(UINT id, const char* caption, int cx, int cy, LONG style,
                               const char* font, std::vector<DialogItem> items) {
  return {id, caption, 0, 0, cx, cy, style, font, 8, std::move(items)};
}

// Dialog styles.
constexpr LONG kFormStyle = DS_SETFONT | WS_CHILD;
constexpr LONG kPageStyle = DS_SETFONT | DS_CONTROL | WS_CHILD;
constexpr LONG kModalStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace dialog_items

#pragma once

#include "framework/messages/WinMessages.h"
#include "framework/messages/WinTypes.h"

class CDC;

// The requests an owner-drawn control sends its owner (or handles itself when the
// owner reflects them): draw an item, measure a line, an item's data going away.

using ULONG_PTR = std::uintptr_t;

constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_DELETEITEM = 0x002D;

// Control types.
constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;

// What changed: the whole item, its selection or its focus.
constexpr UINT ODA_DRAWENTIRE = 0x1;
constexpr UINT ODA_SELECT = 0x2;
constexpr UINT ODA_FOCUS = 0x4;

// The item's state.
constexpr UINT ODS_SELECTED = 0x1;
constexpr UINT ODS_GRAYED = 0x2;
constexpr UINT ODS_DISABLED = 0x4;
constexpr UINT ODS_CHECKED = 0x8;
constexpr UINT ODS_FOCUS = 0x10;
constexpr UINT ODS_DEFAULT = 0x20;
constexpr UINT ODS_HOTLIGHT = 0x40;
constexpr UINT ODS_INACTIVE = 0x80;
constexpr UINT ODS_NOACCEL = 0x100;
constexpr UINT ODS_NOFOCUSRECT = 0x200;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;  // the combo box's selection field

// itemID of an empty list or combo box: no item, only the focus to draw.
constexpr UINT ODI_NONE = static_cast<UINT>(-1);

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  CDC* hDC = nullptr;  // draws on the control for the length of the request
  RECT rcItem;
  ULONG_PTR itemData = 0;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;  // in: the default height; out: the item's height
  ULONG_PTR itemData = 0;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

struct DELETEITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  HWND hwndItem = nullptr;
  ULONG_PTR itemData = 0;
};
using LPDELETEITEMSTRUCT = DELETEITEMSTRUCT*;

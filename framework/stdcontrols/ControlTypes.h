#pragma once

#include <cstdint>

#include "framework/messages/WinMessages.h"

// Styles, flags, handles and notification records of the standard controls, with the
// values window code has always used, so that numbers in templates keep their meaning.

using DWORD_PTR = std::uintptr_t;

// A check box whose caption wraps onto several lines.
constexpr LONG BS_MULTILINE = 0x2000;

// List box styles and results.
constexpr LONG LBS_NOTIFY = 0x0001;
constexpr LONG LBS_SORT = 0x0002;
constexpr LONG LBS_OWNERDRAWFIXED = 0x0010;
constexpr LONG LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr LONG LBS_HASSTRINGS = 0x0040;
constexpr LONG LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr int LB_OKAY = 0;
constexpr int LB_ERR = -1;
constexpr int LB_ERRSPACE = -2;

// Combo box styles and results.
constexpr LONG CBS_SIMPLE = 0x0001;
constexpr LONG CBS_DROPDOWN = 0x0002;
constexpr LONG CBS_DROPDOWNLIST = 0x0003;
constexpr LONG CBS_TYPEMASK = 0x0003;
constexpr LONG CBS_OWNERDRAWFIXED = 0x0010;
constexpr LONG CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr LONG CBS_AUTOHSCROLL = 0x0040;
constexpr LONG CBS_SORT = 0x0100;
constexpr LONG CBS_HASSTRINGS = 0x0200;
constexpr int CB_OKAY = 0;
constexpr int CB_ERR = -1;
constexpr int CB_ERRSPACE = -2;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_CLOSEUP = 8;

// Progress bar.
constexpr LONG PBS_SMOOTH = 0x01;
constexpr LONG PBS_VERTICAL = 0x04;

// Tree view styles.
constexpr LONG TVS_HASBUTTONS = 0x0001;
constexpr LONG TVS_HASLINES = 0x0002;
constexpr LONG TVS_LINESATROOT = 0x0004;
constexpr LONG TVS_EDITLABELS = 0x0008;
constexpr LONG TVS_DISABLEDRAGDROP = 0x0010;
constexpr LONG TVS_SHOWSELALWAYS = 0x0020;

// A tree item handle. The special values name positions, not items.
struct TREEITEM_;
using HTREEITEM = TREEITEM_*;
inline HTREEITEM const TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
inline HTREEITEM const TVI_FIRST =
    reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));
inline HTREEITEM const TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFD));

// Item fields named by a mask.
constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_EXPANDED = 0x0020;

// Expand codes.
constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;

// GetNextItem relations.
constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;

// Hit-test results.
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;

// Image list kinds of a tree.
constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;

// How a tree selection changed (NMTREEVIEW::action).
constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  const char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;
  HTREEITEM hInsertAfter = nullptr;
  TVITEM item;
};

struct TVHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};

// The record of every tree notification (selection, drag, expand).
struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};
using LPNMTREEVIEW = NMTREEVIEW*;

// TVN_KEYDOWN: a key pressed while the tree has the focus. A nonzero answer means the
// owner took the key and the tree does nothing more with it.
struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

// Tab control styles and item fields.
constexpr LONG TCS_BOTTOM = 0x0002;
constexpr LONG TCS_RIGHT = 0x0002;     // with TCS_VERTICAL
constexpr LONG TCS_VERTICAL = 0x0080;  // the strip runs down the left (or right) side
constexpr LONG TCS_MULTILINE = 0x0200;
constexpr LONG TCS_FIXEDWIDTH = 0x0400;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;

struct TCITEM {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  const char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

// Image list creation flags.
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

// Menu flags.
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_ERROR = 0xFFFFFFFF;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// Tool tip control.
constexpr LONG TTS_ALWAYSTIP = 0x01;
constexpr LONG TTS_NOPREFIX = 0x02;

#pragma once

#include "framework/messages/WinTypes.h"

// Message numbers, notification codes, styles and results, with the values window code
// has always used, so that numbers stored in resources and tables keep their meaning.

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_CTLCOLOR = 0x0019;  // the map entry that answers every WM_CTLCOLOR* below
constexpr UINT WM_HELP = 0x0053;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
// Colour requests: a control (or a dialog, for itself) asks with a CDC* in wParam and
// its handle in lParam, and is answered with a brush (CBrush*).
constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORDLG = 0x0136;
constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
// The kind handed to OnCtlColor: the message minus WM_CTLCOLORMSGBOX.
constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// Framework-private messages.
constexpr UINT WM_INITIALUPDATE = 0x0364;  // sent to every view before it is first shown
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;

// Dialog messages.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DC_HASDEFID = 0x534B;

// Button messages and the codes a control answers to WM_GETDLGCODE.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr UINT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr UINT DLGC_RADIOBUTTON = 0x0040;
constexpr UINT DLGC_BUTTON = 0x2000;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

// Notification codes carried in the high word of WM_COMMAND.
constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_DOUBLECLICKED = 5;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_UPDATE = 0x0400;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DROPDOWN = 7;

// Codes carried by WM_NOTIFY (NMHDR::code).
constexpr UINT NM_FIRST = 0U;
constexpr UINT NM_CLICK = NM_FIRST - 2;
constexpr UINT NM_DBLCLK = NM_FIRST - 3;
constexpr UINT NM_RCLICK = NM_FIRST - 5;
constexpr UINT TVN_FIRST = 0U - 400U;
constexpr UINT TVN_SELCHANGING = TVN_FIRST - 1;
constexpr UINT TVN_SELCHANGED = TVN_FIRST - 2;
constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 5;
constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 6;
constexpr UINT TVN_BEGINDRAG = TVN_FIRST - 7;
constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;
constexpr UINT TCN_FIRST = 0U - 550U;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

// WM_SIZE kinds.
constexpr UINT SIZE_RESTORED = 0;
constexpr UINT SIZE_MINIMIZED = 1;
constexpr UINT SIZE_MAXIMIZED = 2;

// Mouse key state flags of the mouse messages.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Window styles.
constexpr LONG WS_OVERLAPPED = 0x00000000;
constexpr LONG WS_TABSTOP = 0x00010000;
constexpr LONG WS_MAXIMIZEBOX = 0x00010000;
constexpr LONG WS_GROUP = 0x00020000;
constexpr LONG WS_MINIMIZEBOX = 0x00020000;
constexpr LONG WS_THICKFRAME = 0x00040000;
constexpr LONG WS_SYSMENU = 0x00080000;
constexpr LONG WS_HSCROLL = 0x00100000;
constexpr LONG WS_VSCROLL = 0x00200000;
constexpr LONG WS_DLGFRAME = 0x00400000;
constexpr LONG WS_BORDER = 0x00800000;
constexpr LONG WS_CAPTION = 0x00C00000;
constexpr LONG WS_MAXIMIZE = 0x01000000;
constexpr LONG WS_CLIPCHILDREN = 0x02000000;
constexpr LONG WS_CLIPSIBLINGS = 0x04000000;
constexpr LONG WS_DISABLED = 0x08000000;
constexpr LONG WS_VISIBLE = 0x10000000;
constexpr LONG WS_MINIMIZE = 0x20000000;
constexpr LONG WS_CHILD = 0x40000000;
constexpr LONG WS_POPUP = static_cast<LONG>(0x80000000u);
constexpr LONG WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr LONG WS_CHILDWINDOW = WS_CHILD;
constexpr LONG FWS_ADDTOTITLE = 0x00008000;

// Button styles (low bits: the button type).
constexpr LONG BS_PUSHBUTTON = 0x0;
constexpr LONG BS_DEFPUSHBUTTON = 0x1;
constexpr LONG BS_CHECKBOX = 0x2;
constexpr LONG BS_AUTOCHECKBOX = 0x3;
constexpr LONG BS_RADIOBUTTON = 0x4;
constexpr LONG BS_3STATE = 0x5;
constexpr LONG BS_AUTO3STATE = 0x6;
constexpr LONG BS_GROUPBOX = 0x7;
constexpr LONG BS_AUTORADIOBUTTON = 0x9;
constexpr LONG BS_OWNERDRAW = 0xB;
constexpr LONG BS_TYPEMASK = 0xF;
constexpr LONG BS_FLAT = 0x8000;

// Edit styles.
constexpr LONG ES_LEFT = 0x0;
constexpr LONG ES_MULTILINE = 0x4;
constexpr LONG ES_PASSWORD = 0x20;
constexpr LONG ES_AUTOHSCROLL = 0x80;
constexpr LONG ES_READONLY = 0x800;
constexpr LONG ES_NUMBER = 0x2000;

// Static styles.
constexpr LONG SS_LEFT = 0x0;
constexpr LONG SS_CENTER = 0x1;
constexpr LONG SS_RIGHT = 0x2;
constexpr LONG SS_ICON = 0x3;
constexpr LONG SS_BLACKRECT = 0x4;
constexpr LONG SS_GRAYRECT = 0x5;
constexpr LONG SS_WHITERECT = 0x6;
constexpr LONG SS_BITMAP = 0xE;
constexpr LONG SS_ETCHEDHORZ = 0x10;
constexpr LONG SS_ETCHEDVERT = 0x11;
constexpr LONG SS_ETCHEDFRAME = 0x12;
constexpr LONG SS_TYPEMASK = 0x1F;
constexpr LONG SS_NOPREFIX = 0x80;  // '&' is shown as it is
constexpr LONG SS_NOTIFY = 0x100;

// Dialog styles.
constexpr LONG DS_SETFONT = 0x40;
constexpr LONG DS_MODALFRAME = 0x80;
constexpr LONG DS_CONTROL = 0x400;

// Standard dialog results and control ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDC_STATIC = -1;

// Message box types.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;

// Standard command ids.
constexpr UINT ID_APP_ABOUT = 0xE140;  // 57664
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

// Command handler kinds used by OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// HWND_BROADCAST: a post or send to it reaches every top-level window of the process.
inline const HWND HWND_BROADCAST = reinterpret_cast<HWND>(std::uintptr_t{0xFFFF});

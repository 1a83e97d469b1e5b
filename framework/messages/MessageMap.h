#pragma once

#include <variant>
#include <vector>

#include "framework/messages/WinMessages.h"

// Message maps are typed tables: each entry names what it answers (a window message, a
// registered message, a command id range, a command-state query or a control
// notification) and holds a member pointer of one of a few fixed shapes. The window's
// one dispatch switch cracks the message parameters for that shape and calls it, so a
// handler is an ordinary typed member function and no macro is involved.
//
//   const MessageMap* CMyView::GetMessageMap() const {
//     static const MessageMap map{CFormView::GetMessageMap(), {
//         msg::Create(&CMyView::OnCreate),
//         msg::Size(&CMyView::OnSize),
//         msg::Command(32771, &CMyView::OnSettings),
//         msg::UpdateCommandUI(32771, &CMyView::OnUpdateSettings),
//         msg::Notify(TVN_SELCHANGED, 2023, &CMyView::OnSelChanged),
//     }};
//     return &map;
//   }

class CBrush;
class CCmdTarget;
class CCmdUI;
class CDC;
class CWnd;

namespace msg {

using LResultFn = LRESULT (CCmdTarget::*)(WPARAM, LPARAM);
using CreateFn = int (CCmdTarget::*)(LPCREATESTRUCT);
using SizeFn = void (CCmdTarget::*)(UINT, int, int);
using MouseFn = void (CCmdTarget::*)(UINT, CPoint);
using TimerFn = void (CCmdTarget::*)(UINT_PTR);
using ContextMenuFn = void (CCmdTarget::*)(CWnd*, CPoint);
using HelpFn = BOOL (CCmdTarget::*)(HELPINFO*);
using VoidFn = void (CCmdTarget::*)();
using IdFn = void (CCmdTarget::*)(UINT);
using UpdateUIFn = void (CCmdTarget::*)(CCmdUI*);
using NotifyFn = void (CCmdTarget::*)(NMHDR*, LRESULT*);
using CtlColorFn = CBrush* (CCmdTarget::*)(CDC*, CWnd*, UINT);

using Handler = std::variant<LResultFn, CreateFn, SizeFn, MouseFn, TimerFn, ContextMenuFn, HelpFn,
                             VoidFn, IdFn, UpdateUIFn, NotifyFn, CtlColorFn>;

enum class Kind {
  Message,          // a window message by number
  Registered,       // a registered message whose number is held in a variable
  Command,          // WM_COMMAND: notification code + id range (code 0: menu or click)
  UpdateCommandUI,  // command-state query for an id range
  Notify,           // WM_NOTIFY: notification code + control id
  NotifyReflect,    // a control's own WM_NOTIFY code, handed back to it by its parent
  ControlReflect,   // a control's own WM_COMMAND code, handed back to it by its parent
};

struct Entry {
  Kind kind = Kind::Message;
  UINT message = 0;
  const UINT* registered = nullptr;
  UINT code = 0;
  UINT firstId = 0;
  UINT lastId = 0;
  Handler handler;
};

template <class Fn, class T, class R, class... A>
Fn Cast(R (T::*f)(A...)) {
  return static_cast<Fn>(f);
}

inline Entry Make(Kind kind, UINT message, UINT code, UINT first, UINT last, Handler h) {
  return Entry{kind, message, nullptr, code, first, last, h};
}

// Window messages with cracked parameters.
template <class T>
Entry Create(int (T::*f)(LPCREATESTRUCT)) {
  return Make(Kind::Message, WM_CREATE, 0, 0, 0, Cast<CreateFn>(f));
}
template <class T>
Entry Size(void (T::*f)(UINT, int, int)) {
  return Make(Kind::Message, WM_SIZE, 0, 0, 0, Cast<SizeFn>(f));
}
// WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, ...
template <class T>
Entry Mouse(UINT message, void (T::*f)(UINT, CPoint)) {
  return Make(Kind::Message, message, 0, 0, 0, Cast<MouseFn>(f));
}
template <class T>
Entry Timer(void (T::*f)(UINT_PTR)) {
  return Make(Kind::Message, WM_TIMER, 0, 0, 0, Cast<TimerFn>(f));
}
template <class T>
Entry ContextMenu(void (T::*f)(CWnd*, CPoint)) {
  return Make(Kind::Message, WM_CONTEXTMENU, 0, 0, 0, Cast<ContextMenuFn>(f));
}
template <class T>
Entry Help(BOOL (T::*f)(HELPINFO*)) {
  return Make(Kind::Message, WM_HELP, 0, 0, 0, Cast<HelpFn>(f));
}
// Every colour request (WM_CTLCOLORSTATIC, ...EDIT, ...BTN, ...DLG): the handler gets the
// context whose colours and background mode it sets, the asking window and its
// CTLCOLOR_* kind, and returns the brush to fill with (null: the control's own look).
template <class T>
Entry CtlColor(CBrush* (T::*f)(CDC*, CWnd*, UINT)) {
  return Make(Kind::Message, WM_CTLCOLOR, 0, 0, 0, Cast<CtlColorFn>(f));
}
// Messages without parameters: WM_DESTROY, WM_CLOSE, WM_PAINT, ...
template <class T>
Entry Void(UINT message, void (T::*f)()) {
  return Make(Kind::Message, message, 0, 0, 0, Cast<VoidFn>(f));
}
// Any message with its raw parameters.
template <class T>
Entry Message(UINT message, LRESULT (T::*f)(WPARAM, LPARAM)) {
  return Make(Kind::Message, message, 0, 0, 0, Cast<LResultFn>(f));
}
// A registered message: `number` is read at dispatch, so it may be registered later.
template <class T>
Entry Registered(const UINT* number, LRESULT (T::*f)(WPARAM, LPARAM)) {
  Entry e = Make(Kind::Registered, 0, 0, 0, 0, Cast<LResultFn>(f));
  e.registered = number;
  return e;
}

// Commands from menus and from controls.
template <class T>
Entry Command(UINT id, void (T::*f)()) {
  return Make(Kind::Command, WM_COMMAND, 0, id, id, Cast<VoidFn>(f));
}
template <class T>
Entry CommandRange(UINT first, UINT last, void (T::*f)(UINT)) {
  return Make(Kind::Command, WM_COMMAND, 0, first, last, Cast<IdFn>(f));
}
// A control notification sent as WM_COMMAND (BN_CLICKED, EN_CHANGE, LBN_SELCHANGE, ...).
template <class T>
Entry Control(UINT code, UINT id, void (T::*f)()) {
  return Make(Kind::Command, WM_COMMAND, code, id, id, Cast<VoidFn>(f));
}
template <class T>
Entry UpdateCommandUI(UINT id, void (T::*f)(CCmdUI*)) {
  return Make(Kind::UpdateCommandUI, WM_COMMAND, 0, id, id, Cast<UpdateUIFn>(f));
}
// A control notification sent as WM_NOTIFY (TVN_SELCHANGED, NM_RCLICK, TCN_SELCHANGE, ...).
template <class T>
Entry Notify(UINT code, UINT id, void (T::*f)(NMHDR*, LRESULT*)) {
  return Make(Kind::Notify, WM_NOTIFY, code, id, id, Cast<NotifyFn>(f));
}

// A control's own notifications, which its parent offers to the control first; the
// handler takes them (the parent's map does not see them). One path: the control hears
// of a user's change exactly as its parent would.
template <class T>
Entry NotifyReflect(UINT code, void (T::*f)(NMHDR*, LRESULT*)) {
  return Make(Kind::NotifyReflect, WM_NOTIFY, code, 0, 0, Cast<NotifyFn>(f));
}
template <class T>
Entry ControlReflect(UINT code, void (T::*f)()) {
  return Make(Kind::ControlReflect, WM_COMMAND, code, 0, 0, Cast<VoidFn>(f));
}

}  // namespace msg

struct MessageMap {
  const MessageMap* base = nullptr;
  std::vector<msg::Entry> entries;
};

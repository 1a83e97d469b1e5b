#include "framework/messages/CCmdTarget.h"

#include "framework/messages/CCmdUI.h"
#include "framework/windows/CWnd.h"

namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

bool IsColourRequest(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool IdMatches(const msg::Entry& e, UINT id) { return id >= e.firstId && id <= e.lastId; }

bool CommandMatches(const msg::Entry& e, UINT id, int code, const void* extra) {
  switch (e.kind) {
    case msg::Kind::Command:
      return (code >= 0) && static_cast<UINT>(code) == e.code && IdMatches(e, id);
    case msg::Kind::UpdateCommandUI:
      return code == CN_UPDATE_COMMAND_UI && IdMatches(e, id);
    case msg::Kind::Notify:
      return code == CN_NOTIFY && IdMatches(e, id) &&
             static_cast<const AFX_NOTIFY*>(extra)->pNMHDR->code == e.code;
    case msg::Kind::NotifyReflect:
      return code == CN_REFLECT_NOTIFY &&
             static_cast<const AFX_NOTIFY*>(extra)->pNMHDR->code == e.code;
    case msg::Kind::ControlReflect:
      return code == CN_REFLECT_COMMAND && id == e.code;
    default:
      return false;
  }
}

}  // namespace

const CRuntimeClass CCmdTarget::classCCmdTarget{"CCmdTarget", &CObject::classCObject, nullptr};
const CRuntimeClass* CCmdTarget::GetRuntimeClass() const { return &classCCmdTarget; }

const MessageMap* CCmdTarget::GetMessageMap() const {
  static const MessageMap map{nullptr, {}};
  return &map;
}

bool CCmdTarget::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == 0) return false;
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const msg::Entry& e : map->entries) {
      const bool hit =
          (e.kind == msg::Kind::Message && e.message == message) ||
          (e.kind == msg::Kind::Message && e.message == WM_CTLCOLOR && IsColourRequest(message)) ||
          (e.kind == msg::Kind::Registered && e.registered != nullptr && *e.registered == message);
      if (!hit) continue;
      const LRESULT r = Invoke(e.handler, message, wParam, lParam);
      if (pResult != nullptr) *pResult = r;
      return true;
    }
  }
  return false;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const msg::Entry& e : map->entries) {
      if (!CommandMatches(e, nID, nCode, pExtra)) continue;
      if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        return TRUE;
      }
      if (nCode == CN_UPDATE_COMMAND_UI) {
        (this->*std::get<msg::UpdateUIFn>(e.handler))(static_cast<CCmdUI*>(pExtra));
      } else if (nCode == CN_NOTIFY || nCode == CN_REFLECT_NOTIFY) {
        auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
        (this->*std::get<msg::NotifyFn>(e.handler))(notify->pNMHDR, notify->pResult);
      } else if (auto* byId = std::get_if<msg::IdFn>(&e.handler)) {
        (this->**byId)(nID);
      } else {
        (this->*std::get<msg::VoidFn>(e.handler))();
      }
      return TRUE;
    }
  }
  return FALSE;
}

// The one place where message parameters are cracked for a handler's shape.
LRESULT CCmdTarget::Invoke(const msg::Handler& handler, UINT message, WPARAM w, LPARAM l) {
  const CPoint point(GET_X_LPARAM(l), GET_Y_LPARAM(l));
  return std::visit(
      Overloaded{
          [&](msg::LResultFn f) -> LRESULT { return (this->*f)(w, l); },
          [&](msg::CreateFn f) -> LRESULT {
            return (this->*f)(reinterpret_cast<LPCREATESTRUCT>(l));
          },
          [&](msg::SizeFn f) -> LRESULT {
            (this->*f)(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),
                       HIWORD(static_cast<std::uintptr_t>(l)));
            return 0;
          },
          [&](msg::MouseFn f) -> LRESULT {
            (this->*f)(static_cast<UINT>(w), point);
            return 0;
          },
          [&](msg::TimerFn f) -> LRESULT {
            (this->*f)(static_cast<UINT_PTR>(w));
            return 0;
          },
          [&](msg::ContextMenuFn f) -> LRESULT {
            (this->*f)(CWnd::FromHandle(reinterpret_cast<HWND>(w)), point);
            return 0;
          },
          [&](msg::HelpFn f) -> LRESULT { return (this->*f)(reinterpret_cast<HELPINFO*>(l)); },
          [&](msg::VoidFn f) -> LRESULT {
            (this->*f)();
            return 0;
          },
          [&](msg::IdFn f) -> LRESULT {
            (this->*f)(static_cast<UINT>(w));
            return 0;
          },
          [&](msg::UpdateUIFn f) -> LRESULT {
            (this->*f)(reinterpret_cast<CCmdUI*>(l));
            return 0;
          },
          [&](msg::NotifyFn f) -> LRESULT {
            LRESULT result = 0;
            (this->*f)(reinterpret_cast<NMHDR*>(l), &result);
            return result;
          },
          [&](msg::CtlColorFn f) -> LRESULT {
            CBrush* brush =
                (this->*f)(reinterpret_cast<CDC*>(w), CWnd::FromHandle(reinterpret_cast<HWND>(l)),
                           message - WM_CTLCOLORMSGBOX);
            return reinterpret_cast<LRESULT>(brush);
          },
      },
      handler);
}

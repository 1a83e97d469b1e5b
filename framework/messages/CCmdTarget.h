#pragma once

#include "framework/core/RuntimeClass.h"
#include "framework/messages/MessageMap.h"

class CCmdTarget;

// OnCmdMsg codes besides CN_COMMAND / CN_UPDATE_COMMAND_UI / a control's WM_COMMAND code.
constexpr int CN_NOTIFY = 0x004E0000;
// A control's own notification, reflected to it by its parent: WM_NOTIFY (pExtra an
// AFX_NOTIFY) or WM_COMMAND (nID the notification code).
constexpr int CN_REFLECT_NOTIFY = 0x004E0001;
constexpr int CN_REFLECT_COMMAND = 0x01110001;

// pExtra of a CN_NOTIFY request.
struct AFX_NOTIFY {
  NMHDR* pNMHDR = nullptr;
  LRESULT* pResult = nullptr;
};

// Given to OnCmdMsg to ask only whether a handler exists, without calling it.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget = nullptr;
};

// The root of everything that takes commands: windows, documents (by choice) and the
// application. It answers messages and commands from its message map.
class CCmdTarget : public CObject {
 public:
  static const CRuntimeClass classCCmdTarget;
  const CRuntimeClass* GetRuntimeClass() const override;

  CCmdTarget() = default;
  ~CCmdTarget() override = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Looks for a command, command-state or notification handler and calls it. Routing
  // targets (view, frame) override it to pass the request along their chain.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // Finds a Message/Registered entry for `message` and calls it; false if none.
  bool DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

 protected:
  virtual const MessageMap* GetMessageMap() const;

 private:
  LRESULT Invoke(const msg::Handler& handler, UINT message, WPARAM wParam, LPARAM lParam);
};

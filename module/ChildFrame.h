#pragma once

#include "framework/windows/CMDIChildWnd.h"

// The frame of the library's document: always maximised inside the host's main window,
// without a system menu. It also answers the preferences-changed message when that
// message reaches it.
class CChildFrame : public CMDIChildWnd {
  TM_DECLARE_DYNCREATE(CChildFrame)

 public:
  CChildFrame() = default;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void ActivateFrame(int nCmdShow = -1) override;

  LRESULT OnUpdateMainPref(WPARAM wParam, LPARAM lParam);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  const MessageMap* GetMessageMap() const override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
};

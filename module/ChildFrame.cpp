#include "module/ChildFrame.h"

#include "framework/dialogbase/MessageBox.h"
#include "module/HostMessages.h"

TM_IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

const MessageMap* CChildFrame::GetMessageMap() const {
  static const MessageMap map{
      CMDIChildWnd::GetMessageMap(),
      {
          msg::Registered(&g_nPrefsChangedMsg, &CChildFrame::OnUpdateMainPref),
          msg::Create(&CChildFrame::OnCreate),
      }};
  return &map;
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CMDIChildWnd::PreCreateWindow(cs)) return FALSE;
  // The base style carries the system menu, so the toggle takes it away.
  cs.style = (cs.style ^ WS_SYSMENU) | WS_MAXIMIZE | WS_MAXIMIZEBOX;
  return TRUE;
}

void CChildFrame::ActivateFrame(int) { CMDIChildWnd::ActivateFrame(SW_SHOWMAXIMIZED); }

BOOL CChildFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return CMDIChildWnd::OnWndMsg(message, wParam, lParam, pResult);
}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  return CMDIChildWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

LRESULT CChildFrame::OnUpdateMainPref(WPARAM, LPARAM) {
  AfxMessageBox("Update Main Pref!", MB_OK);
  return 0;
}

#pragma once

#include "framework/windows/CFrameWnd.h"

class CMDIFrameWnd;
class QMdiSubWindow;
struct MenuResource;

// A document frame inside the MDI main frame's client area (a Qt MDI subwindow). Its
// window style decides the subwindow's decorations: WS_SYSMENU the system menu and
// close button, WS_MAXIMIZEBOX / WS_MINIMIZEBOX the buttons. While it is active, the
// main frame shows its template's shared menu. Without an MDI main frame it stands
// alone as a top-level window.
class CMDIChildWnd : public CFrameWnd {
 public:
  static const CRuntimeClass classCMDIChildWnd;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void ActivateFrame(int nCmdShow = -1) override;
  BOOL DestroyWindow() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // A child made maximised has no size of its own to go back to: its first restore
  // gives it this one.
  void SizeClientTo(CSize size) override;

  CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
  QMdiSubWindow* GetSubWindow() const;
  const MenuResource* GetSharedMenu() const { return m_hMenuShared; }

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;

  const MenuResource* m_hMenuShared = nullptr;
  CMDIFrameWnd* m_pMDIFrame = nullptr;

 private:
  void ApplyClientSize();

  CSize m_restoreSize;  // waiting for the first restore; empty when none is
};

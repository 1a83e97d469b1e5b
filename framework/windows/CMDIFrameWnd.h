#pragma once

#include <QPointer>

#include "framework/windows/CFrameWnd.h"

class CMDIChildWnd;
class QMdiArea;
class QMenuBar;
struct MenuResource;

// The host's main window: a Qt main window whose client area is an MDI area. Its menu
// bar shows the active child's shared menu, or its own menu when no child is open.
// Menu commands go to the active child (view, document, child frame) first, then to
// this frame and the application.
class CMDIFrameWnd : public CFrameWnd {
 public:
  static const CRuntimeClass classCMDIFrameWnd;
  const CRuntimeClass* GetRuntimeClass() const override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

  CMDIChildWnd* MDIGetActive() const;
  void MDIActivate(CMDIChildWnd* child);
  QMdiArea* GetMdiArea() const;
  QMenuBar* GetMenuBar() const;

  // Rebuilds the menu bar for the active child.
  void OnUpdateFrameMenu();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;

  const MenuResource* m_hMenuDefault = nullptr;

 private:
  QPointer<QWidget> m_activeChild;
  const MenuResource* m_shownMenu = nullptr;
};

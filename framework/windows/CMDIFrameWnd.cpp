#include "framework/windows/CMDIFrameWnd.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "framework/resources/MenuBuilder.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CMDIChildWnd.h"

const CRuntimeClass CMDIFrameWnd::classCMDIFrameWnd{"CMDIFrameWnd", &CFrameWnd::classCFrameWnd,
                                                    nullptr};
const CRuntimeClass* CMDIFrameWnd::GetRuntimeClass() const { return &classCMDIFrameWnd; }

QWidget* CMDIFrameWnd::CreateWidget(const CREATESTRUCT&, QWidget* parent) {
  auto* window = new QMainWindow(parent);
  auto* area = new QMdiArea(window);
  area->setViewMode(QMdiArea::SubWindowView);
  window->setCentralWidget(area);
  QPointer<QWidget> self = window;
  QObject::connect(area, &QMdiArea::subWindowActivated, [self](QMdiSubWindow* sub) {
    auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(self));
    if (frame == nullptr) return;
    if (sub != nullptr) frame->m_activeChild = sub->widget();
    frame->OnUpdateFrameMenu();
  });
  return window;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  m_hMenuDefault = AfxFindMenu(nIDResource);
  OnUpdateFrameMenu();
  return TRUE;
}

QMdiArea* CMDIFrameWnd::GetMdiArea() const {
  auto* window = qobject_cast<QMainWindow*>(GetSafeHwnd());
  return window != nullptr ? qobject_cast<QMdiArea*>(window->centralWidget()) : nullptr;
}

QMenuBar* CMDIFrameWnd::GetMenuBar() const {
  auto* window = qobject_cast<QMainWindow*>(GetSafeHwnd());
  return window != nullptr ? window->menuBar() : nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const {
  // The current subwindow stays known while the application is not the active one
  // (offscreen runs); the last activated child is the fallback.
  QMdiArea* area = GetMdiArea();
  QMdiSubWindow* sub = area != nullptr ? area->currentSubWindow() : nullptr;
  QWidget* content = sub != nullptr ? sub->widget() : m_activeChild.data();
  return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(content));
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* child) {
  if (child == nullptr) return;
  m_activeChild = child->GetSafeHwnd();
  if (QMdiArea* area = GetMdiArea(); area != nullptr && child->GetSubWindow() != nullptr) {
    area->setActiveSubWindow(child->GetSubWindow());
  }
  OnUpdateFrameMenu();
}

void CMDIFrameWnd::OnUpdateFrameMenu() {
  QMenuBar* bar = GetMenuBar();
  if (bar == nullptr) return;
  CMDIChildWnd* child = MDIGetActive();
  const MenuResource* menu = child != nullptr && child->GetSharedMenu() != nullptr
                                 ? child->GetSharedMenu()
                                 : m_hMenuDefault;
  if (menu == m_shownMenu) return;
  m_shownMenu = menu;
  bar->clear();
  if (menu != nullptr) AfxFillMenuBar(bar, *menu, this);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CMDIChildWnd* child = MDIGetActive();
      child != nullptr && child->RouteCmdToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) {
    return TRUE;
  }
  if (RouteCmdToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return RouteToApplication(nID, nCode, pExtra, pHandlerInfo);
}

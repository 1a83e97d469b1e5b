#include "framework/windows/CMDIChildWnd.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QVBoxLayout>

#include "framework/app/CDocTemplate.h"
#include "framework/app/CWinApp.h"
#include "framework/windows/CMDIFrameWnd.h"

const CRuntimeClass CMDIChildWnd::classCMDIChildWnd{"CMDIChildWnd", &CFrameWnd::classCFrameWnd,
                                                    nullptr};
const CRuntimeClass* CMDIChildWnd::GetRuntimeClass() const { return &classCMDIChildWnd; }

namespace {

Qt::WindowFlags SubWindowFlags(LONG style) {
  Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

}  // namespace

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd != nullptr ? pParentWnd : AfxGetMainWnd());
  if (pContext != nullptr && pContext->m_pNewDocTemplate != nullptr) {
    m_hMenuShared = pContext->m_pNewDocTemplate->GetSharedMenu();
  }
  return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, nullptr, pContext);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  if (m_pMDIFrame != nullptr) cs.style |= WS_CHILD;
  return TRUE;
}

QWidget* CMDIChildWnd::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  QWidget* content = CFrameWnd::CreateWidget(cs, nullptr);
  if (m_pMDIFrame == nullptr || m_pMDIFrame->GetMdiArea() == nullptr) {
    if (parent != nullptr) content->setParent(parent, Qt::Window);
    return content;
  }
  QMdiSubWindow* sub = m_pMDIFrame->GetMdiArea()->addSubWindow(content, SubWindowFlags(cs.style));
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  const QPointer<QWidget> guard = content;
  QObject::connect(sub, &QMdiSubWindow::windowStateChanged, sub,
                   [this, guard](Qt::WindowStates before, Qt::WindowStates now) {
                     constexpr Qt::WindowStates kOff = Qt::WindowMaximized | Qt::WindowMinimized;
                     const bool mine = guard && CWnd::FromHandlePermanent(guard) == this;
                     if (mine && (before & kOff) && !(now & kOff)) ApplyClientSize();
                   });
  if (cs.style & WS_MAXIMIZE) sub->setWindowState(Qt::WindowMaximized);
  return content;
}

void CMDIChildWnd::SizeClientTo(CSize size) {
  QMdiSubWindow* sub = GetSubWindow();
  if (sub == nullptr) {
    CFrameWnd::SizeClientTo(size);
    return;
  }
  m_restoreSize = size;
  if (!sub->isMaximized() && !sub->isMinimized()) ApplyClientSize();
}

void CMDIChildWnd::ApplyClientSize() {
  QMdiSubWindow* sub = GetSubWindow();
  if (sub == nullptr || m_restoreSize.cx <= 0 || m_restoreSize.cy <= 0) return;
  const QMargins frame = sub->contentsMargins();
  sub->resize(m_restoreSize.cx + frame.left() + frame.right(),
              m_restoreSize.cy + frame.top() + frame.bottom());
  m_restoreSize = CSize();  // later restores keep whatever size the user gave it
}

QMdiSubWindow* CMDIChildWnd::GetSubWindow() const {
  return GetSafeHwnd() != nullptr ? qobject_cast<QMdiSubWindow*>(GetSafeHwnd()->parentWidget())
                                  : nullptr;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  QMdiSubWindow* sub = GetSubWindow();
  if (sub == nullptr) {
    CFrameWnd::ActivateFrame(nCmdShow);
    return;
  }
  GetSafeHwnd()->show();
  switch (nCmdShow) {
    case SW_SHOWMAXIMIZED:
      sub->showMaximized();
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      sub->showMinimized();
      break;
    case SW_HIDE:
      sub->hide();
      return;
    default:
      if (sub->isMaximized() || sub->isMinimized()) {
        sub->showNormal();
      } else {
        sub->show();
      }
      break;
  }
  if (m_pMDIFrame != nullptr) m_pMDIFrame->MDIActivate(this);
}

BOOL CMDIChildWnd::DestroyWindow() {
  QPointer<QMdiSubWindow> sub = GetSubWindow();
  CMDIFrameWnd* mdi = m_pMDIFrame;
  const BOOL destroyed = CFrameWnd::DestroyWindow();  // may delete this
  if (sub) {
    if (QMdiArea* area = sub->mdiArea()) area->removeSubWindow(sub);
    sub->hide();
    sub->deleteLater();
  }
  if (mdi != nullptr) mdi->OnUpdateFrameMenu();
  return destroyed;
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (RouteCmdToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (m_pMDIFrame != nullptr &&
      m_pMDIFrame->RouteCmdToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) {
    return TRUE;
  }
  return RouteToApplication(nID, nCode, pExtra, pHandlerInfo);
}

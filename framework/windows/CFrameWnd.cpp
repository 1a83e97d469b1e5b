#include "framework/windows/CFrameWnd.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>

#include "framework/app/CWinApp.h"
#include "framework/core/Document.h"
#include "framework/resources/ImageResources.h"
#include "framework/windows/CView.h"

const CRuntimeClass CFrameWnd::classCFrameWnd{"CFrameWnd", &CWnd::classCWnd, nullptr};
const CRuntimeClass* CFrameWnd::GetRuntimeClass() const { return &classCFrameWnd; }

const MessageMap* CFrameWnd::GetMessageMap() const {
  static const MessageMap map{CWnd::GetMessageMap(),
                              {
                                  msg::Create(&CFrameWnd::OnCreate),
                                  msg::Void(WM_CLOSE, &CFrameWnd::OnClose),
                              }};
  return &map;
}

QWidget* CFrameWnd::CreateWidget(const CREATESTRUCT&, QWidget* parent) {
  auto* widget = new QWidget(parent);
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return widget;
}

void CFrameWnd::AddPane(QWidget* pane) {
  if (auto* layout = qobject_cast<QVBoxLayout*>(GetSafeHwnd()->layout())) layout->addWidget(pane);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  m_nIDResource = nIDResource;
  const std::shared_ptr<bool> alive = m_alive;
  if (!CreateEx(0, nullptr, "", dwDefaultStyle, CRect(0, 0, 640, 480), pParentWnd, nIDResource,
                pContext)) {
    return FALSE;
  }
  if (!*alive) return FALSE;
  if (const QImage icon = AfxLoadImage(nIDResource, ImageKind::Icon); !icon.isNull()) {
    GetSafeHwnd()->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
  }
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
  return OnCreateClient(lpCreateStruct, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext == nullptr || pContext->m_pNewViewClass == nullptr) return TRUE;
  return CreateView(pContext) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  auto* view = dynamic_cast<CWnd*>(object);
  if (view == nullptr) {
    delete object;
    return nullptr;
  }
  // A failed creation has already deleted the view (PostNcDestroy).
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID,
                    pContext)) {
    return nullptr;
  }
  AddPane(view->GetSafeHwnd());
  if (m_pViewActive == nullptr) m_pViewActive = dynamic_cast<CView*>(view);
  return view;
}

CDocument* CFrameWnd::GetActiveDocument() const {
  return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) nCmdShow = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
  ShowWindow(nCmdShow);
  if (QWidget* widget = GetSafeHwnd()) {
    widget->raise();
    widget->activateWindow();
  }
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible) {
  QWidget* widget = GetSafeHwnd();
  if (widget == nullptr) return;
  for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(child))) {
      if (m_pViewActive == nullptr) m_pViewActive = view;
      view->SendMessage(WM_INITIALUPDATE, 0, 0);
    }
  }
  if (bMakeVisible) ActivateFrame();
  OnUpdateFrameTitle();
}

void CFrameWnd::OnUpdateFrameTitle() {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
  if (CDocument* doc = GetActiveDocument()) SetWindowText(doc->GetTitle());
}

void CFrameWnd::SizeClientTo(CSize size) {
  if (GetSafeHwnd() != nullptr && !IsZoomed()) GetSafeHwnd()->resize(size.cx, size.cy);
}

void CFrameWnd::OnClose() {
  CDocument* doc = GetActiveDocument();
  if (doc != nullptr && !doc->CanCloseFrame()) return;
  DestroyWindow();  // the views go with it, and the document with its last view
}

void CFrameWnd::PostNcDestroy() {
  if (CWinApp* app = AfxGetThread(); app != nullptr && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    QCoreApplication::quit();
  }
  delete this;
}

BOOL CFrameWnd::RouteCmdToViewAndSelf(UINT nID, int nCode, void* pExtra,
                                      AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
    return TRUE;
  }
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::RouteToApplication(UINT nID, int nCode, void* pExtra,
                                   AFX_CMDHANDLERINFO* pHandlerInfo) {
  CWinApp* app = AfxGetThread();
  return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (RouteCmdToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return RouteToApplication(nID, nCode, pExtra, pHandlerInfo);
}

#include "framework/windows/CView.h"

#include <QWidget>

#include "framework/app/DocumentLinks.h"
#include "framework/core/Document.h"
#include "framework/windows/CFrameWnd.h"

const CRuntimeClass CView::classCView{"CView", &CWnd::classCWnd, nullptr};
const CRuntimeClass* CView::GetRuntimeClass() const { return &classCView; }

const MessageMap* CView::GetMessageMap() const {
  static const MessageMap map{CWnd::GetMessageMap(),
                              {
                                  msg::Create(&CView::OnCreate),
                                  msg::Void(WM_DESTROY, &CView::OnDestroy),
                                  msg::Message(WM_INITIALUPDATE, &CView::HandleInitialUpdate),
                              }};
  return &map;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
  if (context != nullptr && context->m_pCurrentDoc != nullptr) {
    m_pDocument = context->m_pCurrentDoc;
    AfxAddView(m_pDocument, this);
  }
  return 0;
}

void CView::OnDestroy() {
  if (CFrameWnd* frame = GetParentFrame(); frame != nullptr && frame->GetActiveView() == this) {
    frame->SetActiveView(nullptr);
  }
  CWnd::OnDestroy();
  CDocument* doc = m_pDocument;
  m_pDocument = nullptr;
  if (doc != nullptr) AfxRemoveView(doc, this);
}

void CView::PostNcDestroy() { delete this; }

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

LRESULT CView::HandleInitialUpdate(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  const AfxModuleContextGuard context = EnterModuleContext();  // the document's too
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // A document takes commands when its class is also a command target.
  auto* target = dynamic_cast<CCmdTarget*>(m_pDocument);
  return target != nullptr && target->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

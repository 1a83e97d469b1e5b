#include "framework/windows/CFormView.h"

#include <QFont>
#include <QWidget>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/dialogbase/DialogUnits.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CFrameWnd.h"

const CRuntimeClass CFormView::classCFormView{"CFormView", &CView::classCView, nullptr};
const CRuntimeClass* CFormView::GetRuntimeClass() const { return &classCFormView; }

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

BOOL CFormView::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  const DialogResource* tmpl = AfxFindDialog(m_nIDTemplate);
  if (tmpl == nullptr) {
    PostNcDestroy();  // as a failed creation does: the view object goes
    return FALSE;
  }
  const QFont font = DialogFont(tmpl->fontSize);
  const CRect pixels =
      MapDialogRect(TemplateBaseUnits(tmpl->fontSize), CRect(0, 0, tmpl->cx, tmpl->cy));
  m_totalSize = pixels.Size();
  const std::shared_ptr<bool> alive = m_alive;
  if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext)) {
    return FALSE;
  }
  if (!*alive || GetSafeHwnd() == nullptr) return FALSE;
  GetSafeHwnd()->setFont(font);
  AfxCreateDialogControls(GetSafeHwnd(), *tmpl);
  return TRUE;
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CView::OnInitialUpdate();
}

void CFormView::ResizeParentToFit(BOOL bShrinkOnly) {
  CFrameWnd* frame = GetParentFrame();
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;
  QSize size(m_totalSize.cx, m_totalSize.cy);
  if (bShrinkOnly && !frame->IsZoomed()) size = size.boundedTo(frame->GetSafeHwnd()->size());
  frame->SizeClientTo(CSize(size.width(), size.height()));
}

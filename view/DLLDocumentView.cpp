#include "view/DLLDocumentView.h"

#include "accounting/DLLDocument.h"
#include "framework/CCmdUI.h"
#include "framework/Resources.h"
#include "module/HostMessages.h"
#include "res/ResourceIds.h"

TM_IMPLEMENT_DYNCREATE(CDLLDocumentView, CFormView)

CDLLDocumentView::CDLLDocumentView() : CFormView(IDD_DLLDOCUMENT_FORM) {}

const MessageMap* CDLLDocumentView::GetMessageMap() const {
  static const MessageMap map{
      CFormView::GetMessageMap(),
      {
          msg::Create(&CDLLDocumentView::OnCreate),
          // The menu item and the upper-row button: a button click is a command too.
          msg::Command(ID_REPORTS_MAKE, &CDLLDocumentView::OnReports),
          msg::Command(IDC_VIEW_REPORTS, &CDLLDocumentView::OnReports),
          msg::UpdateCommandUI(ID_REPORTS_MAKE, &CDLLDocumentView::OnUpdateReports),
      }};
  return &map;
}

CDLLDocument* CDLLDocumentView::GetDocument() const {
  CDocument* doc = CFormView::GetDocument();
  if (doc == nullptr || !doc->IsKindOf(&CDLLDocument::classCDLLDocument)) return nullptr;
  return static_cast<CDLLDocument*>(doc);
}

int CDLLDocumentView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFormView::OnCreate(lpCreateStruct) == -1) return -1;
  m_popupMenu = AfxFindMenu(IDR_TREE_POPUP);
  // The document's load, which follows, reads the logs from the folder these name.
  if (CDLLDocument* doc = GetDocument()) doc->LoadPrefs();
  return 0;
}

void CDLLDocumentView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  ResizeParentToFit(FALSE);
  m_bUnlocked = true;
  m_nReportMessage = RegisterReportRequestMessage();
}

void CDLLDocumentView::OnReports() { RequestReport(m_nReportMessage); }

void CDLLDocumentView::OnUpdateReports(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bUnlocked); }

#pragma once

#include "framework/windows/CWnd.h"

class CDocument;

// A window that shows a document. Views are made by their frame from a run-time class
// record and delete themselves when their window is destroyed. Commands reach the view
// first, then its document (when the document class is also a CCmdTarget).
class CView : public CWnd {
 public:
  static const CRuntimeClass classCView;
  const CRuntimeClass* GetRuntimeClass() const override;

  CDocument* GetDocument() const { return m_pDocument; }

  // Called once before the view is first shown; the base calls OnUpdate.
  virtual void OnInitialUpdate();
  // Called by UpdateAllViews; the base repaints.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  const MessageMap* GetMessageMap() const override;
  void PostNcDestroy() override;

  // WM_CREATE: joins the document named by the creation context.
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  // WM_DESTROY: leaves the document (the last view closes it).
  void OnDestroy();

  CDocument* m_pDocument = nullptr;

 private:
  LRESULT HandleInitialUpdate(WPARAM wParam, LPARAM lParam);
};

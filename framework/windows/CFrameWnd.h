#pragma once

#include "framework/windows/CWnd.h"

class CDocument;
class CView;
class QVBoxLayout;

// A frame window: holds a view that fills its client area, and routes commands from
// the view (then its document) to itself and then to the application. Frames are made
// on the heap (usually from a run-time class record) and delete themselves when their
// window is destroyed.
class CFrameWnd : public CWnd {
 public:
  static const CRuntimeClass classCFrameWnd;
  const CRuntimeClass* GetRuntimeClass() const override;

  // Creates the window with its menu and icon from resource `nIDResource` and, when
  // the context names a view class, its view.
  virtual BOOL LoadFrame(UINT nIDResource,
                         DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pView) { m_pViewActive = pView; }
  CDocument* GetActiveDocument() const;

  // Shows the frame; -1 means the normal way.
  virtual void ActivateFrame(int nCmdShow = -1);
  // Sends every view its initial update, then shows the frame when asked to.
  virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  virtual void OnUpdateFrameTitle();
  // Gives the client area `size`; a maximised frame keeps it for when it is restored
  // (a top-level frame here leaves that to the window system).
  virtual void SizeClientTo(CSize size);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // The active view (and its document), then the frame's own map.
  BOOL RouteCmdToViewAndSelf(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  UINT GetResourceId() const { return m_nIDResource; }

 protected:
  const MessageMap* GetMessageMap() const override;
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;
  void PostNcDestroy() override;

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnClose();
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // Where a view's widget goes.
  virtual void AddPane(QWidget* pane);
  static BOOL RouteToApplication(UINT nID, int nCode, void* pExtra,
                                 AFX_CMDHANDLERINFO* pHandlerInfo);

  UINT m_nIDResource = 0;
  CView* m_pViewActive = nullptr;
};

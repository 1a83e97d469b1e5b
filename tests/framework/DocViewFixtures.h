#pragma once

#include "framework/CCmdUI.h"
#include "framework/CFormView.h"
#include "framework/CMDIChildWnd.h"
#include "framework/CMDIFrameWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"
#include "framework/core/Document.h"
#include "tests/framework/FrameworkTestSupport.h"

// A document, child frame and form view that write what happens to them into one
// journal, plus the resources (id 600) they are made with.
namespace fixtures {

constexpr UINT kTemplateId = 600;
constexpr UINT kViewCommand = 32771;
constexpr UINT kDocCommand = 40002;
constexpr UINT kFrameCommand = 40001;
constexpr UINT kHostFrameCommand = 32802;
constexpr UINT kAppCommand = 32803;
constexpr UINT kSharedCommand = 40010;   // handled by every level
constexpr UINT kNobodysCommand = 32779;  // handled by no one

Journal& Events();
const ResourceTable& Resources();

// Switches for the next objects made.
struct Switches {
  bool failNewDocument = false;
  bool unlocked = true;
};
Switches& Settings();

class OrderDoc : public CCmdTarget, public CDocument {
 public:
  static const CRuntimeClass classOrderDoc;
  static CObject* Create();
  const CRuntimeClass* GetRuntimeClass() const override { return &classOrderDoc; }

  OrderDoc();
  ~OrderDoc() override;
  bool OnNewDocument() override;
  void OnDocCommand() { Events().Add("doc:command"); }
  void OnShared() { Events().Add("doc:shared"); }
  static int alive;

 protected:
  const MessageMap* GetMessageMap() const override;
};

class OrderFrame : public CMDIChildWnd {
  TM_DECLARE_DYNCREATE(OrderFrame)
 public:
  int OnCreate(LPCREATESTRUCT cs);
  void OnFrameCommand() { Events().Add("frame:command"); }
  void OnShared() { Events().Add("frame:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override;
};

class OrderView : public CFormView {
  TM_DECLARE_DYNCREATE(OrderView)
 public:
  OrderView() : CFormView(kTemplateId) {}
  int OnCreate(LPCREATESTRUCT cs);
  void OnInitialUpdate() override;
  void OnViewCommand() { Events().Add("view:command"); }
  void OnUpdateViewCommand(CCmdUI* ui) { ui->Enable(Settings().unlocked); }
  void OnShared() { Events().Add("view:shared"); }
  void OnButton() { Events().Add("view:button"); }

 protected:
  const MessageMap* GetMessageMap() const override;
};

class HostFrame : public CMDIFrameWnd {
 public:
  void OnHostCommand() { Events().Add("host:command"); }
  void OnShared() { Events().Add("host:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override;
};

class HostApp : public CWinApp {
 public:
  HostApp() : CWinApp("Host") {}
  void OnAppCommand() { Events().Add("app:command"); }
  void OnShared() { Events().Add("app:shared"); }

 protected:
  const MessageMap* GetMessageMap() const override;
};

inline CMultiDocTemplate* NewTemplate() {
  return new CMultiDocTemplate(kTemplateId, &OrderDoc::classOrderDoc, &OrderFrame::classOrderFrame,
                               &OrderView::classOrderView);
}

}  // namespace fixtures

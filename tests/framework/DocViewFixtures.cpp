#include "tests/framework/DocViewFixtures.h"

#include "framework/CCmdUI.h"

namespace fixtures {

Journal& Events() {
  static Journal journal;
  return journal;
}

Switches& Settings() {
  static Switches switches;
  return switches;
}

const ResourceTable& Resources() {
  static const ResourceTable table{
      .strings = {{kTemplateId, "\nOrder\nOrder\n\n\nOrder.Document\nOrder Document"}},
      .menus = {{kTemplateId,
                 {MenuItem::Popup("&File", {{"&Hide", kHostFrameCommand},
                                            MenuItem::Separator(),
                                            {"E&xit", kAppCommand}}),
                  MenuItem::Popup("Configure", {{"Settings...", kViewCommand},
                                                {"Predefined Groups/Folders", kNobodysCommand},
                                                {"Document", kDocCommand}})}},
                {601, {MenuItem::Popup("&Host", {{"E&xit", kAppCommand}})}}},
      .dialogs = {MakeDialog(
          kTemplateId, "", 200, 100, WS_CHILD,
          {{"BUTTON", "Go", 2013, 5, 5, 40, 14, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON}})},
      .images = {},
  };
  return table;
}

// OrderDoc derives from two CObject roots, so its creator picks the document one. The
// command target comes first, so that member calls through its map need no adjustment.
const CRuntimeClass OrderDoc::classOrderDoc{"OrderDoc", &CDocument::classCDocument,
                                            &OrderDoc::Create};
int OrderDoc::alive = 0;

CObject* OrderDoc::Create() { return static_cast<CDocument*>(new OrderDoc); }

OrderDoc::OrderDoc() {
  ++alive;
  Events().Add("doc:create");
}

OrderDoc::~OrderDoc() {
  --alive;
  Events().Add("doc:delete");
}

bool OrderDoc::OnNewDocument() {
  Events().Add("doc:new");
  if (!CDocument::OnNewDocument()) return false;
  return !Settings().failNewDocument;
}

const MessageMap* OrderDoc::GetMessageMap() const {
  static const MessageMap map{CCmdTarget::GetMessageMap(),
                              {msg::Command(kDocCommand, &OrderDoc::OnDocCommand),
                               msg::Command(kSharedCommand, &OrderDoc::OnShared)}};
  return &map;
}

TM_IMPLEMENT_DYNCREATE(OrderFrame, CMDIChildWnd)

int OrderFrame::OnCreate(LPCREATESTRUCT cs) {
  Events().Add("frame:create");
  return CMDIChildWnd::OnCreate(cs);
}

const MessageMap* OrderFrame::GetMessageMap() const {
  static const MessageMap map{
      CMDIChildWnd::GetMessageMap(),
      {msg::Create(&OrderFrame::OnCreate), msg::Command(kFrameCommand, &OrderFrame::OnFrameCommand),
       msg::Command(kSharedCommand, &OrderFrame::OnShared)}};
  return &map;
}

TM_IMPLEMENT_DYNCREATE(OrderView, CFormView)

int OrderView::OnCreate(LPCREATESTRUCT cs) {
  if (CFormView::OnCreate(cs) == -1) return -1;
  Events().Add(GetDocument() != nullptr ? "view:create" : "view:create without document");
  return 0;
}

void OrderView::OnInitialUpdate() {
  Events().Add("view:initial");
  CFormView::OnInitialUpdate();
}

const MessageMap* OrderView::GetMessageMap() const {
  static const MessageMap map{
      CFormView::GetMessageMap(),
      {msg::Create(&OrderView::OnCreate), msg::Command(kViewCommand, &OrderView::OnViewCommand),
       msg::UpdateCommandUI(kViewCommand, &OrderView::OnUpdateViewCommand),
       msg::Command(kSharedCommand, &OrderView::OnShared),
       msg::Control(BN_CLICKED, 2013, &OrderView::OnButton)}};
  return &map;
}

const MessageMap* HostFrame::GetMessageMap() const {
  static const MessageMap map{CMDIFrameWnd::GetMessageMap(),
                              {msg::Command(kHostFrameCommand, &HostFrame::OnHostCommand),
                               msg::Command(kSharedCommand, &HostFrame::OnShared)}};
  return &map;
}

const MessageMap* HostApp::GetMessageMap() const {
  static const MessageMap map{CWinApp::GetMessageMap(),
                              {msg::Command(kAppCommand, &HostApp::OnAppCommand),
                               msg::Command(kSharedCommand, &HostApp::OnShared)}};
  return &map;
}

}  // namespace fixtures

// A small module for the host's tests: a shared library built from framework classes
// that exports DLLDocTemplate the way the real module does, with a form of its own and
// a shared menu of the same command ids. It lets the host's loading and routing be
// tested apart from the real module.
#include "framework/app/CMultiDocTemplate.h"
#include "framework/app/CWinApp.h"
#include "framework/app/ModuleState.h"
#include "framework/core/Document.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CFormView.h"
#include "framework/windows/CMDIChildWnd.h"

namespace {

constexpr UINT kTemplateId = 129;
constexpr UINT kFormId = 101;
constexpr UINT kStandinViewCommand = 32771;

const ResourceTable kTable{
    .strings = {{kTemplateId, "\nStandin\nStandin\n\n\nStandin.Document\nStandin Document"}},
    .menus = {{kTemplateId,
               {MenuItem::Popup("&File",
                                {{"&Hide", 32802}, MenuItem::Separator(), {"E&xit", 32803}}),
                MenuItem::Popup("Configure", {{"Settings...", kStandinViewCommand}}),
                MenuItem::Popup(
                    "&Help", {{"Content...", 32783}, MenuItem::Separator(), {"&About", 57664}})}}},
    .dialogs = {{kFormId,
                 "",
                 0,
                 0,
                 200,
                 120,
                 WS_CHILD,
                 "MS Sans Serif",
                 8,
                 {{"STATIC", "Stand-in form", 2001, 10, 10, 120, 10, WS_CHILD | WS_VISIBLE},
                  {"BUTTON", "Refresh", 2002, 10, 30, 50, 14,
                   WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON}}}},
    .images = {},
};
const ModuleResources kRegistration(kTable);

class CStandinApp : public CWinApp {
 public:
  CStandinApp() : CWinApp("Standin") {}
};
CStandinApp theApp;

class CStandinDoc : public CDocument {
  TM_DECLARE_DYNCREATE(CStandinDoc)
};
TM_IMPLEMENT_DYNCREATE(CStandinDoc, CDocument)

class CStandinFrame : public CMDIChildWnd {
  TM_DECLARE_DYNCREATE(CStandinFrame)
 public:
  void ActivateFrame(int) override { CMDIChildWnd::ActivateFrame(SW_SHOWMAXIMIZED); }
};
TM_IMPLEMENT_DYNCREATE(CStandinFrame, CMDIChildWnd)

class CStandinView : public CFormView {
  TM_DECLARE_DYNCREATE(CStandinView)
 public:
  CStandinView() : CFormView(kFormId) {}
  void OnSettings() { SetDlgItemText(2001, "Settings chosen"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CFormView::GetMessageMap(),
                                {msg::Command(kStandinViewCommand, &CStandinView::OnSettings)}};
    return &map;
  }
};
TM_IMPLEMENT_DYNCREATE(CStandinView, CFormView)

// Puts the library's resources in force while the framework builds from them.
class CStandinTemplate : public CMultiDocTemplate {
 public:
  CStandinTemplate(HINSTANCE resources)
      : CMultiDocTemplate(kTemplateId, &CStandinDoc::classCStandinDoc,
                          &CStandinFrame::classCStandinFrame, &CStandinView::classCStandinView),
        m_resources(resources) {}
  void LoadTemplate() override {
    AfxResourceHandleGuard guard(m_resources);
    CMultiDocTemplate::LoadTemplate();
  }
  CDocument* OpenDocumentFile(const char* path, BOOL visible) override {
    AfxResourceHandleGuard guard(m_resources);
    return CMultiDocTemplate::OpenDocumentFile(path, visible);
  }

 private:
  HINSTANCE m_resources;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) CMultiDocTemplate* DLLDocTemplate() {
  AfxModuleStateGuard state(AfxGetStaticModuleState());
  return new CStandinTemplate(theApp.m_hInstance);
}

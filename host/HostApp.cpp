#include "host/HostApp.h"

#include "framework/app/CMultiDocTemplate.h"
#include "framework/core/Paths.h"
#include "framework/dialogbase/MessageBox.h"
#include "host/FirstStart.h"
#include "host/HostCommands.h"
#include "host/HostLinks.h"
#include "host/HostMessages.h"
#include "host/HostResources.h"
#include "host/MainFrame.h"

const MessageMap* CTaskMeterApp::GetMessageMap() const {
  static const MessageMap map{CWinApp::GetMessageMap(),
                              {
                                  msg::Command(host_cmd::kAbout, &CTaskMeterApp::OnAppAbout),
                                  msg::Command(host_cmd::kExit, &CTaskMeterApp::OnAppExit),
                              }};
  return &map;
}

CTaskMeterApp::CTaskMeterApp() : CWinApp("TaskMeter") {
  RegisterHostResources();
  RegisterHostMessages();
}

CTaskMeterApp::~CTaskMeterApp() {
  // The window goes first; the templates (and their documents) go with the base.
  if (m_pMainWnd != nullptr) m_pMainWnd->DestroyWindow();
}

CMainFrame* CTaskMeterApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

bool CTaskMeterApp::Start(const HostStartOptions& options, std::string& error) {
  // Before the module comes in: it expects the options folder to be there.
  m_createdOptions = false;
  switch (PrepareOptionsFolder(GetOptionsFolder(), error, ShippedCataloguePath())) {
    case FirstStartResult::Created:
      m_createdOptions = true;
      break;
    case FirstStartResult::Failed:
      return false;
    case FirstStartResult::AlreadySetUp:
      break;
  }
  auto* frame = new CMainFrame;
  if (!frame->Create()) {
    error = "cannot create the main window";
    return false;  // a failed creation has deleted the frame
  }
  m_pMainWnd = frame;
  if (!OpenModuleDocument(options.modulePath.empty() ? DefaultModulePath() : options.modulePath,
                          error)) {
    return false;
  }
  if (options.record) frame->StartRecording(options.recorder);
  return true;
}

bool CTaskMeterApp::OpenModuleDocument(const std::string& path, std::string& error) {
  if (!m_module.Load(path)) {
    error = m_module.Error();
    return false;
  }
  m_template = m_module.CreateTemplate();
  if (m_template == nullptr) {
    error = path + ": the module made no document template";
    return false;
  }
  AddDocTemplate(m_template);
  m_document = m_template->OpenDocumentFile(nullptr);
  if (m_document == nullptr) {
    error = path + ": the module could not open its document";
    return false;
  }
  return true;
}

BOOL CTaskMeterApp::OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == g_nPreferencesChangedMsg) {
    if (CMainFrame* frame = GetMainFrame()) frame->ReloadPreferences();
    return TRUE;
  }
  return CWinApp::OnThreadMessage(message, wParam, lParam);
}

void CTaskMeterApp::OnAppAbout() {
  AfxShowMessageBox(m_pMainWnd, AboutText().c_str(), "About TaskMeter", MB_OK | MB_ICONINFORMATION);
}

void CTaskMeterApp::OnAppExit() {
  if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

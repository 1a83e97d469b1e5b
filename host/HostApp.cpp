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

Status CTaskMeterApp::Start(const HostStartOptions& options) {
  // Before the module comes in: it expects the options folder to be there.
  m_createdOptions = false;
  const auto prepared =
      PrepareOptionsFolder(ResolveHomeFolders(options.home).options, ShippedCataloguePath());
  if (!prepared) return prepared.GetStatus();
  m_createdOptions = *prepared == FirstStartResult::Created;
  auto* frame = new CMainFrame(options.home);
  if (!frame->Create()) {
    // A failed creation has deleted the frame.
    return Status::Failure(ErrorCode::CannotCreate, "cannot create the main window");
  }
  m_pMainWnd = frame;
  const Status opened =
      OpenModuleDocument(options.modulePath.empty() ? DefaultModulePath() : options.modulePath);
  if (opened && options.record) frame->StartRecording(options.recorder);
  return opened;
}

Status CTaskMeterApp::OpenModuleDocument(const std::string& path) {
  if (!m_module.Load(path)) return Status::Failure(ErrorCode::Unavailable, m_module.Error());
  m_template = m_module.CreateTemplate();
  if (m_template == nullptr) {
    return Status::Failure(ErrorCode::Unavailable, path + ": the module made no document template");
  }
  AddDocTemplate(m_template);
  m_document = m_template->OpenDocumentFile(nullptr);
  if (m_document == nullptr) {
    return Status::Failure(ErrorCode::Unavailable,
                           path + ": the module could not open its document");
  }
  return {};
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

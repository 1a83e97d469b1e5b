#include "framework/app/CWinApp.h"

#include <QApplication>

#include "framework/app/CDocTemplate.h"
#include "framework/app/ThreadQueue.h"

namespace {
thread_local CWinApp* t_threadApp = nullptr;
}

const CRuntimeClass CWinApp::classCWinApp{"CWinApp", &CCmdTarget::classCCmdTarget, nullptr};
const CRuntimeClass* CWinApp::GetRuntimeClass() const { return &classCWinApp; }

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName ? lpszAppName : "") {
  // A static application object lies inside its own library; one on the stack or the
  // heap belongs to whichever module state is current.
  const HINSTANCE home = AfxModuleHandleOf(this);
  m_pModuleState = home != nullptr ? AfxModuleStateOf(home) : AfxGetModuleState();
  m_pModuleState->m_pCurrentWinApp = this;
  m_hInstance = m_pModuleState->m_hCurrentInstanceHandle;
  if (!m_pModuleState->m_bDLL && t_threadApp == nullptr) t_threadApp = this;
}

CWinApp::~CWinApp() {
  if (m_pModuleState->m_pCurrentWinApp == this) m_pModuleState->m_pCurrentWinApp = nullptr;
  if (t_threadApp == this) t_threadApp = nullptr;
}

int CWinApp::Run() {
  const int code = QApplication::exec();
  ExitInstance();
  return code;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate == nullptr) return;
  m_templates.emplace_back(pTemplate);
  pTemplate->LoadTemplate();
}

BOOL CWinApp::OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchMapMessage(message, wParam, lParam, nullptr) ? TRUE : FALSE;
}

BOOL CWinApp::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return AfxPostThreadMessage(message, wParam, lParam);
}

CWinApp* AfxGetApp() {
  CWinApp* app = AfxGetModuleState()->m_pCurrentWinApp;
  return app != nullptr ? app : t_threadApp;
}

CWinApp* AfxGetThread() { return t_threadApp; }

CWnd* AfxGetMainWnd() {
  CWinApp* app = AfxGetThread();
  return app != nullptr ? app->m_pMainWnd : nullptr;
}

const char* AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->m_pszAppName.c_str() : "";
}

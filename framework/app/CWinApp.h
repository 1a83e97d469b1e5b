#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/app/ModuleState.h"
#include "framework/messages/CCmdTarget.h"

class CDocTemplate;
class CWnd;

// The application object of one module: the executable has one, and every library
// that holds windows and resources has its own. It registers itself with the module
// state of the shared object it lives in. The executable's application also runs the
// user-interface thread: it has the main window and takes the thread's own messages.
class CWinApp : public CCmdTarget {
 public:
  static const CRuntimeClass classCWinApp;
  const CRuntimeClass* GetRuntimeClass() const override;

  explicit CWinApp(const char* lpszAppName = nullptr);
  ~CWinApp() override;

  std::string m_pszAppName;
  HINSTANCE m_hInstance = nullptr;
  AFX_MODULE_STATE* m_pModuleState = nullptr;
  CWnd* m_pMainWnd = nullptr;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }
  // Runs the event loop until the application quits.
  virtual int Run();

  // Takes ownership of the template and loads its resources.
  void AddDocTemplate(CDocTemplate* pTemplate);
  const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }

  // A message posted to the thread's own queue (no window). The default looks it up in
  // the application's message map.
  virtual BOOL OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};

// The application of the current module state (else the thread's).
CWinApp* AfxGetApp();
// The application that runs the calling thread: the executable's.
CWinApp* AfxGetThread();
// The thread application's main window: the host's main frame.
CWnd* AfxGetMainWnd();
const char* AfxGetAppName();

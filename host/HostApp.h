#pragma once

#include <optional>
#include <string>

#include "framework/app/CWinApp.h"
#include "host/ModuleLibrary.h"
#include "host/RecorderChoice.h"

class CDocument;
class CMainFrame;
class CMultiDocTemplate;

struct HostStartOptions {
  std::string modulePath;               // empty: DefaultModulePath()
  bool record = false;                  // record the user's activity once the document is open
  std::optional<DesktopKind> recorder;  // the desktop to follow; nullopt: this session's
};

// The host's application: sets up the options folder on the first start, makes the main
// window, loads the module, takes its template and opens the one document. It answers
// About and Exit, and the preferences-changed message where it arrives in the thread's
// own queue.
class CTaskMeterApp : public CWinApp {
 public:
  CTaskMeterApp();
  ~CTaskMeterApp() override;

  // False with `error` set when the main window cannot be made, the module cannot be
  // loaded or gives no template, or the document cannot be opened. The main window
  // stays up in every case after it was made, so the user sees what happened.
  bool Start(const HostStartOptions& options, std::string& error);

  CMainFrame* GetMainFrame() const;
  CMultiDocTemplate* GetModuleTemplate() const { return m_template; }
  CDocument* GetDocument() const { return m_document; }
  const ModuleLibrary& GetModule() const { return m_module; }
  // Whether this start created the options folder.
  bool CreatedOptions() const { return m_createdOptions; }

  BOOL OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  void OnAppAbout();
  void OnAppExit();
  bool OpenModuleDocument(const std::string& path, std::string& error);

  ModuleLibrary m_module;
  CMultiDocTemplate* m_template = nullptr;
  CDocument* m_document = nullptr;
  bool m_createdOptions = false;
};

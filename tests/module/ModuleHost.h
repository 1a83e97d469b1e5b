#pragma once

#include <filesystem>
#include <string>

#include "framework/CMDIFrameWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "tests/accounting/AccountingTestSupport.h"

class QMenu;

// The module library as the host sees it: loaded once with dlopen (never linked), its
// only entry point looked up by name. It stays loaded for the rest of the run, as it does
// in the host.
struct LoadedModule {
  void* library = nullptr;
  CMultiDocTemplate* (*entry)() = nullptr;
  HINSTANCE instance = nullptr;  // the library's load address
  std::string error;
};
const LoadedModule& TheModule();

// A stand-in for the host: the executable's application with an MDI main frame that
// counts the two registered messages and takes "&Hide" as the host does.
class StandInApp : public CWinApp {
 public:
  StandInApp() : CWinApp("TaskMeter host") {}
  int threadPrefsChanged = 0;
  LRESULT OnPrefsChanged(WPARAM, LPARAM) {
    ++threadPrefsChanged;
    return 0;
  }

 protected:
  const MessageMap* GetMessageMap() const override;
};

class StandInMainFrame : public CMDIFrameWnd {
 public:
  int prefsChanged = 0;
  int reportRequests = 0;
  int hideCommands = 0;
  LRESULT OnPrefsChanged(WPARAM, LPARAM) {
    ++prefsChanged;
    return 0;
  }
  LRESULT OnReportRequest(WPARAM, LPARAM) {
    ++reportRequests;
    return 0;
  }
  void OnHide() { ++hideCommands; }

 protected:
  const MessageMap* GetMessageMap() const override;
};

// A top-level window that only counts the preferences-changed message.
class BystanderWnd : public CWnd {
 public:
  int prefsChanged = 0;
  BOOL CreateTopLevel();
  LRESULT OnPrefsChanged(WPARAM, LPARAM) {
    ++prefsChanged;
    return 0;
  }

 protected:
  const MessageMap* GetMessageMap() const override;
};

// A host run in the test main's home folder (TASKMETER_HOME): its options folder and a
// data folder are made fresh for each test and removed afterwards. The clock is fixed at
// noon on 15 July 2026.
class HostFixture {
 public:
  HostFixture();
  ~HostFixture();
  HostFixture(const HostFixture&) = delete;
  HostFixture& operator=(const HostFixture&) = delete;

  // The template from DLLDocTemplate, added to the application (which owns it).
  CMultiDocTemplate* AddModuleTemplate();
  // A new unnamed document of `tmpl`.
  CDocument* OpenDocument(CMultiDocTemplate* tmpl);
  static CView* ViewOf(CDocument* doc);

  // Preferences naming `dbPath` as the data folder, and an empty tree file so that the
  // very first load scans the logs.
  void WriteOptions(const std::filesystem::path& dbPath);
  // A log of `blocks` one-minute blocks of `app` on 15 July in `folder`.
  static void WriteLog(const std::filesystem::path& folder, const std::string& app, int blocks);

  QMenu* MenuBarPopup(const char* title) const;
  static bool ItemEnabled(QMenu* menu, UINT id);

  const std::filesystem::path& Home() const { return m_home; }
  std::filesystem::path Data() const { return m_home / "db"; }

  StandInApp app;
  StandInMainFrame* mainFrame = nullptr;

 private:
  void RemoveHomeContents();

  FixedClockGuard m_clock{LocalTime(2026, 7, 15, 12, 0, 0)};
  std::filesystem::path m_home;
  std::string m_oldCwd;
};

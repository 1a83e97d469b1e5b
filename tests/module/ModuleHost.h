#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/app/CMultiDocTemplate.h"
#include "framework/app/CWinApp.h"
#include "framework/windows/CMDIFrameWnd.h"
#include "framework/windows/CView.h"
#include "tests/accounting/AccountingTestSupport.h"

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

// A stand-in for the host's MDI main frame: counts the preferences-changed messages and
// takes "&Hide" and "Content..." as the host does.
class StandInMainFrame : public CMDIFrameWnd {
 public:
  int prefsChanged = 0, hideCommands = 0, helpContents = 0;
  LRESULT OnPrefsChanged(WPARAM, LPARAM) { return ++prefsChanged, 0; }
  void OnHide() { ++hideCommands; }
  void OnHelpContent() { ++helpContents; }

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
  // A new unnamed document of a freshly added template.
  CDocument* OpenModuleDocument();
  static CView* ViewOf(CDocument* doc);

  // Preferences naming `dbPath` as the data folder, and an empty tree file so that the
  // very first load scans the logs.
  void WriteOptions(const std::filesystem::path& dbPath);
  // A log of three one-minute blocks of `app` on 15 July in `folder`.
  static void WriteLog(const std::filesystem::path& folder, const std::string& app);

  const std::filesystem::path& Home() const { return m_home; }
  std::filesystem::path Data() const { return m_home / "db"; }

  CWinApp app{"TaskMeter host"};
  StandInMainFrame* mainFrame = nullptr;

 private:
  void RemoveHomeContents();

  FixedClockGuard m_clock{LocalTime(2026, 7, 15, 12, 0, 0)};
  std::filesystem::path m_home;
  std::string m_oldCwd;
};

// The host with the module's document open, as the host opens it at start.
class OpenModuleTest : public testing::Test {
 protected:
  void SetUp() override;

  HostFixture host;
  CDocument* doc = nullptr;
  CView* view = nullptr;
};

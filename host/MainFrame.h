#pragma once

#include <memory>
#include <optional>
#include <string>

#include "framework/windows/CMDIFrameWnd.h"
#include "host/RecorderChoice.h"
#include "storage/MainPrefs.h"

class CTrayIcon;
class QLabel;
class RecorderService;

// The host's main window: the MDI frame in which the module's document frame opens,
// the tray icon, and the answers to the module's two messages and to the menu commands
// the module leaves to the host.
class CMainFrame : public CMDIFrameWnd {
  // The generic window's Create stays out of reach: the main window has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCMainFrame;
  const CRuntimeClass* GetRuntimeClass() const override;

  CMainFrame();
  ~CMainFrame() override;

  // Makes the window with the host's own menu and puts the tray icon up.
  BOOL Create();

  // Reads "options/mainpref.ini" again and applies what the host acts on; a missing
  // file keeps the preferences in force.
  void ReloadPreferences();
  const MainPrefs& GetPrefs() const { return m_prefs; }
  CTrayIcon& GetTrayIcon() { return *m_tray; }

  // Starts recording the user's activity on the desktop of the session (or the kind
  // `forced`) into the data folder of the preferences; the status bar says what the
  // recorder does.
  void StartRecording(std::optional<DesktopKind> forced = std::nullopt);
  RecorderService& GetRecorder() { return *m_recorder; }
  // The status bar's text about recording.
  std::string RecordingStatus() const;

  // Brings the window back from the tray or from being minimised.
  void RestoreFromTray();

  // The page of the last report made; empty before.
  const std::string& GetLastReportPath() const { return m_lastReport; }

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  void OnHide();
  void OnHelpContent();
  void OnWebPage(UINT id);
  void OnFeedback(UINT id);
  LRESULT OnPreferencesChanged(WPARAM, LPARAM);
  LRESULT OnReportRequest(WPARAM, LPARAM);
  // Tells the user when nothing could be started to open `target`.
  void Open(const std::string& target);
  void ShowRecorderStatus();

  std::unique_ptr<CTrayIcon> m_tray;
  std::unique_ptr<RecorderService> m_recorder;
  QLabel* m_status = nullptr;  // owned by the window's status bar
  MainPrefs m_prefs;
  std::string m_lastReport;
};

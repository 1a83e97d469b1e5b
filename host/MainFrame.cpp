#include "host/MainFrame.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QWidget>

#include "framework/app/CWinApp.h"
#include "framework/app/SystemServices.h"
#include "framework/core/Clock.h"
#include "framework/core/Paths.h"
#include "framework/dialogbase/MessageBox.h"
#include "host/HostCommands.h"
#include "host/HostLinks.h"
#include "host/HostMessages.h"
#include "host/RecorderChoice.h"
#include "host/ReportMaker.h"
#include "host/TrayIcon.h"
#include "recorder/RecorderService.h"

namespace {

// Whether the desktop's handler took `target` (the shell's codes up to 32 are failures).
bool ShellOpen(HWND window, const std::string& target) {
  constexpr HINSTANCE_RESULT kLastFailureCode = 32;
  return ShellExecute(window, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL) >
         kLastFailureCode;
}

}  // namespace

const CRuntimeClass CMainFrame::classCMainFrame{"CMainFrame", &CMDIFrameWnd::classCMDIFrameWnd,
                                                nullptr};
const CRuntimeClass* CMainFrame::GetRuntimeClass() const { return &classCMainFrame; }

const MessageMap* CMainFrame::GetMessageMap() const {
  static const MessageMap map{
      CMDIFrameWnd::GetMessageMap(),
      {
          msg::Registered(&g_nPreferencesChangedMsg, &CMainFrame::OnPreferencesChanged),
          msg::Registered(&g_nReportRequestMsg, &CMainFrame::OnReportRequest),
          msg::Command(host_cmd::kHide, &CMainFrame::OnHide),
          msg::Command(host_cmd::kHelpContent, &CMainFrame::OnHelpContent),
          msg::CommandRange(host_cmd::kHomePage, host_cmd::kSeeUpdates, &CMainFrame::OnWebPage),
          msg::CommandRange(host_cmd::kBugReport, host_cmd::kSuggestions, &CMainFrame::OnFeedback),
      }};
  return &map;
}

CMainFrame::CMainFrame()
    : m_tray(std::make_unique<CTrayIcon>([this] { RestoreFromTray(); },
                                         [this] { SendMessage(WM_CLOSE); })),
      m_recorder(std::make_unique<RecorderService>()) {
  m_recorder->SetStatusListener([this] { ShowRecorderStatus(); });
}

// The recorder stops first: its "Stop" block is the last thing the host writes. The
// window (and its status bar) may already be gone, so nobody is told.
CMainFrame::~CMainFrame() {
  m_recorder->SetStatusListener(nullptr);
  m_recorder->Stop();
}

BOOL CMainFrame::Create() {
  if (!LoadFrame(host_cmd::kMainFrameResource)) return FALSE;
  GetSafeHwnd()->setWindowTitle("TaskMeter");
  GetSafeHwnd()->setWindowIcon(CTrayIcon::FrameIcon(0));
  if (auto* window = qobject_cast<QMainWindow*>(GetSafeHwnd())) {
    m_status = new QLabel(window->statusBar());
    window->statusBar()->addWidget(m_status, 1);
  }
  ReloadPreferences();
  m_tray->Show();
  return TRUE;
}

void CMainFrame::ReloadPreferences() {
  MainPrefs prefs = m_prefs;
  if (!ReadMainPrefs(GetMainPrefsPath(), prefs)) return;
  m_prefs = prefs;
  m_recorder->Apply(RecorderSettingsFrom(m_prefs, GetExecutableDirectory()));
  ShowRecorderStatus();
}

void CMainFrame::StartRecording(std::optional<DesktopKind> forced) {
  ChosenDesktop desktop = ChooseDesktop(forced, KWinScriptPath());
  m_recorder->Start(std::move(desktop.watch), desktop.why,
                    RecorderSettingsFrom(m_prefs, GetExecutableDirectory()),
                    DesktopKindLabel(desktop.kind));
  ShowRecorderStatus();
}

std::string CMainFrame::RecordingStatus() const {
  return m_status != nullptr ? m_status->text().toStdString() : std::string();
}

void CMainFrame::ShowRecorderStatus() {
  // The hand turns only while time is being counted.
  m_tray->SetAnimated(m_prefs.bAnimatedIconInSysTray &&
                      m_recorder->State() == RecorderState::Recording);
  if (m_status != nullptr) m_status->setText(QString::fromStdString(m_recorder->StatusText()));
}

void CMainFrame::RestoreFromTray() {
  QWidget* window = GetSafeHwnd();
  if (window == nullptr) return;
  // Back as it was before, maximised included; only the minimised state is dropped.
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

void CMainFrame::OnHide() {
  // Without a tray a hidden window could not be brought back: minimise it instead.
  if (CTrayIcon::Available()) {
    m_tray->Show();
    ShowWindow(SW_HIDE);
  } else {
    ShowWindow(SW_MINIMIZE);
  }
}

void CMainFrame::OnHelpContent() {
  Open(HelpTarget(GetExecutableDirectory(), GetExecutableDirectory() + "help/"));
}

void CMainFrame::OnWebPage(UINT id) { Open(WebTarget(id, GetExecutableDirectory() + "help/")); }

void CMainFrame::OnFeedback(UINT id) { Open(FeedbackTarget(id)); }

LRESULT CMainFrame::OnPreferencesChanged(WPARAM, LPARAM) {
  ReloadPreferences();
  return 0;
}

LRESULT CMainFrame::OnReportRequest(WPARAM, LPARAM) {
  std::string error;
  const auto path = WriteHtmlReport(DefaultReportFolder(), ClockNow(), error);
  if (!path) {
    AfxShowMessageBox(this, ("The report could not be written: " + error).c_str(), "TaskMeter",
                      MB_OK | MB_ICONWARNING);
    return 0;
  }
  m_lastReport = *path;
  if (!ShellOpen(GetSafeHwnd(), *path)) {
    AfxShowMessageBox(
        this,
        ("No browser could be started to show the report. It was written to " + *path).c_str(),
        "TaskMeter", MB_OK | MB_ICONINFORMATION);
  }
  return 0;
}

void CMainFrame::Open(const std::string& target) {
  if (target.empty() || ShellOpen(GetSafeHwnd(), target)) return;
  const bool mail = target.rfind("mailto:", 0) == 0;
  const std::string text = std::string("No ") + (mail ? "mail program" : "browser") +
                           " could be started to open " + target;
  AfxShowMessageBox(this, text.c_str(), "TaskMeter", MB_OK | MB_ICONINFORMATION);
}

#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "recorder/ActivityLogFolder.h"
#include "recorder/ActivityRecorder.h"
#include "recorder/ApplicationNamer.h"
#include "recorder/ClockWatch.h"
#include "recorder/DesktopWatch.h"
#include "recorder/RecorderSettings.h"

class QSocketNotifier;
class QTimer;

enum class RecorderState {
  Off,  // not started, or stopped
  Recording,
  Paused,      // for lack of input or while the screen saver runs
  NoDesktop,   // the window in front cannot be known here
  Busy,        // another host records into the data folder; taken over when it frees
  Unwritable,  // the data folder cannot be written
};

// Records the user's activity into the data folder while the host runs: the desktop's
// reports arrive on its socket, and a timer closes the running interval at local
// midnight and at each checkpoint. Every instant comes from the process clock
// (ClockNow), held against the steady clocks (SteadyNow) so that a clock set or a
// machine asleep is seen; tests can move all of them.
class RecorderService : public QObject, private DesktopListener {
 public:
  RecorderService();
  ~RecorderService() override;  // stops first

  // Follows `desktop` (nullptr: none could be opened, `why` says why), named
  // `desktopName` in the status ("KDE Plasma"), and records into the data folder of
  // `settings`.
  void Start(std::unique_ptr<DesktopWatch> desktop, const std::string& why,
             const RecorderSettings& settings, std::string desktopName = {});
  // New preferences, in force at once.
  void Apply(const RecorderSettings& settings);
  // Writes "Stop"; nothing is recorded afterwards.
  void Stop();
  // What the clock timer does: closes the day when the clock has passed midnight, and
  // the running interval when it has run for the checkpoint interval.
  void CheckClock();
  // Handles what the desktop has reported so far (the socket's notifier does this).
  void Dispatch();

  RecorderState State() const { return state_; }
  // One line for the status bar.
  std::string StatusText() const;
  // Called whenever State() or StatusText() changes.
  void SetStatusListener(std::function<void()> listener) { statusListener_ = std::move(listener); }

 private:
  void ForegroundChanged() override;
  void IdleChanged(bool idle, int64_t idleMilliseconds) override;
  void ScreenSaverChanged(bool active, int64_t idleMilliseconds) override;
  void DesktopLost() override;
  void RecordNothingInFront();

  // The wall clock, after telling the recorder what happened to it since last asked.
  int64_t Now();
  // Starts recording when the folder and the desktop allow it; else says why not.
  void TryToRecord();
  bool OpenFolder(const std::string& folder);
  void BeginRecording();
  void EndRecording();
  ActivitySubject CurrentSubject();
  void UpdatePause(int64_t idleMilliseconds);
  void ArmClockTimer();
  void AfterWrite();
  void SetState(RecorderState state, std::string detail = {});

  std::unique_ptr<DesktopWatch> desktop_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<QTimer> clockTimer_;
  // Tries the folder's lock again while another host holds it.
  std::unique_ptr<QTimer> retryLock_;
  // Window managers clear the active window for a moment while they switch; "nothing in
  // front" is written only when it lasts.
  std::unique_ptr<QTimer> nothingInFront_;
  int64_t nothingSince_ = 0;
  ActivityLogFolder folder_;
  ActivityRecorder recorder_{folder_};
  ClockWatch clockWatch_;
  ApplicationNamer namer_;
  RecorderSettings settings_;
  std::string desktopName_;
  RecorderState state_ = RecorderState::Off;
  std::string detail_;  // what the status line adds to the state
  std::string reportedWriteError_;
  bool idle_ = false;
  bool screenSaver_ = false;
  std::function<void()> statusListener_;
};

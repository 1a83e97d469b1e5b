#include "recorder/RecorderService.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "framework/core/Clock.h"
#include "framework/core/Paths.h"
#include "storage/ViewOptionsFile.h"
#include "tree/TreeOps.h"

namespace {

// Checked at least this often, so that a suspended machine or a changed clock still
// finds midnight soon after.
constexpr int64_t kLongestClockWaitSeconds = 3600;
constexpr int kNothingInFrontMilliseconds = 500;
// A lock whose holder exits is free at once; a second's wait costs nothing meanwhile.
constexpr int kRetryLockMilliseconds = 1000;

ApplicationNamer MakeNamer(const std::string& path) {
  ApplicationNamer namer(DesktopEntries::Scan(DesktopEntries::StandardFolders()));
  // The applications the user's tree knows keep their display names.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return namer;
  GroupMap tree;
  if (ViewOptionsFile(path).Load(tree) != TreeFileStatus::Read) return namer;
  for (const auto& [group, entries] : tree) {
    AppList all;
    CollectEntries(entries, all);
    for (const AppEntry& entry : all) {
      if (!entry.Name.empty()) namer.Reserve(entry.ShowAs, entry.Name);
    }
  }
  return namer;
}

}  // namespace

RecorderService::RecorderService()
    : clockTimer_(std::make_unique<QTimer>()),
      retryLock_(std::make_unique<QTimer>()),
      nothingInFront_(std::make_unique<QTimer>()),
      namer_(DesktopEntries()) {
  clockTimer_->setSingleShot(true);
  QObject::connect(clockTimer_.get(), &QTimer::timeout, this, [this] { CheckClock(); });
  retryLock_->setSingleShot(true);
  retryLock_->setInterval(kRetryLockMilliseconds);
  QObject::connect(retryLock_.get(), &QTimer::timeout, this, [this] {
    if (desktop_ && !recorder_.Running()) TryToRecord();
  });
  nothingInFront_->setSingleShot(true);
  nothingInFront_->setInterval(kNothingInFrontMilliseconds);
  QObject::connect(nothingInFront_.get(), &QTimer::timeout, this,
                   [this] { RecordNothingInFront(); });
}

RecorderService::~RecorderService() { Stop(); }

void RecorderService::Start(std::unique_ptr<DesktopWatch> desktop, const std::string& why,
                            const RecorderSettings& settings, std::string desktopName) {
  settings_ = settings;
  desktopName_ = std::move(desktopName);
  recorder_.SetCheckpointInterval(settings_.checkpointSeconds);
  if (!desktop) {
    SetState(RecorderState::NoDesktop, why);
    return;
  }
  desktop_ = std::move(desktop);
  notifier_ = std::make_unique<QSocketNotifier>(desktop_->FileDescriptor(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Dispatch(); });
  namer_ = MakeNamer(settings_.treeFile);
  TryToRecord();
}

int64_t RecorderService::Now() {
  const ClockChange change = clockWatch_.Read(ClockNow(), SteadyNow());
  if (!recorder_.Running()) return change.now;
  if (change.Slept()) recorder_.Slept(change.sleepStart, change.sleepEnd);
  if (change.Set()) recorder_.ClockSet(change.unsetNow, change.now);
  if (change.Slept() || change.Set()) AfterWrite();
  return change.now;
}

void RecorderService::TryToRecord() {
  if (!folder_.IsOpen() && !OpenFolder(settings_.dataFolder)) return;
  if (const std::string problem = desktop_->ForegroundProblem(); !problem.empty()) {
    SetState(RecorderState::NoDesktop, problem);
    return;
  }
  BeginRecording();
}

bool RecorderService::OpenFolder(const std::string& folder) {
  const Status opened = folder_.Open(folder);
  if (opened) {
    retryLock_->stop();
  } else if (opened.Code() == ErrorCode::Busy) {
    SetState(RecorderState::Busy, opened.Message());
    retryLock_->start();
  } else {
    SetState(RecorderState::Unwritable, opened.Message());
  }
  return opened.Ok();
}

void RecorderService::BeginRecording() {
  clockWatch_.Reset();
  recorder_.Begin(Now(), CurrentSubject());
  SetState(RecorderState::Recording);
  AfterWrite();
  desktop_->WatchIdle(settings_.idleMilliseconds);
  screenSaver_ = desktop_->ScreenSaverActive();
  UpdatePause(desktop_->IdleMilliseconds());
  ArmClockTimer();
  // Replies read while starting may have queued events the socket no longer announces.
  QTimer::singleShot(0, this, [this] { Dispatch(); });
}

void RecorderService::EndRecording() {
  if (recorder_.Running()) {
    recorder_.End(Now());
    AfterWrite();
  }
  clockTimer_->stop();
  nothingInFront_->stop();
}

void RecorderService::Apply(const RecorderSettings& settings) {
  if (settings == settings_) return;
  const RecorderSettings before = settings_;
  settings_ = settings;
  recorder_.SetCheckpointInterval(settings_.checkpointSeconds);
  if (!desktop_) return;
  if (settings.dataFolder != before.dataFolder) {
    // The old folder's day ends here; the new one starts as after a start.
    EndRecording();
    folder_.Close();
    retryLock_->stop();
  }
  if (!recorder_.Running()) {
    TryToRecord();
    return;
  }
  if (settings.idleMilliseconds != before.idleMilliseconds) {
    idle_ = false;  // the new threshold reports anew, at once if it is already passed
    desktop_->WatchIdle(settings.idleMilliseconds);
  }
  UpdatePause(desktop_->IdleMilliseconds());
  ArmClockTimer();
  QTimer::singleShot(0, this, [this] { Dispatch(); });
}

void RecorderService::Stop() {
  EndRecording();
  retryLock_->stop();
  folder_.Close();  // a host waiting for the folder takes it over
  notifier_.reset();
  desktop_.reset();
  if (state_ == RecorderState::Recording || state_ == RecorderState::Paused) {
    SetState(RecorderState::Off);
  }
}

void RecorderService::CheckClock() {
  if (!recorder_.Running()) return;
  recorder_.Tick(Now());
  AfterWrite();
  ArmClockTimer();
}

void RecorderService::Dispatch() {
  if (desktop_) desktop_->Dispatch(*this);
}

ActivitySubject RecorderService::CurrentSubject() { return namer_.Name(desktop_->Foreground()); }

void RecorderService::ForegroundChanged() {
  if (!desktop_ || !folder_.IsOpen()) return;
  if (const std::string problem = desktop_->ForegroundProblem(); !problem.empty()) {
    // What was seen until now is kept; what cannot be seen is not made up.
    EndRecording();
    SetState(RecorderState::NoDesktop, problem);
    return;
  }
  if (!recorder_.Running()) {
    if (state_ == RecorderState::NoDesktop) TryToRecord();  // the front can be seen again
    return;
  }
  const ActivitySubject subject = CurrentSubject();
  if (subject == ActivitySubject{}) {
    if (!nothingInFront_->isActive()) {
      nothingSince_ = Now();
      nothingInFront_->start();
    }
    return;
  }
  nothingInFront_->stop();
  recorder_.Foreground(Now(), subject);
  AfterWrite();
}

void RecorderService::RecordNothingInFront() {
  if (!recorder_.Running()) return;
  Now();  // a sleep or a clock set since is written first
  recorder_.Foreground(nothingSince_, ActivitySubject{});
  AfterWrite();
}

void RecorderService::IdleChanged(bool idle, int64_t idleMilliseconds) {
  idle_ = idle;
  UpdatePause(idleMilliseconds);
}

void RecorderService::ScreenSaverChanged(bool active, int64_t idleMilliseconds) {
  screenSaver_ = active;
  UpdatePause(idleMilliseconds);
}

void RecorderService::DesktopLost() {
  // Called from inside the desktop's dispatch, itself inside the notifier's signal: both
  // are let go once control is back in the event loop.
  if (notifier_) notifier_->setEnabled(false);
  QTimer::singleShot(0, this, [this] {
    Stop();
    SetState(RecorderState::NoDesktop, desktopName_.empty() || desktopName_ == "X11"
                                           ? "the X11 display went away"
                                           : "the connection to " + desktopName_ + " was lost");
  });
}

void RecorderService::UpdatePause(int64_t idleMilliseconds) {
  if (!recorder_.Running()) return;
  const bool pause =
      (settings_.idleMilliseconds && idle_) || (settings_.pauseOnScreenSaver && screenSaver_);
  const int64_t now = Now();
  if (pause && !recorder_.Paused()) {
    recorder_.Pause(now, now - std::max<int64_t>(0, idleMilliseconds) / 1000);
  } else if (!pause && recorder_.Paused()) {
    recorder_.Resume(now);
  } else {
    return;
  }
  AfterWrite();
  SetState(recorder_.Paused() ? RecorderState::Paused : RecorderState::Recording,
           folder_.LastError());
}

void RecorderService::ArmClockTimer() {
  if (!recorder_.Running()) return;
  const int64_t wait =
      std::clamp<int64_t>(recorder_.NextDue() - ClockNow(), 1, kLongestClockWaitSeconds);
  clockTimer_->start(static_cast<int>(wait * 1000));
}

void RecorderService::AfterWrite() {
  const std::string& error = folder_.LastError();
  if (error == reportedWriteError_) return;
  reportedWriteError_ = error;
  // Each new problem is told once; it is cleared by the next block that is stored.
  if (!error.empty()) std::cerr << "taskmeter: " << error << "\n";
  SetState(state_, error);
}

void RecorderService::SetState(RecorderState state, std::string detail) {
  if (state == state_ && detail == detail_) return;
  const bool problem = state == RecorderState::NoDesktop || state == RecorderState::Busy ||
                       state == RecorderState::Unwritable;
  if (problem && !detail.empty()) std::cerr << "taskmeter: not recording: " << detail << "\n";
  state_ = state;
  detail_ = std::move(detail);
  if (statusListener_) statusListener_();
}

std::string RecorderService::StatusText() const {
  switch (state_) {
    case RecorderState::Off:
      return "Not recording";
    case RecorderState::Recording:
      return detail_.empty() ? (desktopName_.empty() ? "Recording activity"
                                                     : "Recording (" + desktopName_ + ")") +
                                   " into " + settings_.dataFolder
                             : "Recording, but " + detail_;
    case RecorderState::Paused:
      return detail_.empty() ? std::string("Recording paused: ") +
                                   (idle_ ? "no input" : "the screen saver is on")
                             : "Recording paused, but " + detail_;
    case RecorderState::NoDesktop:
    case RecorderState::Busy:
    case RecorderState::Unwritable:
      return "Not recording: " + detail_;
  }
  return {};
}

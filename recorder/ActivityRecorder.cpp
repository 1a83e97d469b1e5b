#include "recorder/ActivityRecorder.h"

#include <algorithm>

#include "framework/core/CivilTime.h"

void ActivityRecorder::SetCheckpointInterval(int64_t seconds) {
  checkpointSeconds_ = std::max<int64_t>(1, seconds);
}

void ActivityRecorder::Begin(int64_t now, const ActivitySubject& front) {
  running_ = true;
  paused_ = false;
  front_ = front;
  current_ = front;
  intervalStart_ = now;
  sink_.Append({now, now, front});
}

void ActivityRecorder::Foreground(int64_t now, const ActivitySubject& front) {
  front_ = front;
  if (!running_ || paused_ || front == current_) return;
  CloseInterval(now, front);
}

void ActivityRecorder::Pause(int64_t now, int64_t since) {
  if (!running_ || paused_) return;
  paused_ = true;
  // Work in front that began after the user left still ran until it began.
  CloseInterval(std::max(intervalStart_, std::min(since, now)), ActivitySubject::Idle());
}

void ActivityRecorder::Resume(int64_t now) {
  if (!running_ || !paused_) return;
  paused_ = false;
  CloseInterval(now, front_);
}

void ActivityRecorder::Tick(int64_t now) {
  if (!running_) return;
  SplitAtMidnights(now);
  if (now - intervalStart_ < checkpointSeconds_) return;
  sink_.Append({intervalStart_, now, current_});
  intervalStart_ = now;
}

int64_t ActivityRecorder::NextDue() const {
  return std::min(NextLocalMidnight(intervalStart_), intervalStart_ + checkpointSeconds_);
}

void ActivityRecorder::Slept(int64_t from, int64_t until) {
  if (!running_ || paused_) return;  // a pause simply goes on through the sleep
  CloseInterval(from, ActivitySubject::Idle());
  CloseInterval(until, front_);
}

void ActivityRecorder::ClockSet(int64_t before, int64_t after) {
  if (!running_) return;
  SplitAtMidnights(before);
  // As at midnight: the old interval closed, an empty one opens at the new time.
  sink_.Append({intervalStart_, std::max(before, intervalStart_), current_});
  sink_.Append({after, after, current_});
  intervalStart_ = after;
}

void ActivityRecorder::End(int64_t now) {
  if (!running_) return;
  CloseInterval(now, ActivitySubject::Stop());
  running_ = false;
  paused_ = false;
}

void ActivityRecorder::CloseInterval(int64_t end, const ActivitySubject& next) {
  // A clock set back by less than can be told from rounding must not give an interval
  // that ends before it starts.
  end = std::max(end, intervalStart_);
  SplitAtMidnights(end);
  sink_.Append({intervalStart_, end, next});
  intervalStart_ = end;
  current_ = next;
}

void ActivityRecorder::SplitAtMidnights(int64_t until) {
  for (int64_t midnight = NextLocalMidnight(intervalStart_); midnight <= until;
       midnight = NextLocalMidnight(intervalStart_)) {
    // The old day's file gets the interval up to midnight; the new day's file starts
    // with an empty interval that reopens the same subject.
    sink_.Append({intervalStart_, midnight, current_});
    sink_.Append({midnight, midnight, current_});
    intervalStart_ = midnight;
  }
}

#pragma once

#include <cstdint>

#include "recorder/ActivityBlock.h"

// Where the recorder's blocks go.
class BlockSink {
 public:
  virtual ~BlockSink() = default;
  // False when the block could not be stored; the recorder goes on regardless.
  virtual bool Append(const RecordedBlock& block) = 0;
};

// Turns what happens on the desktop into blocks. Each block closes the interval that ran
// since the block before and names what comes next, so the reader credits every interval
// to the subject of the block that opened it. Intervals never cross local midnight: the
// running one is closed there and reopened in the new day. Nor do they run longer than
// the checkpoint interval: a program that dies without its "Stop" block loses at most
// that much. Such a split changes no total, since both parts start on the same day and
// go to the same subject. Time is always passed in, so the recorder itself never reads
// a clock.
class ActivityRecorder {
 public:
  static constexpr int64_t kDefaultCheckpointSeconds = 300;

  explicit ActivityRecorder(BlockSink& sink) : sink_(sink) {}

  // At least one second.
  void SetCheckpointInterval(int64_t seconds);

  // The first block of a run: an empty interval at `now`, then `front`.
  void Begin(int64_t now, const ActivitySubject& front);
  // The foreground application or its caption may have changed.
  void Foreground(int64_t now, const ActivitySubject& front);
  // The user went away at `since` (seen at `now`); the time from then on is "Idle".
  void Pause(int64_t now, int64_t since);
  // The user is back: the subject in front takes over.
  void Resume(int64_t now);
  // Closes the running interval at each local midnight up to `now`, and at `now` when it
  // has run for the checkpoint interval.
  void Tick(int64_t now);
  // When Tick has work next.
  int64_t NextDue() const;
  // The machine slept from `from` to `until`: that time is "Idle", then the subject in
  // front takes over again.
  void Slept(int64_t from, int64_t until);
  // The wall clock was set: the running interval ends at `before`, on the clock as it
  // ran, and the same subject goes on from `after`, on the clock as it is now.
  void ClockSet(int64_t before, int64_t after);
  // The last block of a run, "Stop".
  void End(int64_t now);

  bool Running() const { return running_; }
  bool Paused() const { return paused_; }

 private:
  void CloseInterval(int64_t end, const ActivitySubject& next);
  void SplitAtMidnights(int64_t until);

  BlockSink& sink_;
  ActivitySubject front_;    // what the user has in front, followed even while paused
  ActivitySubject current_;  // the subject of the running interval
  int64_t intervalStart_ = 0;
  int64_t checkpointSeconds_ = kDefaultCheckpointSeconds;
  bool running_ = false;
  bool paused_ = false;
};

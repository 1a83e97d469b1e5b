#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/common/ActivitySimulator.h"
#include "tools/common/ApplicationMix.h"
#include "tools/common/Random.h"

// A stretch of uninterrupted work between two pauses.
struct Span {
  int64_t begin = 0;
  int64_t end = 0;
};

// One foreground interval and what was in the foreground.
struct Segment {
  int64_t begin = 0;
  int64_t end = 0;
  LogBlock app;  // only the application fields are used
};

// A block for a pause ("Idle", "Stop"): no program, no caption, no path.
LogBlock PauseBlock(const std::string& name);

// Fills a day's working spans with foreground segments: many short switches and a few
// long stretches, a project in focus per span, now and then a short idle moment, and
// an "Idle" segment in each gap between spans.
class DayPlanner {
 public:
  // `weights`: how often each program of ApplicationMix() comes to the front.
  DayPlanner(Random& rng, int switches, std::vector<int> weights)
      : rng_(rng), switches_(switches), weights_(std::move(weights)) {}

  // About `switches` - 1 segments in all, in time order, without gaps.
  std::vector<Segment> Plan(const std::vector<Span>& spans);

 private:
  void FillSpan(const Span& span, int64_t count, std::vector<Segment>& out);
  LogBlock NextApplication(bool mayIdle);
  const std::string& PickCaption(const Application& app);

  Random& rng_;
  int switches_;
  std::vector<int> weights_;
  Project focus_ = Project::Apollo;
  std::size_t last_ = static_cast<std::size_t>(-1);
  bool lastWasIdle_ = false;
};

#include "tools/common/DayPlanner.h"

#include <algorithm>

LogBlock PauseBlock(const std::string& name) {
  LogBlock block;
  block.displayName = name;
  block.appName = name;
  return block;
}

namespace {

LogBlock ApplicationBlock(const Application& app, const std::string& caption) {
  LogBlock block;
  block.displayName = app.displayName;
  block.windowTitle = caption;
  block.appName = app.appName;
  block.appPath = app.path;
  return block;
}

Project OtherProject(Project p) { return p == Project::Apollo ? Project::Zephyr : Project::Apollo; }

}  // namespace

// Working segments for the spans, with an "Idle" segment in each gap between them.
std::vector<Segment> DayPlanner::Plan(const std::vector<Span>& spans) {
  int64_t workSeconds = 0;
  for (const Span& span : spans) workSeconds += span.end - span.begin;
  const int64_t gaps = static_cast<int64_t>(spans.size()) - 1;
  const int64_t workSegments =
      std::max<int64_t>(static_cast<int64_t>(spans.size()), switches_ - 1 - gaps);
  std::vector<Segment> segments;
  for (size_t i = 0; i < spans.size(); ++i) {
    if (i > 0) segments.push_back({spans[i - 1].end, spans[i].begin, PauseBlock(kIdleDisplayName)});
    const int64_t length = spans[i].end - spans[i].begin;
    const int64_t count =
        std::clamp<int64_t>(workSegments * length / std::max<int64_t>(1, workSeconds), 1, length);
    FillSpan(spans[i], count, segments);
  }
  return segments;
}

// Splits the span into `count` segments of skewed random lengths (many short
// switches, a few long stretches) and gives each one its application.
void DayPlanner::FillSpan(const Span& span, int64_t count, std::vector<Segment>& out) {
  focus_ = rng_.Percent(50) ? Project::Apollo : Project::Zephyr;
  std::vector<int64_t> weights(static_cast<size_t>(count));
  int64_t total = 0;
  for (int64_t& w : weights) {
    w = rng_.Between(1, 60) * rng_.Between(1, 60);
    total += w;
  }
  const int64_t length = span.end - span.begin;
  int64_t cumulative = 0;
  int64_t begin = span.begin;
  for (int64_t i = 0; i < count; ++i) {
    cumulative += weights[static_cast<size_t>(i)];
    int64_t end = span.begin + length * cumulative / total;
    // Every segment lasts at least a second and leaves room for those after it.
    end = std::clamp(end, begin + 1, span.end - (count - 1 - i));
    const bool inner = i > 0 && i + 1 < count;
    out.push_back({begin, end, NextApplication(inner)});
    begin = end;
  }
}

LogBlock DayPlanner::NextApplication(bool mayIdle) {
  if (mayIdle && !lastWasIdle_ && rng_.Percent(3)) {
    lastWasIdle_ = true;
    return PauseBlock(kIdleDisplayName);
  }
  lastWasIdle_ = false;
  const std::vector<Application>& mix = ApplicationMix();
  std::vector<int> weights;
  for (size_t i = 0; i < mix.size(); ++i) weights.push_back(i == last_ ? 0 : weights_[i]);
  last_ = rng_.Weighted(weights);
  const Application& app = mix[last_];
  return ApplicationBlock(app, PickCaption(app));
}

const std::string& DayPlanner::PickCaption(const Application& app) {
  const int roll = static_cast<int>(rng_.Between(0, 99));
  Project project = roll < 70 ? focus_ : roll < 85 ? OtherProject(focus_) : Project::Other;
  if (app.captions[static_cast<int>(project)].empty()) project = Project::Other;
  const auto& captions = app.captions[static_cast<int>(project)];
  return captions[static_cast<size_t>(rng_.Between(0, static_cast<int64_t>(captions.size()) - 1))];
}

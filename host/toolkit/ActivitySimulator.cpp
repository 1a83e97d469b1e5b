#include "host/toolkit/ActivitySimulator.h"

#include <algorithm>

#include "host/toolkit/ApplicationMix.h"
#include "host/toolkit/Random.h"

namespace {

constexpr int64_t kMinute = 60;

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

LogBlock PauseBlock(const std::string& name) {
  LogBlock block;
  block.displayName = name;
  block.appName = name;
  return block;
}

LogBlock ApplicationBlock(const Application& app, const std::string& caption) {
  LogBlock block;
  block.displayName = app.displayName;
  block.windowTitle = caption;
  block.appName = app.appName;
  block.appPath = app.path;
  return block;
}

class DayPlanner {
 public:
  DayPlanner(Random& rng, int switches) : rng_(rng), switches_(switches) {}

  // Working segments for the spans, with an "Idle" segment in each gap between them.
  std::vector<Segment> Plan(const std::vector<Span>& spans) {
    int64_t workSeconds = 0;
    for (const Span& span : spans) workSeconds += span.end - span.begin;
    const int64_t gaps = static_cast<int64_t>(spans.size()) - 1;
    const int64_t workSegments =
        std::max<int64_t>(static_cast<int64_t>(spans.size()), switches_ - 1 - gaps);
    std::vector<Segment> segments;
    for (size_t i = 0; i < spans.size(); ++i) {
      if (i > 0)
        segments.push_back({spans[i - 1].end, spans[i].begin, PauseBlock(kIdleDisplayName)});
      const int64_t length = spans[i].end - spans[i].begin;
      const int64_t count =
          std::clamp<int64_t>(workSegments * length / std::max<int64_t>(1, workSeconds), 1, length);
      FillSpan(spans[i], count, segments);
    }
    return segments;
  }

 private:
  // Splits the span into `count` segments of skewed random lengths (many short
  // switches, a few long stretches) and gives each one its application.
  void FillSpan(const Span& span, int64_t count, std::vector<Segment>& out) {
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

  LogBlock NextApplication(bool mayIdle) {
    if (mayIdle && !lastWasIdle_ && rng_.Percent(3)) {
      lastWasIdle_ = true;
      return PauseBlock(kIdleDisplayName);
    }
    lastWasIdle_ = false;
    const std::vector<Application>& mix = ApplicationMix();
    std::vector<int> weights;
    for (size_t i = 0; i < mix.size(); ++i) weights.push_back(i == last_ ? 0 : mix[i].weight);
    last_ = rng_.Weighted(weights);
    const Application& app = mix[last_];
    return ApplicationBlock(app, PickCaption(app));
  }

  const std::string& PickCaption(const Application& app) {
    const int roll = static_cast<int>(rng_.Between(0, 99));
    Project project = roll < 70 ? focus_ : roll < 85 ? Other(focus_) : Project::Other;
    if (app.captions[static_cast<int>(project)].empty()) project = Project::Other;
    const auto& captions = app.captions[static_cast<int>(project)];
    return captions[static_cast<size_t>(
        rng_.Between(0, static_cast<int64_t>(captions.size()) - 1))];
  }

  static Project Other(Project p) {
    return p == Project::Apollo ? Project::Zephyr : Project::Apollo;
  }

  Random& rng_;
  int switches_;
  Project focus_ = Project::Apollo;
  size_t last_ = static_cast<size_t>(-1);
  bool lastWasIdle_ = false;
};

int64_t At(const CivilTime& date, int hour, int64_t minutes) {
  CivilTime t = date;
  t.hour = hour;
  t.minute = 0;
  t.second = 0;
  return LocalToSeconds(t) + minutes * kMinute;
}

// Working hours of the day, split by pauses; empty for a day off.
std::vector<Span> WorkingSpans(const CivilTime& date, Random& rng, int& switches) {
  const int weekday = LocalWeekday(At(date, 12, 0));
  if (weekday >= 6) {
    if (rng.Percent(60)) return {};
    const int64_t begin = At(date, 10, rng.Between(0, 240)) + rng.Between(0, 59);
    switches = std::max(3, switches / 6);
    return {{begin, begin + rng.Between(45, 150) * kMinute}};
  }
  const int64_t begin = At(date, 8, rng.Between(0, 75)) + rng.Between(0, 59);
  const int64_t lunch = At(date, 12, rng.Between(0, 45)) + rng.Between(0, 59);
  const int64_t back = lunch + rng.Between(30, 60) * kMinute + rng.Between(0, 59);
  const int64_t end = At(date, 16, 45 + rng.Between(0, 105)) + rng.Between(0, 59);
  switches = std::max(3, switches + static_cast<int>(rng.Between(-switches / 10, switches / 10)));
  return {{begin, lunch}, {back, end}};
}

}  // namespace

DayLog ActivitySimulator::SimulateDay(const CivilTime& date) const {
  DayLog day;
  day.date = date;
  day.fileName = FormatDate(date) + ".log";
  const uint64_t salt = static_cast<uint64_t>(date.year * 10000 + date.month * 100 + date.day);
  Random rng(MixSeed(settings_.seed, salt));
  int switches = settings_.switchesPerDay;
  const std::vector<Span> spans = WorkingSpans(date, rng, switches);
  if (spans.empty()) return day;
  DayPlanner planner(rng, switches);
  const std::vector<Segment> segments = planner.Plan(spans);

  // The first block opens the day with an empty interval; each later block closes the
  // segment before it. The last one hands over to "Stop".
  std::vector<LogBlock> blocks;
  LogBlock first = segments.front().app;
  first.start = first.end = segments.front().begin;
  blocks.push_back(first);
  for (size_t i = 0; i < segments.size(); ++i) {
    LogBlock next = i + 1 < segments.size() ? segments[i + 1].app : PauseBlock(kStopDisplayName);
    next.start = segments[i].begin;
    next.end = segments[i].end;
    blocks.push_back(next);
  }
  // The host writes a block at the moment it closes an interval; none lies ahead of now.
  for (const LogBlock& block : blocks) {
    if (block.end > settings_.now) break;
    day.blocks.push_back(block);
  }
  return day;
}

std::vector<CivilTime> ActivitySimulator::Dates() const {
  std::vector<CivilTime> dates;
  const CivilTime today = SecondsToLocal(settings_.now);
  for (int back = settings_.days - 1; back >= 0; --back) {
    // Noon of the day, normalised by the C library, names the calendar day.
    CivilTime noon{today.year, today.month, today.day - back, 12, 0, 0};
    CivilTime date = SecondsToLocal(LocalToSeconds(noon));
    date.hour = date.minute = date.second = 0;
    dates.push_back(date);
  }
  return dates;
}

std::vector<DayLog> ActivitySimulator::Run() const {
  std::vector<DayLog> days;
  for (const CivilTime& date : Dates()) {
    DayLog day = SimulateDay(date);
    if (!day.blocks.empty()) days.push_back(std::move(day));
  }
  return days;
}

std::string FormatLogBlocks(const std::vector<LogBlock>& blocks) {
  std::string text;
  for (const LogBlock& block : blocks) {
    text += FormatLogTimestamp(block.start) + '\n';
    text += FormatLogTimestamp(block.end) + '\n';
    text += block.displayName + '\n';
    text += block.windowTitle + '\n';
    text += block.appName + '\n';
    text += block.appPath + '\n';
    text += "~~~\n";
  }
  return text;
}

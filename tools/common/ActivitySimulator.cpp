#include "tools/common/ActivitySimulator.h"

#include <algorithm>

#include "tools/common/ApplicationMix.h"
#include "tools/common/DayPlanner.h"
#include "tools/common/Random.h"

namespace {

constexpr int64_t kMinute = 60;

uint64_t NameHash(const std::string& name) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// Each machine draws its days from a stream of its own.
uint64_t MachineSeed(uint64_t seed, const std::string& machine) {
  return machine.empty() ? seed : MixSeed(seed, NameHash(machine));
}

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
  Random rng(MixSeed(MachineSeed(settings_.seed, settings_.machine), salt));
  int switches = settings_.switchesPerDay;
  const std::vector<Span> spans = WorkingSpans(date, rng, switches);
  if (spans.empty()) return day;
  DayPlanner planner(rng, switches, MachineWeights(settings_.machine));
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

std::vector<int> MachineWeights(const std::string& machine) {
  const std::vector<Application>& mix = ApplicationMix();
  std::vector<int> weights;
  Random rng(NameHash(machine));
  for (size_t i = 0; i < mix.size(); ++i) {
    const int64_t scale = machine.empty() || i < 2 ? 1 : rng.Between(0, 2);
    weights.push_back(mix[i].weight * static_cast<int>(scale));
  }
  return weights;
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

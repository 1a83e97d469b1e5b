#include "accounting/Aggregation.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "accounting/PeriodCalendar.h"
#include "tree/TreeOps.h"

namespace {

// Totals are 32-bit and take the low 32 bits of each addition, wrapping as they
// always have.
int32_t AddLow32(int32_t total, int64_t seconds) {
  return static_cast<int32_t>(static_cast<uint32_t>(total) + static_cast<uint32_t>(seconds));
}

void AddPeriods(AppEntry& entry, const PeriodTotals& seconds) {
  entry.MonthTime = AddLow32(entry.MonthTime, seconds.month);
  entry.WeekTime = AddLow32(entry.WeekTime, seconds.week);
  entry.TodayTime = AddLow32(entry.TodayTime, seconds.today);
}

// What identifies an association when counted time is written back.
struct Triple {
  std::string_view showAs;
  std::string_view filter;
  bool filterOn;
  bool operator==(const Triple&) const = default;
};

struct TripleHash {
  size_t operator()(const Triple& t) const {
    const size_t a = std::hash<std::string_view>{}(t.showAs);
    const size_t b = std::hash<std::string_view>{}(t.filter);
    return a ^ (b * 0x9E3779B97F4A7C15ull) ^ static_cast<size_t>(t.filterOn);
  }
};

Triple TripleOf(const AppEntry& e) { return {e.ShowAs, e.TitleFilter, e.isCheckTitleFilter}; }

using NameIndex = std::unordered_map<std::string_view, std::vector<size_t>>;

class Aggregator {
 public:
  Aggregator(GroupMap& tree, const std::vector<ActivityRecord>& records, PeriodCalendar& calendar)
      : tree_(tree), records_(records), calendar_(calendar) {}

  void Run() {
    for (const auto& [name, list] : tree_) CollectEntries(list, collected_);
    ResetTimes(tree_);
    DiscoverNewApplications();
    Count();
    WriteBack();
    PlaceNewApplications();
  }

 private:
  void DiscoverNewApplications() {
    std::unordered_set<std::string_view> names;
    std::unordered_set<std::string_view> shownAs;
    for (const AppEntry& e : collected_) {
      names.insert(e.Name);
      shownAs.insert(e.ShowAs);
    }
    for (const ActivityRecord& r : records_) {
      if (names.count(r.AppName) != 0 || shownAs.count(r.DisplayName) != 0) continue;
      if (r.AppPath.empty()) continue;
      AppEntry& added = newEntries_.emplace_back();
      added.ShowAs = r.DisplayName.empty() ? r.AppName : r.DisplayName;
      added.Name = r.AppName;
      added.Path = r.AppPath;
      names.insert(added.Name);  // a deque never moves its elements
      shownAs.insert(added.ShowAs);
    }
  }

  static NameIndex IndexByName(const auto& entries) {
    NameIndex index;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (!entries[i].Name.empty()) index[entries[i].Name].push_back(i);
    }
    return index;
  }

  static bool FilterAccepts(const AppEntry& e, const std::string& title) {
    return !e.isCheckTitleFilter || title.find(e.TitleFilter) != std::string::npos;
  }

  // Adds each record to every entry that claims it; remembers, per collected entry,
  // the last record it claimed.
  void Count() {
    const NameIndex newByName = IndexByName(newEntries_);
    const NameIndex collectedByName = IndexByName(collected_);
    lastClaim_.assign(collected_.size(), kNever);
    for (size_t k = 0; k < records_.size(); ++k) {
      const ActivityRecord& r = records_[k];
      const auto newHit = newByName.find(r.AppName);
      const auto oldHit = collectedByName.find(r.AppName);
      if (newHit == newByName.end() && oldHit == collectedByName.end()) continue;
      bool computed = false;
      PeriodTotals seconds;
      auto credit = [&](AppEntry& e) {
        if (!computed) seconds = calendar_.AllSeconds(r.StartTime, r.EndTime);
        computed = true;
        AddPeriods(e, seconds);
      };
      if (newHit != newByName.end()) {
        for (size_t i : newHit->second) credit(newEntries_[i]);  // no filter on new entries
      }
      if (oldHit == collectedByName.end()) continue;
      for (size_t i : oldHit->second) {
        if (!FilterAccepts(collected_[i], r.WindowTitle)) continue;
        credit(collected_[i]);
        lastClaim_[i] = k;
      }
    }
  }

  // For each triple, the collected entry whose write-back came last: the one that
  // claimed the latest record, the later in the list on a tie.
  void ChooseWriters() {
    for (size_t i = 0; i < collected_.size(); ++i) {
      const size_t id = tripleIds_.emplace(TripleOf(collected_[i]), writer_.size()).first->second;
      if (id == writer_.size()) writer_.push_back(kNever);
      if (lastClaim_[i] == kNever) continue;
      if (writer_[id] == kNever || lastClaim_[i] >= lastClaim_[writer_[id]]) writer_[id] = i;
    }
  }

  // A write-back walks each list up to and including its first entry with the
  // triple, entering the sub-groups of the entries it passes. So an entry receives its
  // triple's write-back when no earlier entry of its list, nor of any list above it
  // before the carrier that leads down, has that triple. `blocked_` counts those.
  void WalkLevel(GroupMap& level) {
    for (auto& [name, list] : level) {
      std::vector<size_t> matchedHere;
      for (AppEntry& e : list) {
        if (!e.SubGroups.empty()) WalkLevel(e.SubGroups);
        const size_t id = tripleIds_.at(TripleOf(e));
        if (blocked_[id] != 0) continue;
        if (writer_[id] != kNever) CopyCounted(collected_[writer_[id]], e);
        ++blocked_[id];
        matchedHere.push_back(id);
      }
      for (size_t id : matchedHere) --blocked_[id];
    }
  }

  static void CopyCounted(const AppEntry& source, AppEntry& target) {
    target.TodayTime = source.TodayTime;
    target.WeekTime = source.WeekTime;
    target.MonthTime = source.MonthTime;
    target.isCheckTitleFilter = source.isCheckTitleFilter;
    target.Name = source.Name;
    target.Path = source.Path;
    target.TitleFilter = source.TitleFilter;
    target.ShowAs = source.ShowAs;
  }

  void WriteBack() {
    ChooseWriters();
    bool anyWriter = false;
    for (size_t w : writer_) anyWriter = anyWriter || w != kNever;
    if (!anyWriter) return;
    blocked_.assign(writer_.size(), 0);
    WalkLevel(tree_);
  }

  void PlaceNewApplications() {
    AppList& other = tree_[kOtherApplications];
    other.insert(other.begin(), std::make_move_iterator(newEntries_.begin()),
                 std::make_move_iterator(newEntries_.end()));
  }

  static constexpr size_t kNever = SIZE_MAX;

  GroupMap& tree_;
  const std::vector<ActivityRecord>& records_;
  PeriodCalendar& calendar_;
  AppList collected_;
  std::deque<AppEntry> newEntries_;
  std::vector<size_t> lastClaim_;
  std::unordered_map<Triple, size_t, TripleHash> tripleIds_;
  std::vector<size_t> writer_;
  std::vector<int> blocked_;
};

}  // namespace

void AggregateActivity(GroupMap& tree, const std::vector<ActivityRecord>& records,
                       PeriodCalendar& calendar) {
  Aggregator(tree, records, calendar).Run();
}

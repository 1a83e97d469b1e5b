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

class Aggregator {
 public:
  Aggregator(GroupMap& tree, const std::vector<RecordView>& records, PeriodCalendar& calendar)
      : tree_(tree), records_(records), calendar_(calendar) {}

  void Run() {
    for (const auto& [name, list] : tree_) CollectEntries(list, collected_);
    ResetTimes(tree_);
    for (const AppEntry& e : collected_) emptyNameKnown_ = emptyNameKnown_ || e.Name.empty();
    IndexNames();
    DiscoverNewApplications();
    Count();
    WriteBack();
    PlaceNewApplications();
  }

 private:
  static constexpr size_t kNever = SIZE_MAX;

  // What the counting needs to know about one application name.
  struct NameInfo {
    std::vector<size_t> collected;  // collected entries with this Name, in list order
    size_t added = kNever;          // the new entry with this Name
  };

  // Every record looks its application name up once; both passes use the result.
  void IndexNames() {
    for (size_t i = 0; i < collected_.size(); ++i) {
      NameInfo& info = names_[collected_[i].Name];
      if (!collected_[i].Name.empty()) info.collected.push_back(i);
    }
    recordNames_.reserve(records_.size());
    for (const RecordView& r : records_) recordNames_.push_back(&names_[r.AppName]);
  }

  // A record is known when an entry has its application name, or its display name as
  // ShowAs; otherwise, with a program path, it makes a new entry.
  void DiscoverNewApplications() {
    std::unordered_set<std::string_view> shownAs;
    for (const AppEntry& e : collected_) shownAs.insert(e.ShowAs);
    for (size_t k = 0; k < records_.size(); ++k) {
      const RecordView& r = records_[k];
      NameInfo& info = *recordNames_[k];
      const bool knownName =
          !info.collected.empty() || info.added != kNever || (r.AppName.empty() && emptyNameKnown_);
      if (knownName || shownAs.count(r.DisplayName) != 0 || r.AppPath.empty()) continue;
      AppEntry& added = newEntries_.emplace_back();
      added.ShowAs = r.DisplayName.empty() ? r.AppName : r.DisplayName;
      added.Name = r.AppName;
      added.Path = r.AppPath;
      info.added = newEntries_.size() - 1;
      shownAs.insert(added.ShowAs);  // a deque never moves its elements
    }
  }

  static bool FilterAccepts(const AppEntry& e, std::string_view title) {
    return !e.isCheckTitleFilter || title.find(e.TitleFilter) != std::string_view::npos;
  }

  // Adds each record to every entry that claims it; remembers, per collected entry,
  // the last record it claimed.
  void Count() {
    lastClaim_.assign(collected_.size(), kNever);
    for (size_t k = 0; k < records_.size(); ++k) {
      const RecordView& r = records_[k];
      const NameInfo& info = *recordNames_[k];
      if (r.AppName.empty() || (info.added == kNever && info.collected.empty())) continue;
      bool computed = false;
      PeriodTotals seconds;
      auto credit = [&](AppEntry& e) {
        if (!computed) seconds = calendar_.AllSeconds(r.StartTime, r.EndTime);
        computed = true;
        AddPeriods(e, seconds);
      };
      if (info.added != kNever) credit(newEntries_[info.added]);  // new entries filter nothing
      for (size_t i : info.collected) {
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

  GroupMap& tree_;
  const std::vector<RecordView>& records_;
  PeriodCalendar& calendar_;
  AppList collected_;
  std::deque<AppEntry> newEntries_;
  std::unordered_map<std::string_view, NameInfo> names_;
  std::vector<NameInfo*> recordNames_;
  bool emptyNameKnown_ = false;
  std::vector<size_t> lastClaim_;
  std::unordered_map<Triple, size_t, TripleHash> tripleIds_;
  std::vector<size_t> writer_;
  std::vector<int> blocked_;
};

}  // namespace

void AggregateActivity(GroupMap& tree, const std::vector<RecordView>& records,
                       PeriodCalendar& calendar) {
  Aggregator(tree, records, calendar).Run();
}

#include "accounting/Aggregation.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "accounting/PeriodCalendar.h"
#include "tree/TreeOps.h"

namespace {

// Totals are 32-bit. Ends are clamped to now, but records that overlap (a damaged or
// forged log) could still add up past the range: a total stops at its largest value
// instead of wrapping into a negative one.
int32_t AddCapped(int32_t total, int64_t seconds) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(int64_t{total} + seconds, 0, std::numeric_limits<int32_t>::max()));
}

// The three totals of one entry during the count.
struct PeriodCounter {
  int32_t month = 0;
  int32_t week = 0;
  int32_t today = 0;

  static PeriodCounter Of(const AppEntry& e) { return {e.MonthTime, e.WeekTime, e.TodayTime}; }
  void Add(const PeriodTotals& seconds) {
    month = AddCapped(month, seconds.month);
    week = AddCapped(week, seconds.week);
    today = AddCapped(today, seconds.today);
  }
  void Store(AppEntry& e) const {
    e.MonthTime = month;
    e.WeekTime = week;
    e.TodayTime = today;
  }
};

// Application names to dense ids, 0, 1, 2, ... in order of first sight. Open
// addressing with a cheap hash: every record looks its name up once.
class NameTable {
 public:
  uint32_t Intern(std::string_view name) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const size_t mask = slots_.size() - 1;
    for (size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.id == kEmpty) {
        slot = {name, static_cast<uint32_t>(count_++)};
        return slot.id;
      }
      if (slot.name == name) return slot.id;
    }
  }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  struct Slot {
    std::string_view name;
    uint32_t id = kEmpty;
  };

  static size_t Hash(std::string_view name) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    return static_cast<size_t>(hash ^ (hash >> 29));
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.id == kEmpty) continue;
      size_t i = Hash(slot.name) & mask;
      while (slots_[i].id != kEmpty) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  size_t count_ = 0;
};

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
  Aggregator(GroupMap& tree, std::span<const RecordLines> records, PeriodCalendar& calendar)
      : tree_(tree), records_(records), calendar_(calendar) {}

  void Run() {
    for (auto& [name, list] : tree_) Collect(list);
    for (const AppEntry* e : collected_) {
      counted_.push_back(PeriodCounter::Of(*e));
      emptyNameKnown_ = emptyNameKnown_ || e->Name.empty();
    }
    ResetTimes(tree_);
    IndexNames();
    Count();
    WriteBack();
    PlaceNewApplications();
  }

 private:
  static constexpr size_t kNever = SIZE_MAX;

  // Every entry of `list` and of the groups beneath it, in the order of
  // CollectEntries. The entries themselves are used, not copies: until the write-back
  // nothing changes them but the reset of their times, which `counted_` keeps.
  void Collect(AppList& list) {
    for (AppEntry& entry : list) {
      for (auto& [name, subList] : entry.SubGroups) Collect(subList);
      collected_.push_back(&entry);
    }
  }

  // What the counting needs to know about one application name.
  struct NameInfo {
    uint32_t firstClaimant = 0;  // range of claimants_ holding the entries with this Name
    uint32_t claimantCount = 0;
    size_t added = kNever;  // the new entry with this Name
  };

  // The counted part of a collected entry, kept small so the counting loop stays in
  // the cache; copied back into the collected entries afterwards.
  struct Claimant {
    size_t entry = 0;  // index into collected_
    std::string_view filter;
    bool filterOn = false;
    PeriodCounter counter;
    size_t lastClaim = kNever;
  };

  // Every record looks its application name up once, and the count uses the result.
  // The same walk finds the new applications: whether a record makes one depends only
  // on the records before it.
  void IndexNames() {
    std::vector<std::vector<size_t>> entriesOf;
    for (size_t i = 0; i < collected_.size(); ++i) {
      if (collected_[i]->Name.empty()) continue;
      const uint32_t id = names_.Intern(collected_[i]->Name);
      if (id == entriesOf.size()) entriesOf.emplace_back();
      entriesOf[id].push_back(i);
    }
    nameInfo_.resize(entriesOf.size());
    for (size_t id = 0; id < entriesOf.size(); ++id) {
      nameInfo_[id].firstClaimant = static_cast<uint32_t>(claimants_.size());
      nameInfo_[id].claimantCount = static_cast<uint32_t>(entriesOf[id].size());
      for (size_t i : entriesOf[id]) {
        const AppEntry& e = *collected_[i];
        claimants_.push_back({i, e.TitleFilter, e.isCheckTitleFilter, counted_[i], kNever});
      }
    }
    std::unordered_set<std::string_view> shownAs;
    for (const AppEntry* e : collected_) shownAs.insert(e->ShowAs);
    recordNames_.reserve(records_.size());
    for (const RecordLines& lines : records_) {
      const RecordView r = lines.View();
      const uint32_t id = names_.Intern(r.AppName);
      if (id == nameInfo_.size()) nameInfo_.emplace_back();
      recordNames_.push_back(id);
      DiscoverApplication(r, nameInfo_[id], shownAs);
    }
  }

  // A record is known when an entry has its application name, or its display name as
  // ShowAs; otherwise, with a program path, it makes a new entry.
  void DiscoverApplication(const RecordView& r, NameInfo& info,
                           std::unordered_set<std::string_view>& shownAs) {
    const bool knownName =
        info.claimantCount != 0 || info.added != kNever || (r.AppName.empty() && emptyNameKnown_);
    if (knownName || shownAs.count(r.DisplayName) != 0 || r.AppPath.empty()) return;
    AppEntry& added = newEntries_.emplace_back();
    added.ShowAs = r.DisplayName.empty() ? r.AppName : r.DisplayName;
    added.Name = r.AppName;
    added.Path = r.AppPath;
    info.added = newEntries_.size() - 1;
    shownAs.insert(added.ShowAs);  // a deque never moves its elements
  }

  // Adds each record to every entry that claims it; remembers, per collected entry,
  // the last record it claimed.
  void Count() {
    std::vector<PeriodCounter> addedCounters(newEntries_.size());
    for (size_t k = 0; k < records_.size(); ++k) {
      const RecordView r = records_[k].View();
      const NameInfo& info = nameInfo_[recordNames_[k]];
      if (r.AppName.empty() || (info.added == kNever && info.claimantCount == 0)) continue;
      bool computed = false;
      PeriodTotals seconds;
      auto periods = [&]() -> const PeriodTotals& {
        if (!computed) seconds = calendar_.AllSeconds(r.StartTime, r.EndTime);
        computed = true;
        return seconds;
      };
      if (info.added != kNever) addedCounters[info.added].Add(periods());  // no filter
      Claimant* claimant = claimants_.data() + info.firstClaimant;
      for (uint32_t n = info.claimantCount; n > 0; --n, ++claimant) {
        if (claimant->filterOn && r.WindowTitle.find(claimant->filter) == std::string_view::npos) {
          continue;
        }
        claimant->counter.Add(periods());
        claimant->lastClaim = k;
      }
    }
    for (size_t i = 0; i < newEntries_.size(); ++i) addedCounters[i].Store(newEntries_[i]);
    lastClaim_.assign(collected_.size(), kNever);
    for (const Claimant& c : claimants_) {
      counted_[c.entry] = c.counter;
      lastClaim_[c.entry] = c.lastClaim;
    }
  }

  // For each triple, the collected entry whose write-back came last: the one that
  // claimed the latest record, the later in the list on a tie.
  void ChooseWriters() {
    for (size_t i = 0; i < collected_.size(); ++i) {
      const size_t id = tripleIds_.emplace(TripleOf(*collected_[i]), writer_.size()).first->second;
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
        if (writer_[id] != kNever) WriteCounted(writer_[id], e);
        ++blocked_[id];
        matchedHere.push_back(id);
      }
      for (size_t id : matchedHere) --blocked_[id];
    }
  }

  // The writer's association, which no write-back changes, and its counted times.
  void WriteCounted(size_t writer, AppEntry& target) {
    CopyCounted(*collected_[writer], target);
    counted_[writer].Store(target);
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
  std::span<const RecordLines> records_;
  PeriodCalendar& calendar_;
  std::vector<AppEntry*> collected_;
  std::vector<PeriodCounter> counted_;  // per collected entry: its times, then its count
  std::deque<AppEntry> newEntries_;
  NameTable names_;
  std::vector<NameInfo> nameInfo_;
  std::vector<Claimant> claimants_;
  std::vector<uint32_t> recordNames_;
  bool emptyNameKnown_ = false;
  std::vector<size_t> lastClaim_;
  std::unordered_map<Triple, size_t, TripleHash> tripleIds_;
  std::vector<size_t> writer_;
  std::vector<int> blocked_;
};

}  // namespace

void AggregateActivity(GroupMap& tree, std::span<const RecordLines> records,
                       PeriodCalendar& calendar) {
  Aggregator(tree, records, calendar).Run();
}

#include "accounting/Aggregation.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <string_view>
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

// What identifies an association when counted time is written back.
struct Triple {
  std::string_view showAs;
  std::string_view filter;
  bool filterOn;
  bool operator==(const Triple&) const = default;
};

Triple TripleOf(const AppEntry& e) { return {e.ShowAs, e.TitleFilter, e.isCheckTitleFilter}; }

uint64_t Fnv1a(std::string_view bytes, uint64_t hash = 14695981039346656037ull) {
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

size_t HashOf(std::string_view name) {
  const uint64_t hash = Fnv1a(name);
  return static_cast<size_t>(hash ^ (hash >> 29));
}

size_t HashOf(const Triple& t) {
  const uint64_t hash = Fnv1a(t.filter, Fnv1a(t.showAs) ^ (t.filterOn ? 0x9E3779B97F4A7C15ull : 0));
  return static_cast<size_t>(hash ^ (hash >> 29));
}

// Keys (names, triples) to dense ids, 0, 1, 2, ... in order of first sight. Open
// addressing with a cheap hash and no allocation per key: a tree of 100,000 entries
// looks up each of them a few times on every load.
template <typename Key>
class InternTable {
 public:
  static constexpr uint32_t kAbsent = UINT32_MAX;

  uint32_t Intern(const Key& key) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    Slot& slot = slots_[PlaceOf(key)];
    if (slot.id == kAbsent) slot = {key, static_cast<uint32_t>(count_++)};
    return slot.id;
  }
  uint32_t Find(const Key& key) const { return slots_.empty() ? kAbsent : slots_[PlaceOf(key)].id; }

 private:
  struct Slot {
    Key key{};
    uint32_t id = kAbsent;
  };

  // The slot that holds `key`, or the free one where it would go.
  size_t PlaceOf(const Key& key) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = HashOf(key) & mask;; i = (i + 1) & mask) {
      if (slots_[i].id == kAbsent || slots_[i].key == key) return i;
    }
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    for (const Slot& slot : old) {
      if (slot.id != kAbsent) slots_[PlaceOf(slot.key)] = slot;
    }
  }

  std::vector<Slot> slots_;
  size_t count_ = 0;
};

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
  using Names = InternTable<std::string_view>;

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
    // The claimants of each name, in collected order, name after name: a counting sort.
    std::vector<uint32_t> nameOf(collected_.size(), Names::kAbsent);
    for (size_t i = 0; i < collected_.size(); ++i) {
      if (collected_[i]->Name.empty()) continue;
      nameOf[i] = names_.Intern(collected_[i]->Name);
      if (nameOf[i] == nameInfo_.size()) nameInfo_.emplace_back();
      ++nameInfo_[nameOf[i]].claimantCount;
    }
    uint32_t placed = 0;
    for (NameInfo& info : nameInfo_) {
      info.firstClaimant = placed;
      placed += info.claimantCount;
    }
    claimants_.resize(placed);
    std::vector<uint32_t> filled(nameInfo_.size(), 0);
    for (size_t i = 0; i < collected_.size(); ++i) {
      if (nameOf[i] == Names::kAbsent) continue;
      const AppEntry& e = *collected_[i];
      claimants_[nameInfo_[nameOf[i]].firstClaimant + filled[nameOf[i]]++] = {
          i, e.TitleFilter, e.isCheckTitleFilter, counted_[i], kNever};
    }
    Names shownAs;
    for (const AppEntry* e : collected_) shownAs.Intern(e->ShowAs);
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
  void DiscoverApplication(const RecordView& r, NameInfo& info, Names& shownAs) {
    const bool knownName =
        info.claimantCount != 0 || info.added != kNever || (r.AppName.empty() && emptyNameKnown_);
    if (knownName || shownAs.Find(r.DisplayName) != Names::kAbsent || r.AppPath.empty()) return;
    AppEntry& added = newEntries_.emplace_back();
    added.ShowAs = r.DisplayName.empty() ? r.AppName : r.DisplayName;
    added.Name = r.AppName;
    added.Path = r.AppPath;
    info.added = newEntries_.size() - 1;
    shownAs.Intern(added.ShowAs);  // a deque never moves its elements
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
    InternTable<Triple> triples;
    tripleOf_.resize(collected_.size());
    for (size_t i = 0; i < collected_.size(); ++i) {
      const uint32_t id = triples.Intern(TripleOf(*collected_[i]));
      tripleOf_[i] = id;
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
      const size_t outer = matched_.size();  // what the lists above hold blocked
      for (AppEntry& e : list) {
        if (!e.SubGroups.empty()) WalkLevel(e.SubGroups);
        // The walk meets the entries in the order Collect listed them.
        const uint32_t id = tripleOf_[walked_++];
        if (blocked_[id] != 0) continue;
        if (writer_[id] != kNever) WriteCounted(writer_[id], e);
        ++blocked_[id];
        matched_.push_back(id);
      }
      for (size_t k = outer; k < matched_.size(); ++k) --blocked_[matched_[k]];
      matched_.resize(outer);
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
  Names names_;
  std::vector<NameInfo> nameInfo_;
  std::vector<Claimant> claimants_;
  std::vector<uint32_t> recordNames_;
  bool emptyNameKnown_ = false;
  std::vector<size_t> lastClaim_;
  std::vector<uint32_t> tripleOf_;  // per collected entry
  std::vector<size_t> writer_;      // per triple
  std::vector<int> blocked_;        // per triple
  std::vector<uint32_t> matched_;   // triples blocked by the lists the walk is in
  size_t walked_ = 0;
};

}  // namespace

void AggregateActivity(GroupMap& tree, std::span<const RecordLines> records,
                       PeriodCalendar& calendar) {
  Aggregator(tree, records, calendar).Run();
}

// Load and aggregation of a month of heavy use beside the floor: reading the same log
// files whole and counting their lines. Each load benchmark reports its best CPU time,
// the floor's best CPU time and their ratio as counters.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "accounting/DLLDocument.h"
#include "framework/core/Clock.h"
#include "framework/core/FileIO.h"
#include "framework/core/LogFileFinder.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDays = 31;
constexpr int kApplications = 400;  // in the tree; records also use 50 the tree lacks

int64_t LocalMidnight(int year, int month, int day) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&fields));
}

// "now" of every run: the evening of the last logged day.
int64_t BenchNow() { return LocalMidnight(2026, 7, 31) + 18 * 3600; }

// The generated files live in $TASKMETER_BENCH_DIR when set (kept, and reused by the
// next run), else in a temporary folder removed at exit.
fs::path Root() {
  static const fs::path root = [] {
    if (const char* kept = std::getenv("TASKMETER_BENCH_DIR"); kept && *kept) return fs::path(kept);
    static const fs::path made =
        fs::temp_directory_path() / ("taskmeter-bench-" + std::to_string(::getpid()));
    std::atexit([] { fs::remove_all(made); });
    return made;
  }();
  fs::create_directories(root);
  return root;
}

std::string Two(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value % 100);
  return text;
}

std::string Stamp(int month, int day, int secondOfDay) {
  return Two(month) + ' ' + Two(day) + ' ' + Two(secondOfDay / 3600) + ' ' +
         Two(secondOfDay / 60 % 60) + ' ' + Two(secondOfDay % 60);
}

// 31 daily logs holding `records` switches in all, working hours 07:00 to 19:00.
fs::path LogFolder(int records) {
  const fs::path folder = Root() / ("data-" + std::to_string(records));
  if (fs::exists(folder)) return folder;
  fs::create_directories(folder);
  std::mt19937 random(records);
  std::uniform_int_distribution<int> app(0, kApplications + 49), project(0, 29), doc(0, 99);
  const int perDay = records / kDays + 1;
  for (int d = 1; d <= kDays; ++d) {
    const int month = 7;
    std::string text;
    text.reserve(static_cast<size_t>(perDay) * 160);
    int second = 7 * 3600;
    const int step = 12 * 3600 / perDay;
    for (int i = 0; i < perDay; ++i) {
      const int a = app(random);
      const std::string start = Stamp(month, d, second);
      second += std::max(1, step);
      text += start + '\n' + Stamp(month, d, second) + '\n';
      text += "App " + std::to_string(a) + '\n';
      text += "doc" + std::to_string(doc(random)) + ".txt - proj" +
              std::to_string(project(random)) + " - App " + std::to_string(a) + '\n';
      text +=
          "app" + std::to_string(a) + ".exe\n/opt/apps/app" + std::to_string(a) + "/bin/app\n~~~\n";
    }
    std::ofstream(folder / ("2026-07-" + Two(d) + ".log"), std::ios::binary) << text;
  }
  return folder;
}

// A tree of `entries` entries in 3/10 as many groups: top-level groups, each carrying
// two sub-groups; a third of the entries divide their application by project, and
// most applications stand in several groups.
GroupMap MakeTree(int entries) {
  const int tops = std::max(1, entries / 10);
  std::vector<AppList> buckets(static_cast<size_t>(tops) * 3);  // top, Sub A, Sub B
  for (int i = 0; i < entries; ++i) {
    const int a = (i * 7) % kApplications;
    AppEntry e;
    e.Name = "app" + std::to_string(a) + ".exe";
    e.Path = "/opt/apps/app" + std::to_string(a) + "/bin/app";
    e.ShowAs = "App " + std::to_string(a);
    if (i % 3 == 0) {
      e.isCheckTitleFilter = true;
      e.TitleFilter = "proj" + std::to_string(i % 30);
      e.ShowAs += " " + e.TitleFilter;
    }
    buckets[static_cast<size_t>(i) % buckets.size()].push_back(e);
  }
  GroupMap tree;
  for (int g = 0; g < tops; ++g) {
    AppEntry carrier;
    carrier.ShowAs = carrier.Name = "None";
    carrier.SubGroups["Sub A"] = std::move(buckets[g * 3 + 1]);
    carrier.SubGroups["Sub B"] = std::move(buckets[g * 3 + 2]);
    AppList& top = tree["Group " + std::to_string(g)];
    top = std::move(buckets[g * 3]);
    top.push_back(std::move(carrier));
  }
  return tree;
}

// A home folder whose preferences name the log folder of `records`.
fs::path Home(int records, int entries) {
  const fs::path home =
      Root() / ("home-" + std::to_string(records) + "-" + std::to_string(entries));
  fs::create_directories(home / "options");
  MainPrefs prefs;
  prefs.DbPath = LogFolder(records).string();
  WriteMainPrefs((home / "options" / "mainpref.ini").string(), prefs);
  WriteFileAtomically((home / "options" / "viewopt.xml").string(),
                      ViewOptionsText(MakeTree(entries)));
  return home;
}

// The floor: every log file read whole into memory and its lines counted. One buffer
// serves all files, so the floor pays for the bytes and not for fresh memory.
size_t ReadAndCountLines(const fs::path& folder) {
  static std::string buffer;
  size_t lines = 0;
  for (const LogFileEntry& file : FindLogFiles(folder.string())) {
    const int fd = ::open(file.FullPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    ::fstat(fd, &info);
    buffer.resize(static_cast<size_t>(info.st_size));
    size_t used = 0;
    for (ssize_t n; used < buffer.size() &&
                    (n = ::read(fd, buffer.data() + used, buffer.size() - used)) > 0;) {
      used += static_cast<size_t>(n);
    }
    ::close(fd);
    lines += static_cast<size_t>(std::count(buffer.data(), buffer.data() + used, '\n'));
  }
  return lines;
}

// Process CPU time in seconds: the machine is shared, so ratios use CPU time, which
// other processes disturb far less than wall time.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double BestFloor(const fs::path& folder) {
  double best = 1e9;
  for (int i = 0; i < 9; ++i) {
    const double start = CpuSeconds();
    benchmark::DoNotOptimize(ReadAndCountLines(folder));
    best = std::min(best, CpuSeconds() - start);
  }
  return best;
}

void Prepare() {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  SetFixedClock(BenchNow());
}

void BM_Floor(benchmark::State& state) {
  Prepare();
  const fs::path folder = LogFolder(static_cast<int>(state.range(0)));
  size_t lines = 0;
  for (auto _ : state) benchmark::DoNotOptimize(lines = ReadAndCountLines(folder));
  state.counters["lines"] = static_cast<double>(lines);
}

// The document's scan and aggregation, on the tree the load read from the file.
void BM_ScanAndAggregate(benchmark::State& state) {
  Prepare();
  const int records = static_cast<int>(state.range(0));
  const int entries = static_cast<int>(state.range(1));
  const fs::path home = Home(records, entries);
  setenv("TASKMETER_HOME", home.c_str(), 1);
  CDLLDocument doc;
  doc.ReadPrefs();
  doc.LoadDocument();
  GroupMap tree;
  ViewOptionsFile((home / "options" / "viewopt.xml").string()).Load(tree);
  double best = 1e9;
  for (auto _ : state) {
    state.PauseTiming();
    doc.GetGroupMap() = tree;  // a load always starts from the tree in the file
    state.ResumeTiming();
    const double start = CpuSeconds();
    doc.ScanActivityLogs();
    best = std::min(best, CpuSeconds() - start);
  }
  const double floor = BestFloor(LogFolder(records));
  state.counters["records"] = static_cast<double>(doc.GetRecords().size());
  state.counters["entries"] = entries;
  state.counters["load_ms"] = best * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["ratio"] = best / floor;
}

// The whole refresh: tree file read, scan, aggregation, tree file written.
void BM_LoadDocument(benchmark::State& state) {
  Prepare();
  const int records = static_cast<int>(state.range(0));
  const int entries = static_cast<int>(state.range(1));
  const fs::path home = Home(records, entries);
  setenv("TASKMETER_HOME", home.c_str(), 1);
  CDLLDocument doc;
  doc.ReadPrefs();
  double best = 1e9;
  for (auto _ : state) {
    const double start = CpuSeconds();
    doc.LoadDocument();
    best = std::min(best, CpuSeconds() - start);
  }
  const double floor = BestFloor(LogFolder(records));
  state.counters["load_ms"] = best * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["ratio"] = best / floor;
}

}  // namespace

BENCHMARK(BM_Floor)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanAndAggregate)
    ->Args({10000, 1000})
    ->Args({30000, 1000})
    ->Args({100000, 1000})
    ->Args({100000, 100})
    ->Args({100000, 300})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDocument)
    ->Args({10000, 1000})
    ->Args({100000, 1000})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

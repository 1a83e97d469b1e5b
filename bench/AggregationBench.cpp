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

#include "HeavyMonth.h"
#include "accounting/DLLDocument.h"
#include "framework/core/Clock.h"
#include "framework/core/FileIO.h"
#include "framework/core/LogFileFinder.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"

namespace fs = std::filesystem;

namespace {

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

// The home of a month of `state.range(0)` records over a tree of `state.range(1)`
// entries, made the home the next document opens.
fs::path OpenHome(const benchmark::State& state) {
  Prepare();
  const fs::path home = Home(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  setenv("TASKMETER_HOME", home.c_str(), 1);
  return home;
}

// The best time beside the floor: reading the same logs and nothing else.
void CountAgainstFloor(benchmark::State& state, double best) {
  const double floor = BestFloor(LogFolder(static_cast<int>(state.range(0))));
  state.counters["load_ms"] = best * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["ratio"] = best / floor;
}

// The document's scan and aggregation, on the tree the load read from the file.
void BM_ScanAndAggregate(benchmark::State& state) {
  const fs::path home = OpenHome(state);
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
  state.counters["records"] = static_cast<double>(doc.GetRecordCount());
  state.counters["entries"] = static_cast<double>(state.range(1));
  CountAgainstFloor(state, best);
}

// The whole refresh: tree file read, scan, aggregation, tree file written.
void BM_LoadDocument(benchmark::State& state) {
  OpenHome(state);
  CDLLDocument doc;
  doc.ReadPrefs();
  double best = 1e9;
  for (auto _ : state) {
    const double start = CpuSeconds();
    doc.LoadDocument();
    best = std::min(best, CpuSeconds() - start);
  }
  CountAgainstFloor(state, best);
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

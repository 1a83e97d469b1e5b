// The report tool as a whole process beside `cat` of the same log files, on a
// generated heavy month: wall time and peak memory of each, run in turns. In-process
// benchmarks keep their buffers warm; a fresh process pays for every page it touches,
// which is what a user waiting for the report or the viewer sees.
//
// The same report over two computers' heavy months (this one's and one more in the
// computers folder) beside the report of one, in turns: the work should grow with the
// records and no faster.
//
// Run with --benchmark_repetitions=7 --benchmark_report_aggregates_only=true for the
// medians. $TASKMETER_REPORT names another report program to measure (an older build).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "HeavyMonth.h"
#include "framework/core/CivilTime.h"
#include "framework/core/LogFileFinder.h"

namespace fs = std::filesystem;

namespace {

struct ProcessCost {
  double seconds = 0;
  double peakMegabytes = 0;
};

// Runs `argv` with its output thrown away and waits for it.
ProcessCost Run(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
  return {elapsed.count(), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

std::string ReportProgram() {
  const char* other = std::getenv("TASKMETER_REPORT");
  return other && *other ? other : TASKMETER_REPORT;
}

std::string NowText() { return FormatDateTime(BenchNow()); }

// The report reads other computers' logs from below $XDG_DATA_HOME; the children get
// one whose computers folder holds `others` computers, none by default.
void UseComputers(int records, int others) {
  setenv("XDG_DATA_HOME", DataHome(records, others).c_str(), 1);
}

// One iteration: cat, then the report; each repetition is one such turn.
void BM_ReportAgainstCat(benchmark::State& state) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  const int records = static_cast<int>(state.range(0));
  UseComputers(records, 0);
  const fs::path home = Home(records, static_cast<int>(state.range(1)));
  std::vector<std::string> cat = {"/bin/cat"};
  double logBytes = 0;
  for (const LogFileEntry& file : FindLogFiles(LogFolder(records).string())) {
    cat.push_back(file.FullPath);
    logBytes += static_cast<double>(fs::file_size(file.FullPath));
  }
  const std::vector<std::string> report = {ReportProgram(), "--home",   home.string(), "--now",
                                           NowText(),       "--format", "json"};
  Run(report);  // the first run settles the tree file, as every later load finds it
  ProcessCost catCost, reportCost;
  for (auto _ : state) {
    catCost = Run(cat);
    reportCost = Run(report);
    state.SetIterationTime(reportCost.seconds);
  }
  state.counters["log_MB"] = logBytes / (1024.0 * 1024.0);
  state.counters["cat_ms"] = catCost.seconds * 1e3;
  state.counters["report_ms"] = reportCost.seconds * 1e3;
  state.counters["ratio"] = reportCost.seconds / catCost.seconds;
  state.counters["cat_peak_MB"] = catCost.peakMegabytes;
  state.counters["report_peak_MB"] = reportCost.peakMegabytes;
}

// One iteration: the report of one computer, of two, and of two by computer.
void BM_TwoComputersAgainstOne(benchmark::State& state) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  const int records = static_cast<int>(state.range(0));
  const fs::path home = Home(records, static_cast<int>(state.range(1)));
  const std::vector<std::string> report = {ReportProgram(), "--home",   home.string(), "--now",
                                           NowText(),       "--format", "json"};
  std::vector<std::string> byComputer = report;
  byComputer.push_back("--by-computer");
  UseComputers(records, 1);
  Run(report);  // settles the tree file with the applications of both computers
  ProcessCost one, two, twoByComputer;
  for (auto _ : state) {
    UseComputers(records, 0);
    one = Run(report);
    UseComputers(records, 1);
    two = Run(report);
    twoByComputer = Run(byComputer);
    state.SetIterationTime(two.seconds);
  }
  state.counters["one_ms"] = one.seconds * 1e3;
  state.counters["two_ms"] = two.seconds * 1e3;
  state.counters["ratio"] = two.seconds / one.seconds;
  state.counters["by_computer_ms"] = twoByComputer.seconds * 1e3;
  state.counters["one_peak_MB"] = one.peakMegabytes;
  state.counters["two_peak_MB"] = two.peakMegabytes;
}

}  // namespace

BENCHMARK(BM_ReportAgainstCat)
    ->Args({100000, 1000})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_TwoComputersAgainstOne)
    ->Args({100000, 1000})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

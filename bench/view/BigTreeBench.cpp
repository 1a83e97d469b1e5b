// The main view on large trees, offscreen, through the real host: every distinct program
// a user meets becomes an entry of "Other Applications", and some users keep thousands
// of projects. Measured: the rebuild of the tree (what every edit ends with), the
// Refresh command (reload and rebuild), switching to list mode and opening the
// New-group dialog, each on 1,000 to 100,000 applications in one group or spread over
// 10,000 groups. Each reports its best wall time as a counter.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "bench/HeavyMonth.h"
#include "bench/view/HostBench.h"
#include "framework/app/DocumentLinks.h"
#include "framework/core/Clock.h"
#include "framework/core/Document.h"
#include "framework/core/FileIO.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/windows/CView.h"
#include "host/HostApp.h"
#include "host/MainFrame.h"
#include "host/WindowImage.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 10000;
constexpr int kClients = 100;  // top-level groups, each holding 99 projects: 10,000 groups
constexpr int kProjects = 99;
constexpr int kToTree = 2008, kToList = 2014, kRefresh = 2027, kNewGroup = 2011;

CTaskMeterApp* g_app = nullptr;
fs::path g_home;

AppEntry Program(int n) {
  AppEntry e;
  e.Name = "prog" + std::to_string(n);
  e.Path = "/usr/bin/prog" + std::to_string(n);
  e.ShowAs = "Program " + std::to_string(n);
  return e;
}

// `apps` programs in shuffled order, all in "Other Applications" or spread at random
// over 100 clients of 99 projects each.
GroupMap MakeTree(int apps, bool spread) {
  std::vector<int> order(static_cast<size_t>(apps));
  for (int i = 0; i < apps; ++i) order[static_cast<size_t>(i)] = i;
  std::mt19937 random(apps);
  std::shuffle(order.begin(), order.end(), random);
  GroupMap tree;
  if (!spread) {
    AppList& other = tree[kOtherApplications];
    for (int n : order) other.push_back(Program(n));
    return tree;
  }
  std::vector<AppList*> groups;
  for (int c = 0; c < kClients; ++c) {
    AppList& client = tree["Client " + std::to_string(c)];
    AppEntry carrier;
    carrier.ShowAs = carrier.Name = "None";
    for (int p = 0; p < kProjects; ++p) carrier.SubGroups["Project " + std::to_string(p)];
    client.push_back(std::move(carrier));
    groups.push_back(&client);
    for (auto& [name, list] : client.front().SubGroups) groups.push_back(&list);
  }
  std::uniform_int_distribution<size_t> pick(0, groups.size() - 1);
  for (int n : order) groups[pick(random)]->push_back(Program(n));
  return tree;
}

CView* TheView() {
  const auto views = AfxGetViews(g_app->GetDocument());
  return views.empty() ? nullptr : views.front();
}

bool InListMode(CView* view) { return view->GetDlgItem(kToTree)->GetWidget()->isVisible(); }

// The tree of (apps, spread) in the options file and loaded, in tree mode.
CView* Load(int apps, bool spread) {
  static std::pair<int, bool> loaded{-1, false};
  CView* view = TheView();
  if (view == nullptr) return nullptr;
  if (InListMode(view)) ClickButton(view, kToTree);
  if (loaded != std::pair{apps, spread}) {
    WriteFileAtomically((g_home / "options" / "viewopt.xml").string(),
                        ViewOptionsText(MakeTree(apps, spread)));
    ClickButton(view, kRefresh);
    loaded = {apps, spread};
  }
  return view;
}

// Times `act` on each iteration, with `prepare` before it outside the timing.
template <typename Prepare, typename Act>
void TimeBest(benchmark::State& state, Prepare prepare, Act act) {
  double best = 1e9;
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    state.ResumeTiming();
    QElapsedTimer clock;
    clock.start();
    act();
    best = std::min(best, clock.nsecsElapsed() * 1e-6);
  }
  state.counters["best_ms"] = best;
}

// Args: applications, spread (0: one group, 1: over 10,000 groups).
void BM_FillTree(benchmark::State& state) {
  CView* view = Load(static_cast<int>(state.range(0)), state.range(1) == 1);
  if (view == nullptr) return state.SkipWithError("no view");
  TimeBest(
      state, [&] { ClickButton(view, kToList); }, [&] { ClickButton(view, kToTree); });
}

void BM_Refresh(benchmark::State& state) {
  CView* view = Load(static_cast<int>(state.range(0)), state.range(1) == 1);
  if (view == nullptr) return state.SkipWithError("no view");
  TimeBest(
      state, [] {}, [&] { ClickButton(view, kRefresh); });
}

void BM_ListMode(benchmark::State& state) {
  CView* view = Load(static_cast<int>(state.range(0)), true);
  if (view == nullptr) return state.SkipWithError("no view");
  TimeBest(
      state, [&] { ClickButton(view, kToTree); }, [&] { ClickButton(view, kToList); });
  ClickButton(view, kToTree);
}

// The dialog is answered at once (left open, it ends with Cancel): what is timed is the
// filling of its group list and its opening.
void BM_NewGroupDialog(benchmark::State& state) {
  CView* view = Load(static_cast<int>(state.range(0)), true);
  if (view == nullptr) return state.SkipWithError("no view");
  const ScopedModalHook answer([](ModalRequest&) {});
  TimeBest(
      state, [] {}, [&] { ClickButton(view, kNewGroup); });
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int spread : {0, 1}) {
    for (int apps : {1000, 10000, 100000}) b->Args({apps, spread});
  }
}

}  // namespace

BENCHMARK(BM_FillTree)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Refresh)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListMode)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NewGroupDialog)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("TZ", "Europe/Berlin", 1);
  SetFixedClock(BenchNow());
  g_home = fs::temp_directory_path() / ("taskmeter-bigtree-" + std::to_string(::getpid()));
  fs::create_directories(g_home / "options");
  std::atexit([] { fs::remove_all(g_home); });
  MainPrefs prefs;
  prefs.DbPath = LogFolder(kRecords).string();
  WriteMainPrefs((g_home / "options" / "mainpref.ini").string(), prefs);
  setenv("TASKMETER_HOME", g_home.c_str(), 1);
  return RunBenchmarksInHost(argc, argv, "taskmeter-bigtree-bench", g_app);
}

// The main view on a heavy month, offscreen, through the real host: the rebuild of the
// presentation (what every editing command ends with), switched by the view-mode button
// as a user switches it, and the time from opening the document to the window's first
// paint. Each reports its best wall time as a counter.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

#include "bench/HeavyMonth.h"
#include "bench/view/HostBench.h"
#include "framework/app/CMultiDocTemplate.h"
#include "framework/app/DocumentLinks.h"
#include "framework/core/Clock.h"
#include "framework/core/Document.h"
#include "framework/windows/CView.h"
#include "host/HostApp.h"
#include "host/MainFrame.h"
#include "host/WindowImage.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kEntries = 1000;                 // in 300 groups
constexpr int kToTree = 2008, kToList = 2014;  // the view-mode buttons

CTaskMeterApp* g_app = nullptr;

// Counts paints of one widget and what lies inside it.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

CView* FirstView(CDocument* doc) {
  const auto views = AfxGetViews(doc);
  return views.empty() ? nullptr : views.front();
}

// Clicks whichever view-mode button is showing: the view switches to the other mode.
void SwitchMode(CView* view) {
  ClickButton(view, view->GetDlgItem(kToList)->GetWidget()->isVisible() ? kToList : kToTree);
}

bool InListMode(CView* view) { return view->GetDlgItem(kToTree)->GetWidget()->isVisible(); }

// Arg 0: the rebuild into tree mode, 1: into list mode.
void BM_RefreshView(benchmark::State& state) {
  const bool toList = state.range(0) == 1;
  CView* view = FirstView(g_app->GetDocument());
  if (view == nullptr) return state.SkipWithError("no view");
  double best = 1e9;
  for (auto _ : state) {
    state.PauseTiming();
    if (InListMode(view) == toList) SwitchMode(view);
    state.ResumeTiming();
    QElapsedTimer clock;
    clock.start();
    SwitchMode(view);
    best = std::min(best, clock.nsecsElapsed() * 1e-6);
  }
  state.counters["best_ms"] = best;
}

void BM_OpenToFirstPaint(benchmark::State& state) {
  CMultiDocTemplate* tmpl = g_app->GetModuleTemplate();
  double best = 1e9;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    CDocument* doc = tmpl->OpenDocumentFile(nullptr);
    CView* view = doc != nullptr ? FirstView(doc) : nullptr;
    if (view == nullptr) return state.SkipWithError("no document");
    PaintCounter counter;
    view->GetWidget()->installEventFilter(&counter);
    while (counter.paints == 0 && clock.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    best = std::min(best, clock.nsecsElapsed() * 1e-6);
    view->GetWidget()->removeEventFilter(&counter);
    state.PauseTiming();
    doc->OnCloseDocument();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["best_ms"] = best;
}

}  // namespace

BENCHMARK(BM_RefreshView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("TZ", "Europe/Berlin", 1);
  SetFixedClock(BenchNow());
  const auto home = Home(kRecords, kEntries);
  setenv("TASKMETER_HOME", home.c_str(), 1);
  return RunBenchmarksInHost(argc, argv, "taskmeter-view-bench", g_app);
}

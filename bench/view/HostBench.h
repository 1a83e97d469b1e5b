#pragma once
// Starts the real host, as a user's start does, in the home TASKMETER_HOME names, shows its
// window and runs the registered benchmarks against it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdio>

#include "framework/core/Paths.h"
#include "framework/windows/CView.h"
#include "host/HostApp.h"
#include "host/MainFrame.h"
#include "host/WindowImage.h"

inline int RunBenchmarksInHost(int argc, char** argv, const char* program, CTaskMeterApp*& app) {
  QApplication qt(argc, argv);
  CTaskMeterApp host;
  HostStartOptions options;
  options.home = GetExecutableDirectory();  // TASKMETER_HOME, which the bench has set
  if (const Status started = host.Start(options); !started) {
    std::fprintf(stderr, "%s: %s\n", program, started.Message().c_str());
    return 1;
  }
  ShowMainWindow(host.GetMainFrame());
  QApplication::processEvents();
  app = &host;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  app = nullptr;
  return 0;
}

// Clicks the view's button `id` as the mouse does: a press and a release at its centre.
inline void ClickButton(CView* view, int id) {
  QWidget* button = view->GetDlgItem(id)->GetWidget();
  const QPointF at = button->rect().center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &event);
  }
}

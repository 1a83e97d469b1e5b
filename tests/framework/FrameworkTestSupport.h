#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <string>
#include <vector>

#include "framework/resources/Resources.h"
#include "framework/windows/CWnd.h"

// Lets queued events (posted messages, timers) run for a short fixed time.
inline void PumpEvents(int milliseconds = 30) {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents();
    QThread::msleep(1);
  } while (clock.elapsed() < milliseconds);
}

// A shared journal that handlers write to, so tests compare the order of calls.
struct Journal {
  std::vector<std::string> entries;
  void Add(std::string entry) { entries.push_back(std::move(entry)); }
};

// A plain top-level window made for a test.
class TestWnd : public CWnd {
 public:
  BOOL CreateTopLevel(const char* title = "test") {
    return CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0);
  }
};

// A dialog template at the origin in the default dialog font.
inline DialogResource MakeDialog(UINT id, const char* caption, int cx, int cy, LONG style,
                                 std::vector<DialogItem> items) {
  return {id, caption, 0, 0, cx, cy, style, "MS Shell Dlg", 8, std::move(items)};
}

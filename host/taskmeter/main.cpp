#include <QApplication>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "host/taskmeter/HostApp.h"
#include "host/taskmeter/MainFrame.h"
#include "host/taskmeter/WindowImage.h"
#include "host/toolkit/CommandLine.h"

namespace {

constexpr const char* kUsage =
    "usage: taskmeter [--module FILE] [--screenshot FILE.png]\n"
    "  --module FILE       the module library (default: libtaskmeter-module.so beside\n"
    "                      the program)\n"
    "  --screenshot FILE   draw the main window into a PNG file and exit\n"
    "The options are read from the folder \"options\" beside the program, or in\n"
    "$TASKMETER_HOME when it is set; it is created on the first start.\n";

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // hiding to the tray closes no program

  CommandLine options({{"module"}, {"screenshot"}, {"help", false}});
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!options.Parse(args)) {
    std::cerr << "taskmeter: " << options.Error() << "\n" << kUsage;
    return 2;
  }
  if (options.Has("help")) {
    std::cout << kUsage;
    return 0;
  }

  CTaskMeterApp app;
  HostStartOptions start;
  start.modulePath = options.Value("module").value_or("");
  // Made absolute now: loading the document changes the current directory.
  std::string screenshot = options.Value("screenshot").value_or("");
  if (!screenshot.empty()) screenshot = std::filesystem::absolute(screenshot).string();
  std::string error;
  if (!app.Start(start, error)) {
    std::cerr << "taskmeter: " << error << "\n";
    if (screenshot.empty() && app.m_pMainWnd != nullptr) {
      AfxShowMessageBox(app.m_pMainWnd, error.c_str(), "TaskMeter", MB_OK | MB_ICONERROR);
    }
    return 1;
  }
  ShowMainWindow(app.GetMainFrame());
  if (!screenshot.empty()) {
    if (!SaveWindowImage(app.GetMainFrame(), screenshot, error)) {
      std::cerr << "taskmeter: " << error << "\n";
      return 1;
    }
    std::cout << "Saved the main window to " << screenshot << "\n";
    return 0;
  }
  return app.Run();
}

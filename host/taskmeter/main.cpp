#include <QApplication>
#include <cstdlib>
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

// The offscreen platform reports for every window that it cannot pass size hints on;
// that says nothing about the picture, so the run stays quiet about it.
QtMessageHandler g_previousHandler = nullptr;

void QuietOffscreenMessages(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
  if (message.contains("does not support propagateSizeHints")) return;
  if (g_previousHandler != nullptr) {
    g_previousHandler(type, context, message);
  } else {
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << "\n";
  }
}

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

int Fail(const std::string& error) {
  std::cerr << "taskmeter: " << error << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Arguments first: a wrong one needs no window system.
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
  // Made absolute now: loading the document changes the current directory.
  std::string screenshot = options.Value("screenshot").value_or("");
  if (!screenshot.empty()) {
    screenshot = std::filesystem::absolute(screenshot).string();
    // A picture needs no screen.
    if (!HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }

  QApplication qt(argc, argv);
  if (QApplication::platformName() == "offscreen") {
    g_previousHandler = qInstallMessageHandler(QuietOffscreenMessages);
  }
  QApplication::setQuitOnLastWindowClosed(false);  // hiding to the tray closes no program

  CTaskMeterApp app;
  HostStartOptions start;
  start.modulePath = options.Value("module").value_or("");
  std::string error;
  if (!app.Start(start, error)) {
    if (screenshot.empty() && app.m_pMainWnd != nullptr) {
      AfxShowMessageBox(app.m_pMainWnd, error.c_str(), "TaskMeter", MB_OK | MB_ICONERROR);
    }
    return Fail(error);
  }
  ShowMainWindow(app.GetMainFrame());
  if (!screenshot.empty()) {
    if (!SaveWindowImage(app.GetMainFrame(), screenshot, error)) return Fail(error);
    std::cout << "Saved the main window to " << screenshot << "\n";
    return 0;
  }
  return app.Run();
}

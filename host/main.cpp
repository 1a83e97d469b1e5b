#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "framework/core/Paths.h"
#include "framework/dialogbase/MessageBox.h"
#include "framework/dialogbase/ModalHook.h"
#include "host/HostApp.h"
#include "host/HostLinks.h"
#include "host/MainFrame.h"
#include "host/RecorderChoice.h"
#include "host/SingleInstance.h"
#include "host/TerminationSignals.h"
#include "host/WindowImage.h"
#include "recorder/RecorderService.h"
#include "recorder/x11/DesktopSession.h"

namespace {

constexpr const char* kUsage =
    "usage: taskmeter [--module FILE] [--recorder KIND] [--screenshot FILE.png] [--version]\n"
    "  --module FILE       the module library (default: libtaskmeter-module.so beside\n"
    "                      the program, or in ../lib/taskmeter/ from it)\n"
    "  --recorder KIND     follow this kind of desktop: x11, wlroots, kde, gnome, or\n"
    "                      none to record nothing (default: the session's own)\n"
    "  --screenshot FILE   draw the main window into a PNG file and exit\n"
    "  --version           print the version and exit\n"
    "The options are read from the folder \"options\" in $TASKMETER_HOME when it is set,\n"
    "else beside the program when the program's folder holds one, else in\n"
    "$XDG_CONFIG_HOME/TaskMeter (~/.config/TaskMeter); it is created on the first start.\n"
    "While it runs on an X11 desktop, GNOME, KDE Plasma or a wlroots compositor (sway and\n"
    "the like), taskmeter records which application is in front into the data folder.\n";

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

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool HasDisplay() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

// Why Qt could not open the X11 display it is about to use; empty when it can, or when
// it uses another platform. Qt itself would abort on it with a page of advice.
std::string X11Problem() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool x11 =
      IsSet("QT_QPA_PLATFORM") ? std::string(platform) == "xcb" : !IsSet("WAYLAND_DISPLAY");
  return x11 && IsSet("DISPLAY") ? X11DisplayProblem(std::getenv("DISPLAY")) : std::string();
}

// The host while its event loop runs. Qt leaves with exit() when the X server goes away
// at the end of the session, which skips the destructors that would write "Stop".
CTaskMeterApp* g_runningHost = nullptr;

void StopRecording() {
  if (g_runningHost == nullptr) return;
  // The frame is gone once the window was closed, and its recorder with it.
  if (CMainFrame* frame = g_runningHost->GetMainFrame()) frame->GetRecorder().Stop();
}

int Fail(const std::string& error) {
  std::cerr << "taskmeter: " << error << "\n";
  return 1;
}

struct Arguments {
  std::string modulePath;
  std::string screenshot;
  std::optional<DesktopKind> recorder;
};

// 0 to go on; otherwise the exit status (help, or a wrong argument).
int ParseArguments(int argc, char** argv, Arguments& arguments) {
  QStringList words;
  for (int i = 0; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  const QCommandLineOption module("module", "the module library", "FILE");
  const QCommandLineOption screenshot("screenshot", "draw the main window and exit", "FILE");
  const QCommandLineOption recorder("recorder", "the kind of desktop to follow", "KIND");
  const QCommandLineOption help("help", "this text");
  const QCommandLineOption version("version", "the version");
  parser.addOptions({module, screenshot, recorder, help, version});
  if (!parser.parse(words) || !parser.positionalArguments().isEmpty()) {
    const std::string error =
        parser.errorText().isEmpty()
            ? "unexpected argument " + parser.positionalArguments().front().toStdString()
            : parser.errorText().toStdString();
    std::cerr << "taskmeter: " << error << "\n" << kUsage;
    return 2;
  }
  if (parser.isSet(help)) {
    std::cout << kUsage;
    return -1;
  }
  if (parser.isSet(version)) {
    std::cout << "taskmeter " << kHostVersion << "\n";
    return -1;
  }
  if (parser.isSet(recorder)) {
    const std::string kind = parser.value(recorder).toStdString();
    arguments.recorder = DesktopKindNamed(kind);
    if (!arguments.recorder) {
      std::cerr << "taskmeter: --recorder takes x11, wlroots, kde, gnome or none, not " << kind
                << "\n"
                << kUsage;
      return 2;
    }
  }
  arguments.modulePath = parser.value(module).toStdString();
  arguments.screenshot = parser.value(screenshot).toStdString();
  return 0;
}

int TakeScreenshot(CTaskMeterApp& app, const std::string& path) {
  std::string error;
  if (!SaveWindowImage(app.GetMainFrame(), path, error)) return Fail(error);
  std::cout << "Saved the main window to " << path << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Arguments first: a wrong one needs no window system.
  Arguments arguments;
  if (const int status = ParseArguments(argc, argv, arguments); status != 0) {
    return status < 0 ? 0 : status;
  }
  std::string& screenshot = arguments.screenshot;
  if (!screenshot.empty()) {
    // Made absolute now: loading the document changes the current directory.
    screenshot = std::filesystem::absolute(screenshot).string();
    // A picture needs no screen.
    if (!HasDisplay() || !X11Problem().empty()) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  } else if (!HasDisplay() && !IsSet("QT_QPA_PLATFORM")) {
    return Fail("no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
  } else if (const std::string problem = X11Problem(); !problem.empty()) {
    return Fail(problem);
  }

  // Nothing can be kept without a home; say so before any window is made.
  if (GetExecutableDirectory().empty()) {
    return Fail("no folder for the options: set HOME, XDG_CONFIG_HOME or TASKMETER_HOME");
  }

  QApplication qt(argc, argv);
#ifdef TASKMETER_APP_ID
  QGuiApplication::setDesktopFileName(QStringLiteral(TASKMETER_APP_ID));
#endif
  if (QApplication::platformName() == "offscreen") {
    g_previousHandler = qInstallMessageHandler(QuietOffscreenMessages);
  }
  QApplication::setQuitOnLastWindowClosed(false);  // hiding to the tray closes no program

  // A picture is taken beside a running host; everything else needs the home to itself.
  SingleInstance instance(GetExecutableDirectory());
  if (screenshot.empty() && !instance.Claim()) {
    if (instance.HandOver()) return 0;
    return Fail("another taskmeter runs on this home but does not answer");
  }

  if (!screenshot.empty()) {
    // Nobody is there to answer a box (an options file that cannot be used): its text
    // goes to standard error and the picture is taken all the same.
    AfxSetModalHook([](ModalRequest& request) {
      if (request.Dialog() == nullptr) std::cerr << "taskmeter: " << request.Text() << '\n';
    });
  }
  CTaskMeterApp app;
  HostStartOptions start;
  start.modulePath = arguments.modulePath;
  start.record = screenshot.empty();
  start.recorder = arguments.recorder;
  std::string error;
  if (!app.Start(start, error)) {
    if (screenshot.empty() && app.m_pMainWnd != nullptr) {
      AfxShowMessageBox(app.m_pMainWnd, error.c_str(), "TaskMeter", MB_OK | MB_ICONERROR);
    }
    return Fail(error);
  }
  ShowMainWindow(app.GetMainFrame());
  if (!screenshot.empty()) return TakeScreenshot(app, screenshot);

  instance.SetShowRequestHandler([&app] {
    if (CMainFrame* frame = app.GetMainFrame()) frame->RestoreFromTray();
  });
  // A signal ends the host at once, whatever dialog is open: "Stop" is written first.
  // Nothing else is owed on the way out, since every change is saved when it is made;
  // leaving through the event loops instead would wait for each dialog to close.
  g_runningHost = &app;
  std::atexit(StopRecording);
  TerminationSignals terminationSignals([] {
    StopRecording();
    std::cout.flush();
    std::cerr.flush();
    ::_exit(0);
  });
  const int status = app.Run();
  g_runningHost = nullptr;
  return status;
}

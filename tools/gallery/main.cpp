#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <iostream>
#include <string>

#include "framework/app/ModuleState.h"
#include "framework/resources/Resources.h"
#include "framework/windows/CWnd.h"
#include "res/ModuleResourceTable.h"
#include "tools/gallery/GalleryScenes.h"
#include "tools/gallery/GallerySheet.h"

namespace {

// The offscreen platform cannot grab the mouse; hovered and pressed buttons ask it to.
// That note says nothing about the pictures, so it is left out of the output.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.contains(QLatin1String("grabbing the mouse"))) return;
  if (type != QtDebugMsg) std::cerr << message.toStdString() << '\n';
}

HINSTANCE ResourceHandle() {
  static const char marker = 0;
  return reinterpret_cast<HINSTANCE>(const_cast<char*>(&marker));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::cerr << "usage: taskmeter-gallery OUTDIR\n"
                 "Renders the owner-drawn controls in each of their states to PNG files.\n";
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir()) {
    std::cerr << "taskmeter-gallery: " << argv[1] << " is not a folder\n";
    return 2;
  }
  // Pictures need no screen: draw offscreen unless a platform was asked for.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qInstallMessageHandler(QuietHandler);
  if (!QDir().mkpath(folder)) {
    std::cerr << "taskmeter-gallery: cannot make " << argv[1] << '\n';
    return 1;
  }

  const ModuleResources registration(ResourceHandle(), ModuleResourceTable());
  const AfxResourceHandleGuard resources(ResourceHandle());
  CWnd owner;
  if (!owner.CreateEx(0, nullptr, "gallery", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      CRect(0, 0, 640, 480), nullptr, 0)) {
    std::cerr << "taskmeter-gallery: no window could be made\n";
    return 1;
  }
  QApplication::processEvents();

  GallerySheet sheet(folder.toStdString());
  bool ok = true;
  ok = RenderImageButtons(owner, sheet) && ok;
  ok = RenderImageListBox(owner, sheet) && ok;
  ok = RenderTreeComboBox(owner, sheet) && ok;
  ok = RenderTabHosts(owner, sheet) && ok;
  for (const std::string& path : sheet.Written()) std::cout << path << '\n';
  if (!ok) std::cerr << "taskmeter-gallery: some pictures could not be made or written\n";
  owner.DestroyWindow();
  return ok ? 0 : 1;
}

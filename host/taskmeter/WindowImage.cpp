#include "host/taskmeter/WindowImage.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "framework/CFormView.h"
#include "framework/CMDIChildWnd.h"
#include "framework/CMDIFrameWnd.h"

namespace {

// Room around the form: the menu bar and the frames of the main and child windows.
constexpr int kFrameMarginX = 24;
constexpr int kFrameMarginY = 56;

void SettleEvents() {
  for (int round = 0; round < 5; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

}  // namespace

void ShowMainWindow(CMDIFrameWnd* frame) {
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;
  QWidget* window = frame->GetSafeHwnd();
  int width = 800;
  int height = 600;
  if (CMDIChildWnd* child = frame->MDIGetActive()) {
    if (auto* form = dynamic_cast<CFormView*>(child->GetActiveView())) {
      width = std::max(width, static_cast<int>(form->GetTotalSize().cx) + kFrameMarginX);
      const int menuHeight =
          frame->GetMenuBar() != nullptr ? frame->GetMenuBar()->sizeHint().height() : 0;
      height =
          std::max(height, static_cast<int>(form->GetTotalSize().cy) + kFrameMarginY + menuHeight);
    }
  }
  // The frame's top-left corner goes inside the screen's free area, so the window
  // manager's title bar is never above its top edge.
  if (const QScreen* screen = window->screen()) {
    const QRect free = screen->availableGeometry();
    window->move(free.left() + std::max(0, (free.width() - width) / 2),
                 free.top() + std::max(0, (free.height() - height - kFrameMarginY) / 2));
  }
  window->resize(width, height);
  window->show();
  SettleEvents();
}

QImage RenderWindow(CMDIFrameWnd* frame) {
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return {};
  SettleEvents();
  return frame->GetSafeHwnd()->grab().toImage();
}

bool SaveWindowImage(CMDIFrameWnd* frame, const std::string& path, std::string& error) {
  const QImage image = RenderWindow(frame);
  if (image.isNull()) {
    error = "the main window has no picture";
    return false;
  }
  if (!image.save(QString::fromStdString(path), "PNG")) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

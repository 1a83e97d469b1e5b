#include "host/WindowImage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <algorithm>

#include "framework/windows/CFormView.h"
#include "framework/windows/CMDIChildWnd.h"
#include "framework/windows/CMDIFrameWnd.h"

namespace {

// Room around the form: the menu bar and the frames of the main and child windows.
constexpr int kFrameMarginX = 24;
constexpr int kFrameMarginY = 56;
constexpr int kFrameWaitMilliseconds = 1000;

void SettleEvents() {
  for (int round = 0; round < 5; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

QMargins FrameMargins(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

// A window manager frames a new window a moment after it is shown.
void AwaitFrame(const QWidget* window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  QElapsedTimer waited;
  waited.start();
  while (FrameMargins(window).isNull() && waited.elapsed() < kFrameWaitMilliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
}

CFormView* ActiveForm(CMDIFrameWnd* frame) {
  CMDIChildWnd* child = frame->MDIGetActive();
  return child != nullptr ? dynamic_cast<CFormView*>(child->GetActiveView()) : nullptr;
}

// The form keeps its minimum size: the window may shrink only as far as that allows.
void KeepFormMinimum(QWidget* window, const CFormView* form) {
  const QWidget* face = form != nullptr ? form->GetSafeHwnd() : nullptr;
  if (face == nullptr || form->GetMinimumSize().cx <= 0) return;
  const QSize around = window->size() - face->size();  // menu, bars and frames
  window->setMinimumSize(QSize(form->GetMinimumSize().cx, form->GetMinimumSize().cy) + around);
}

// Where a window whose inside wants `wanted` goes in the free area `available` when the
// window manager frames it with `frame`: centred, as large as wanted where it fits, and
// with its frame inside the area. The inside's rectangle.
QRect FitIntoArea(QSize wanted, const QMargins& frame, const QRect& available) {
  const QSize room = available.size().shrunkBy(frame);
  const QSize size = wanted.boundedTo(room).expandedTo(QSize(1, 1));
  QRect outer(QPoint(), size.grownBy(frame));
  outer.moveCenter(available.center());
  outer.moveTopLeft(
      QPoint(std::max(outer.left(), available.left()), std::max(outer.top(), available.top())));
  return outer.marginsRemoved(frame);
}

}  // namespace

void ShowMainWindow(CMDIFrameWnd* frame) {
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;
  QWidget* window = frame->GetSafeHwnd();
  QSize wanted(800, 600);
  CFormView* form = ActiveForm(frame);
  if (form != nullptr) {
    const int menuHeight =
        frame->GetMenuBar() != nullptr ? frame->GetMenuBar()->sizeHint().height() : 0;
    wanted = wanted.expandedTo(QSize(form->GetTotalSize().cx + kFrameMarginX,
                                     form->GetTotalSize().cy + kFrameMarginY + menuHeight));
  }
  const QScreen* screen = window->screen();
  if (screen == nullptr) {
    window->resize(wanted);
    window->show();
    SettleEvents();
    return;
  }
  // The window manager's frame is known once the window is shown: placed first as if it
  // had none, then again within it, so that neither the title bar nor the status bar
  // lies off the screen.
  const QRect free = screen->availableGeometry();
  window->setGeometry(FitIntoArea(wanted, QMargins(), free));
  window->show();
  SettleEvents();
  AwaitFrame(window);
  if (const QMargins margins = FrameMargins(window); !margins.isNull()) {
    window->setGeometry(FitIntoArea(wanted, margins, free));
    SettleEvents();
  }
  KeepFormMinimum(window, form);
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

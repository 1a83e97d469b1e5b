#include "framework/gdi/SystemMetrics.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

namespace {

int Metric(QStyle::PixelMetric metric) {
  const QStyle* style = QApplication::style();
  return style != nullptr ? style->pixelMetric(metric) : 0;
}

int ScreenSide(bool width) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 0;
  return width ? screen->geometry().width() : screen->geometry().height();
}

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return ScreenSide(true);
    case SM_CYSCREEN:
      return ScreenSide(false);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      // A thumb's short side is as thick as the bar it runs in.
      return Metric(QStyle::PM_ScrollBarExtent);
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
      return Metric(QStyle::PM_LargeIconSize);
    case SM_CXSMICON:
    case SM_CYSMICON:
      return Metric(QStyle::PM_SmallIconSize);
    default:
      return 0;
  }
}

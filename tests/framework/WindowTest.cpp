#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

#include "tests/framework/FrameworkTestSupport.h"

namespace {

// A window that goes away when clicked, as a close button's window does.
class SelfClosingWnd : public TestWnd {
 public:
  void OnLButtonDown(UINT, CPoint) { DestroyWindow(); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{TestWnd::GetMessageMap(),
                                {msg::Mouse(WM_LBUTTONDOWN, &SelfClosingWnd::OnLButtonDown)}};
    return &map;
  }
};

TEST(WindowSelfClosing, HandlerMayDestroyItsWindowInsideAQtEventAndClosingDestroys) {
  SelfClosingWnd closed;
  ASSERT_TRUE(closed.CreateTopLevel());
  QWidget* closedWidget = closed.GetSafeHwnd();
  closedWidget->close();
  EXPECT_EQ(closed.GetSafeHwnd(), nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(closedWidget), nullptr);
  SelfClosingWnd wnd;
  ASSERT_TRUE(wnd.CreateTopLevel());
  QPointer<QWidget> widget = wnd.GetSafeHwnd();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
  PumpEvents(5);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(widget.isNull());
}

}  // namespace

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "framework/dialogbase/CDataExchange.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/windows/InputState.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

constexpr LONG kChild = WS_CHILD | WS_VISIBLE;

const DialogResource kForm =
    MakeDialog(0, "", 160, 80, WS_CHILD,
               {{"EDIT", "", 2079, 7, 7, 96, 12, kChild | ES_PASSWORD | ES_AUTOHSCROLL},
                {"BUTTON", "&Save", 2010, 7, 25, 50, 13, kChild | BS_PUSHBUTTON | WS_DISABLED},
                {"BUTTON", "Enable", 2074, 7, 45, 100, 10, kChild | BS_AUTOCHECKBOX},
                {"STATIC", "New &password:", 2076, 60, 25, 50, 8, WS_CHILD | SS_LEFT},
                {"STATIC", "", 2019, 0, 0, 160, 1, kChild | SS_ETCHEDHORZ}});

// A window whose mouse handler can refuse the default handling.
class MouseWnd : public TestWnd {
 public:
  Journal journal;
  bool callDefault = true;
  void OnLButtonDown(UINT, CPoint p) {
    journal.Add("down@" + std::to_string(p.x) + "," + std::to_string(p.y));
    if (callDefault) CWnd::OnLButtonDown(0, p);
  }
  void OnCaptureChanged() { journal.Add("capture changed"); }
  void OnSize(UINT, int cx, int cy) {
    journal.Add("size " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  void OnContextMenu(CWnd*, CPoint) { journal.Add("context menu"); }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{
        TestWnd::GetMessageMap(),
        {msg::Mouse(WM_LBUTTONDOWN, &MouseWnd::OnLButtonDown),
         msg::Void(WM_CAPTURECHANGED, &MouseWnd::OnCaptureChanged), msg::Size(&MouseWnd::OnSize),
         msg::ContextMenu(&MouseWnd::OnContextMenu)}};
    return &map;
  }
};

// Most cases work in one plain top-level window.
class Window : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(wnd.CreateTopLevel()); }
  MouseWnd wnd;
};

TEST_F(Window, ControlsByIdShowTextStateAndStyle) {
  AfxCreateDialogControls(wnd.GetSafeHwnd(), kForm);
  CWnd* save = wnd.GetDlgItem(2010);
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->GetWindowText(), "&Save");
  EXPECT_FALSE(save->IsWindowEnabled());
  EXPECT_TRUE(save->EnableWindow(TRUE));  // it was disabled
  EXPECT_TRUE(save->IsWindowEnabled());
  EXPECT_EQ(wnd.GetDlgItemText(2076), "New &password:");  // as given, like a button's
  EXPECT_FALSE(wnd.GetDlgItem(2076)->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(wnd.GetDlgItem(2019)->GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_ETCHEDHORZ));
  EXPECT_EQ(wnd.GetDlgItem(4711), nullptr);
  EXPECT_EQ(wnd.GetDlgItem(2010), save);  // the same wrapper each time
}

TEST_F(Window, SubclassingReplacesTheTemporaryWrapper) {
  AfxCreateDialogControls(wnd.GetSafeHwnd(), kForm);
  ASSERT_NE(wnd.GetDlgItem(2074), nullptr);
  CWnd check;
  CDataExchange dx(&wnd, FALSE);
  DDX_Control(&dx, 2074, check);
  EXPECT_EQ(wnd.GetDlgItem(2074), &check);
  EXPECT_EQ(CWnd::FromHandlePermanent(check.GetSafeHwnd()), &check);
  // A second wrapper cannot take a control that already has a permanent one.
  CWnd other;
  EXPECT_FALSE(other.SubclassDlgItem(2074, &wnd));
  check.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(wnd.IsDlgButtonChecked(2074), static_cast<UINT>(BST_CHECKED));
  check.Detach();
}

TEST_F(Window, GeometryInPixelsCoordinateMappingAndTheWindowUnderAPoint) {
  wnd.MoveWindow(100, 50, 400, 300);
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 7));
  child.MoveWindow(15, 63, 280, 113);
  wnd.ShowWindow(SW_SHOW);
  CRect client;
  child.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 280, 113));
  CRect window;
  child.GetWindowRect(&window);
  wnd.ScreenToClient(&window);
  EXPECT_EQ(window, CRect(15, 63, 295, 176));
  CPoint p(5, 6);
  child.ClientToScreen(&p);
  EXPECT_EQ(WindowFromPoint(p), &child);  // the innermost window
  wnd.ScreenToClient(&p);
  EXPECT_EQ(p, CPoint(20, 69));
  CPoint outside(5, 5);
  wnd.ClientToScreen(&outside);
  EXPECT_EQ(WindowFromPoint(outside), &wnd);
}

TEST_F(Window, MouseHandlerDecidesWhetherTheWidgetSeesTheClick) {
  auto click = [&] {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(12, 7), QPointF(12, 7), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wnd.GetSafeHwnd(), &press);
    return press.isAccepted();
  };
  // With the default handling the plain widget gets the press (and ignores it).
  EXPECT_FALSE(click());
  wnd.callDefault = false;
  EXPECT_TRUE(click());  // taken by the handler, never seen by the widget
  EXPECT_EQ(wnd.journal.entries, (std::vector<std::string>{"down@12,7", "down@12,7"}));
  // Disabled windows drop input before their map sees it.
  wnd.EnableWindow(FALSE);
  wnd.journal.entries.clear();
  click();
  EXPECT_TRUE(wnd.journal.entries.empty());
}

// The capture is held until released; disabling the window that holds the mouse, or a
// window around it, gives the mouse back too.
TEST(WindowCapture, IsHeldUntilReleasedOrTheWindowIsDisabled) {
  MouseWnd top;
  ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           CRect(0, 0, 200, 100), nullptr, 0));
  MouseWnd holder;
  ASSERT_TRUE(holder.Create(nullptr, nullptr, kChild, CRect(5, 5, 50, 50), &top, 1));
  QApplication::processEvents();
  holder.journal.entries.clear();
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  holder.SetCapture();
  EXPECT_EQ(CWnd::GetCapture(), &holder);
  ReleaseCapture();
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  for (CWnd* disabled : {static_cast<CWnd*>(&holder), static_cast<CWnd*>(&top)}) {
    holder.SetCapture();
    ASSERT_EQ(QWidget::mouseGrabber(), holder.GetSafeHwnd());
    disabled->EnableWindow(FALSE);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    disabled->EnableWindow(TRUE);
  }
  EXPECT_EQ(holder.journal.entries, std::vector<std::string>(3, "capture changed"));
}

// Qt holds a hidden widget's resize back until it is shown; a window hears it at once.
TEST_F(Window, AHiddenWindowHearsOfItsSizeWhenItIsMoved) {
  MouseWnd page;
  ASSERT_TRUE(page.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &wnd, 1));
  page.journal.entries.clear();
  page.MoveWindow(3, 4, 120, 80);
  page.SetWindowPos(nullptr, 0, 0, 130, 90, SWP_NOMOVE | SWP_NOZORDER);
  page.SetWindowPos(nullptr, 7, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  wnd.ShowWindow(SW_SHOW);
  page.ShowWindow(SW_SHOW);
  QApplication::processEvents();
  EXPECT_EQ(page.journal.entries, (std::vector<std::string>{"size 120x80", "size 130x90"}));
}

// A right click on a wrapped edit shows the edit's own menu; on a window without a menu
// of its own it becomes WM_CONTEXTMENU, which goes up to the parent.
TEST_F(Window, AnEditKeepsItsOwnContextMenu) {
  wnd.ShowWindow(SW_SHOW);
  AfxCreateDialogControls(wnd.GetSafeHwnd(), kForm);
  CWnd plain;
  ASSERT_TRUE(plain.Create(nullptr, nullptr, kChild, CRect(0, 60, 20, 80), &wnd, 5));
  QApplication::processEvents();
  wnd.journal.entries.clear();
  auto rightClick = [](CWnd* target) {
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* action : menu->actions()) shown << action->text();
        menu->close();
      }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            target->GetSafeHwnd()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(target->GetSafeHwnd(), &event);
    QApplication::processEvents();
    return shown;
  };
  CWnd* edit = wnd.GetDlgItem(2079);  // a temporary wrapper of the template's edit
  const QStringList editMenu = rightClick(edit);
  EXPECT_TRUE(editMenu.filter("Paste").size() == 1) << editMenu.join(",").toStdString();
  EXPECT_TRUE(wnd.journal.entries.empty());
  EXPECT_TRUE(rightClick(&plain).isEmpty());
  EXPECT_EQ(wnd.journal.entries, std::vector<std::string>{"context menu"});
}

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

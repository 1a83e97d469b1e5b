#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

#include "framework/windows/CMDIChildWnd.h"
#include "framework/windows/CView.h"
#include "host/MainFrame.h"
#include "host/WindowImage.h"
#include "res/ResourceIds.h"
#include "tests/framework/UserActions.h"
#include "tests/host/HostTestSupport.h"

namespace {

// Pixels in `area` clearly darker than the window background: text and frame lines.
int DarkPixels(const QImage& image, const QRect& area) {
  int count = 0;
  const QRect box = area.intersected(image.rect());
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 110) ++count;
    }
  }
  return count;
}

// On a real display, the whole screen with the window manager's frames, for a person to
// look at, when TASKMETER_SHOTS_DIR names a folder.
void ShootScreen(const QWidget* window, const std::string& name) {
  const char* folder = std::getenv("TASKMETER_SHOTS_DIR");
  if (folder == nullptr || *folder == 0 || QGuiApplication::platformName() != "xcb") return;
  PumpEvents(20);
  const QString path = QString::fromStdString(std::string(folder) + "/" + name);
  EXPECT_TRUE(window->screen()->grabWindow(0).save(path));
}

class WindowImageTest : public HostFixture {
 protected:
  // Starts the host on `module`, shows its window and checks the picture: the menu bar
  // with its titles on top, the document's form filling the client area below it.
  void RenderAndCheck(const std::string& module, const std::string& pictureName) {
    ASSERT_TRUE(Start(module)) << m_error;
    CMainFrame* frame = m_app->GetMainFrame();
    ShowMainWindow(frame);
    QWidget* window = frame->GetSafeHwnd();
    // The offscreen screen is 800 by 600: the window fills it, its frame inside it.
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
    EXPECT_GE(window->width(), 780);

    const QImage image = RenderWindow(frame);
    ASSERT_FALSE(image.isNull());
    const QRect menuBar = frame->GetMenuBar()->geometry();
    EXPECT_GT(DarkPixels(image, menuBar), 40) << "menu titles are drawn";

    CView* view = frame->MDIGetActive()->GetActiveView();
    ASSERT_NE(view, nullptr);
    QWidget* form = view->GetSafeHwnd();
    const QRect formArea(form->mapTo(window, QPoint(0, 0)), form->size());
    EXPECT_GE(formArea.top(), menuBar.bottom());
    EXPECT_GT(DarkPixels(image, formArea), 40) << "the form's controls are drawn";

    if (view->GetDlgItem(IDC_VIEW_MODE_TO_LIST) != nullptr) {  // the real module
      ShootScreen(window, "main-tree.png");
      user::ClickButton(*view, IDC_VIEW_MODE_TO_LIST);
      ShootScreen(window, "main-list.png");
      user::ClickButton(*view, IDC_VIEW_MODE_TO_TREE);
    }
    // Made as small as it goes, the form keeps its lower buttons clear of its pages.
    window->resize(300, 200);
    PumpEvents(5);
    if (CWnd* remove = view->GetDlgItem(IDC_VIEW_REMOVE)) {
      CRect buttons, pages;
      remove->GetWindowRect(&buttons);
      view->GetDlgItem(IDC_VIEW_TABHOST)->GetWindowRect(&pages);
      EXPECT_LT(buttons.right, pages.left);
    }
    ShowMainWindow(frame);

    const std::string path = TASKMETER_HOST_PICTURES "/" + pictureName;
    const Status saved = SaveWindowImage(frame, path);
    ASSERT_TRUE(saved) << saved.Message();
    EXPECT_EQ(QImage(QString::fromStdString(path)).size(), image.size());
  }
};

TEST_F(WindowImageTest, ModulesFormAndMenuAreDrawn) {
  RenderAndCheck(StandinModulePath(), "host-window-standin.png");
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  m_app.reset();
  RenderAndCheck(RealModulePath(), "host-window.png");
}

}  // namespace

#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QWidget>

#include "framework/CMDIChildWnd.h"
#include "framework/CView.h"
#include "host/taskmeter/MainFrame.h"
#include "host/taskmeter/WindowImage.h"
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

class WindowImageTest : public HostFixture {
 protected:
  // Starts the host on `module`, shows its window and checks the picture: the menu bar
  // with its titles on top, the document's form filling the client area below it.
  void RenderAndCheck(const std::string& module, const std::string& pictureName) {
    ASSERT_TRUE(Start(module)) << m_error;
    CMainFrame* frame = m_app->GetMainFrame();
    ShowMainWindow(frame);
    QWidget* window = frame->GetSafeHwnd();
    EXPECT_GE(window->width(), 800);
    EXPECT_GE(window->height(), 600);

    const QImage image = RenderWindow(frame);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window->size() * image.devicePixelRatio());
    const QRect menuBar = frame->GetMenuBar()->geometry();
    EXPECT_GT(DarkPixels(image, menuBar), 40) << "menu titles are drawn";

    CView* view = frame->MDIGetActive()->GetActiveView();
    ASSERT_NE(view, nullptr);
    QWidget* form = view->GetSafeHwnd();
    EXPECT_TRUE(form->isVisible());
    const QRect formArea(form->mapTo(window, QPoint(0, 0)), form->size());
    EXPECT_GE(formArea.top(), menuBar.bottom());
    EXPECT_GT(DarkPixels(image, formArea), 40) << "the form's controls are drawn";

    const std::string path = std::string(TASKMETER_HOST_PICTURES) + "/" + pictureName;
    ASSERT_TRUE(SaveWindowImage(frame, path, m_error)) << m_error;
    EXPECT_EQ(QImage(QString::fromStdString(path)).size(), image.size());
  }
};

TEST_F(WindowImageTest, ModulesFormAndMenuAreDrawn) {
  RenderAndCheck(StandinModulePath(), "host-window-standin.png");
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  m_app.reset();
  RenderAndCheck(RealModulePath(), "host-window.png");
}

TEST(WindowImage, SavingFailsClearlyWithoutAWindowOrAPlace) {
  std::string error;
  EXPECT_FALSE(SaveWindowImage(nullptr, "/tmp/none.png", error));
  EXPECT_NE(error.find("no picture"), std::string::npos);
}

}  // namespace

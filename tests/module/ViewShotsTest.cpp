// Pictures of the main window for a person to look at: written into the folder named by
// TASKMETER_SHOTS_DIR when it is set, else only drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <cstdlib>

#include "framework/CDialog.h"
#include "framework/ModalHook.h"
#include "framework/controls/CMenu.h"
#include "res/ResourceIds.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/module/ViewFixture.h"

namespace {

class ViewShotsTest : public ViewTest {
 protected:
  // The main window, with `popup` drawn over it at `at` (screen) when given.
  void Shoot(const char* name, QWidget* popup = nullptr, QPoint at = {}) {
    QWidget* window = host.mainFrame->GetWidget();
    if (popup == nullptr) window->resize(1000, 640);
    PumpEvents(20);
    QPixmap pixmap = window->grab();
    if (popup != nullptr) {
      popup->adjustSize();
      QPainter painter(&pixmap);
      painter.drawPixmap(window->mapFromGlobal(at), popup->grab());
    }
    const QImage picture = pixmap.toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), window->size() * picture.devicePixelRatio());
    if (const char* folder = std::getenv("TASKMETER_SHOTS_DIR"); folder != nullptr && *folder) {
      EXPECT_TRUE(picture.save(QString::fromStdString(std::string(folder) + "/" + name)));
    }
  }

  // The screen as it is, window manager's frames included, on a real display; elsewhere
  // the main window with the open dialog drawn where it stands.
  void ShootScreen(const std::string& name, QWidget* dialog) {
    PumpEvents(20);
    QImage picture;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
      PumpEvents(300);  // the window manager maps and frames it, then it is painted
      picture = dialog->screen()->grabWindow(0).toImage();
    } else {
      QWidget* window = host.mainFrame->GetWidget();
      QPixmap pixmap = window->grab();
      QPainter(&pixmap).drawPixmap(dialog->geometry().topLeft() - window->geometry().topLeft(),
                                   dialog->grab());
      picture = pixmap.toImage();
    }
    ASSERT_FALSE(picture.isNull());
    if (const char* folder = std::getenv("TASKMETER_SHOTS_DIR"); folder != nullptr && *folder) {
      EXPECT_TRUE(picture.save(QString::fromStdString(std::string(folder) + "/" + name)));
    }
  }

  void OpenSample(const MainPrefs& prefs = {}) {
    Open({{"Work",
           {Application("editor", "Text Editor"), Application("term", "Terminal"),
            SubGroupCarrier({{"Mail", {Application("mail", "Mail Client")}}})}},
          {"Web", {Application("browser", "Web Browser")}},
          {kOtherApplications, {Application("game", "Solitaire")}}},
         {{"editor", 5400}, {"term", 3600}, {"mail", 1800}, {"browser", 600}, {"game", 300}},
         prefs);
  }
};

TEST_F(ViewShotsTest, TreeModeListModeAndTheLockedView) {
  OpenSample();
  ClickTreeItem({"Work", "Text Editor"});
  auto* bar = Item(IDC_VIEW_TABHOST)->GetWidget()->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  ClickAt(bar, bar->tabRect(1).center());
  EXPECT_EQ(bar->currentIndex(), 1);
  Shoot("view-tree-quickinfo.png");

  // The tree's right-click menu, as it opens over the selected application.
  AfxSetPopupMenuHook([&](QMenu& menu, QPoint at) -> QAction* {
    Shoot("view-popup-menu.png", &menu, at);
    return nullptr;
  });
  QWidget* viewport = TreeViewport();
  const QPoint at = viewport->mapFromGlobal(SelectedItemCentre());
  QCursor::setPos(viewport->mapToGlobal(at));  // where the user's pointer is
  QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &menuRequest);
  AfxSetPopupMenuHook(nullptr);

  ClickAt(bar, bar->tabRect(0).center());
  Click(IDC_VIEW_MODE_TO_LIST);
  PickGroup("Work");
  Shoot("view-list-main.png");

  doc->OnCloseDocument();
  MainPrefs locked;
  locked.isPass = true;
  locked.Pass = "x";
  OpenSample(locked);
  Shoot("view-locked.png");
}

TEST_F(ViewShotsTest, EachDialogOverTheMainWindow) {
  MainPrefs locked;
  locked.isPass = true;
  locked.Pass = "x";
  OpenSample(locked);
  QWidget* window = host.mainFrame->GetWidget();
  if (const QScreen* screen = window->screen()) {
    window->setGeometry(screen->availableGeometry().adjusted(30, 50, -30, -30));
  }
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) return;
    const UINT id = request.Dialog()->GetTemplateId();
    ShootScreen("dialog-" + std::to_string(id) + ".png", request.Dialog()->GetWidget());
    if (id != IDD_PASSWORD) return request.PressCancel();
    request.Dialog()->SetDlgItemText(IDC_PASS_PASSWORD, "x");
    request.PressOk();
  });
  Click(IDC_VIEW_UNLOCK);
  ClickTreeItem({"Work", "Text Editor"});
  for (int id : {IDC_VIEW_PREFERENCES, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_MOVETO, IDC_VIEW_NEWGROUP}) {
    Click(id);
  }
}

}  // namespace

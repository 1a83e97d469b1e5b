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

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CMenu.h"
#include "res/ResourceIds.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/view/ViewFixture.h"

namespace {

constexpr char kLongName[] = "Integrated development environment, nightly build with plugins";

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
    if (const char* folder = std::getenv("TASKMETER_SHOTS_DIR"); folder != nullptr && *folder) {
      EXPECT_TRUE(picture.save(QString::fromStdString(std::string(folder) + "/" + name)));
    }
  }

  // On a real display the screen, the window manager's frames included; else as Shoot.
  void ShootScreen(const std::string& name, QWidget* dialog) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      return Shoot(name.c_str(), dialog, dialog->pos());
    }
    PumpEvents(300);  // the window manager maps and frames the dialog, then it is painted
    const char* folder = std::getenv("TASKMETER_SHOTS_DIR");
    const QString path = QString::fromStdString(std::string(folder ? folder : "") + "/" + name);
    if (folder != nullptr && *folder) {
      EXPECT_TRUE(dialog->screen()->grabWindow(0).save(path));
    }
  }

  // Locked with the empty password when `locked`.
  void OpenSample(bool locked = false) {
    MainPrefs prefs;
    prefs.isPass = locked;
    Open({{"Work",
           {Application("editor", "Text Editor"), Application("term", "Terminal"),
            Application("ide", kLongName),
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
  OpenSample(true);
  Shoot("view-locked.png");
}

// Each dialog opens centred over the main window at its template's fixed size, without
// minimise and maximise buttons.
TEST_F(ViewShotsTest, EachDialogOpensCentredOverTheMainWindow) {
  OpenSample(true);
  QWidget* window = host.mainFrame->GetWidget();
  window->setGeometry(window->screen()->availableGeometry().adjusted(30, 50, -30, -30));
  std::vector<UINT> opened;
  ScopedModalHook hook([&](ModalRequest& request) {
    QWidget* dialog = request.Dialog()->GetWidget();
    opened.push_back(request.Dialog()->GetTemplateId());
    // A window manager frames both windows only after they show; offscreen the frames are
    // exact when the dialog opens.
    if (QGuiApplication::platformName() == "offscreen") {
      EXPECT_LE(
          (dialog->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(),
          1);
    }
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    ShootScreen("dialog-" + std::to_string(opened.back()) + ".png", dialog);
    opened.back() == IDD_PASSWORD ? request.PressOk() : request.PressCancel();
  });
  Click(IDC_VIEW_UNLOCK);
  ClickTreeItem({"Work", kLongName});  // its name cut short on the tab and the check box
  for (int id : {IDC_VIEW_PREFERENCES, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_MOVETO, IDC_VIEW_NEWGROUP}) {
    Click(id);
  }
  EXPECT_EQ(opened, (std::vector<UINT>{IDD_PASSWORD, IDD_MAINSETTINGS, IDD_PREDEFGROUPS, IDD_MOVETO,
                                       IDD_NEWGROUP}));
}

}  // namespace

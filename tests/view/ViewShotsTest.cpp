// Pictures of the locked main window and of each dialog over it for a person to look at:
// written into the folder named by TASKMETER_SHOTS_DIR when it is set, else only drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QScreen>
#include <cstdlib>

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "tests/view/ViewFixture.h"

namespace {

// On a real display the screen, the window manager's frames included; else the window.
void Shoot(const std::string& name, QWidget* window) {
  const bool desktop = QGuiApplication::platformName() == QLatin1String("xcb");
  PumpEvents(desktop ? 300 : 20);  // the window manager maps and frames it, then it is painted
  const QImage picture = (desktop ? window->screen()->grabWindow(0) : window->grab()).toImage();
  ASSERT_FALSE(picture.isNull());
  if (const char* folder = std::getenv("TASKMETER_SHOTS_DIR"); folder != nullptr && *folder) {
    EXPECT_TRUE(picture.save(QString::fromStdString(std::string(folder) + "/" + name)));
  }
}

constexpr char kLongName[] = "Integrated development environment, nightly build with plugins";

using ViewShotsTest = ViewTest;

// Each dialog opens centred over the main window at its template's fixed size, without
// minimise and maximise buttons.
TEST_F(ViewShotsTest, EachDialogOpensCentredOverTheMainWindow) {
  MainPrefs locked;
  locked.isPass = true;  // with the empty password
  Open({{"Work",
         {Application("editor", "Text Editor"), Application("term", "Terminal"),
          Application("ide", kLongName),
          SubGroupCarrier({{"Mail", {Application("mail", "Mail Client")}}})}},
        {"Web", {Application("browser", "Web Browser")}},
        {kOtherApplications, {Application("game", "Solitaire")}}},
       {{"editor", 5400}, {"term", 3600}, {"mail", 1800}, {"browser", 600}, {"game", 300}}, locked);
  QWidget* window = host.mainFrame->GetWidget();
  window->setGeometry(window->screen()->availableGeometry().adjusted(30, 50, -30, -30));
  Shoot("view-locked.png", window);
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
    Shoot("dialog-" + std::to_string(opened.back()) + ".png", dialog);
    opened.back() == IDD_PASSWORD ? request.PressOk() : request.PressCancel();
  });
  Click(IDC_VIEW_UNLOCK);
  ClickTreeItem({"Work", kLongName});  // its name cut short on the tab and the check box
  Shoot("view-tree-main.png", window);
  for (int id : {IDC_VIEW_PREFERENCES, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_MOVETO, IDC_VIEW_NEWGROUP}) {
    Click(id);
  }
  EXPECT_EQ(opened, (std::vector<UINT>{IDD_PASSWORD, IDD_MAINSETTINGS, IDD_PREDEFGROUPS, IDD_MOVETO,
                                       IDD_NEWGROUP}));
}

}  // namespace

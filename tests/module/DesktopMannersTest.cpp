// What users expect of a desktop program: dialogs over their window, captions that show
// names as they are, buttons that look raised only under the pointer.
#include <gtest/gtest.h>

#include <QCursor>
#include <QTabBar>

#include "controls/ImageButton.h"
#include "framework/CDialog.h"
#include "framework/ModalHook.h"
#include "res/ResourceIds.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/module/ViewFixture.h"

namespace {

using DesktopMannersTest = ViewTest;

TEST_F(DesktopMannersTest, DialogsOpenCentredOverTheirWindowWithTheTemplatesSize) {
  MainPrefs locked;
  locked.isPass = true;
  locked.Pass = "pw";
  Open({{"A", {Application("a1")}}}, {}, locked);
  QWidget* owner = view->GetTopLevelParent()->GetWidget();
  owner->setGeometry(130, 70, 760, 520);  // anywhere but the screen's corner
  PumpEvents(5);
  std::vector<UINT> opened;
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) return;
    const UINT id = request.Dialog()->GetTemplateId();
    opened.push_back(id);
    const QWidget* dialog = request.Dialog()->GetWidget();
    const QPoint offCentre = dialog->frameGeometry().center() - owner->frameGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1) << id;
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << id;
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
        << id;
    if (id != IDD_PASSWORD) return request.PressCancel();
    request.Dialog()->SetDlgItemText(IDC_PASS_PASSWORD, "pw");
    request.PressOk();
  });
  Click(IDC_VIEW_UNLOCK);
  ClickTreeItem({"A", "a1"});
  for (int button :
       {IDC_VIEW_PREFERENCES, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_MOVETO, IDC_VIEW_NEWGROUP}) {
    Click(button);
  }
  EXPECT_EQ(opened, (std::vector<UINT>{IDD_PASSWORD, IDD_MAINSETTINGS, IDD_PREDEFGROUPS, IDD_MOVETO,
                                       IDD_NEWGROUP}));
}

TEST_F(DesktopMannersTest, CaptionsShowAmpersandsAndCutLongNamesShort) {
  const std::string longName =
      "Integrated development environment for large projects, nightly build with plugins";
  Open({{"A&B", {Application("rd", "R&D"), Application("ide", longName)}}});
  auto* tabs = Item(IDC_VIEW_TABHOST)->GetWidget()->findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  ClickTreeItem({"A&B", "R&D"});
  EXPECT_EQ(tabs->tabText(0).toStdString(), "R&&D");  // shown as "R&D", nothing underlined
  EXPECT_EQ(PageText(0, IDC_ASSOC_FILTER_CHECK),
            "Application \"R&&D\" is active and its caption contain text:");

  ClickTreeItem({"A&B", longName});
  EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(1))) << "Quick Info stays on the strip";
  EXPECT_GE(tabs->tabRect(1).width(), tabs->fontMetrics().horizontalAdvance("Quick Info"));
  const std::string caption = PageText(0, IDC_ASSOC_FILTER_CHECK);
  EXPECT_EQ(caption.rfind("Application \"Integrated", 0), 0u) << caption;
  EXPECT_NE(caption.find("...\" is active and its caption contain text:"), std::string::npos)
      << caption;
  EXPECT_EQ(PageText(0, IDC_ASSOC_SHOWAS), longName);  // what is edited stays whole
}

// The pointer leaves while a click's command runs (Refresh) or while the dialog it opened
// is up (Predefined groups, closed with Enter): the button is not left drawn raised.
TEST_F(DesktopMannersTest, FlatButtonsDropTheirHoverOnceThePointerHasLeft) {
  Open({{"A", {Application("a1")}}});
  const QPoint away = Item(IDC_VIEW_TABHOST)->GetWidget()->mapToGlobal(QPoint(40, 80));
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) return;
    QCursor::setPos(away);  // over to the dialog's own buttons
    request.PressKey(VK_RETURN);
  });
  for (int id : {IDC_VIEW_REFRESH, IDC_VIEW_PREDEFGROUPS}) {
    QWidget* button = Item(id)->GetWidget();
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    Click(id);
    if (id == IDC_VIEW_REFRESH) {
      QCursor::setPos(away);
      MouseAt(QEvent::MouseMove, away, Qt::NoButton);
    }
    EXPECT_FALSE(dynamic_cast<CImageButton*>(Item(id))->IsHover()) << id;
  }
}

}  // namespace

// The settings dialog through the view's buttons, its menu and its lock; pictures of the locked
// main window and of each dialog over it for a person to look at, written into the folder named by
// TASKMETER_SHOTS_DIR when it is set.
#include <gtest/gtest.h>

#include <QImage>
#include <QMenuBar>
#include <QScreen>
#include <cstdlib>
#include <filesystem>

#include "framework/core/Autostart.h"
#include "framework/stdcontrols/CMenu.h"
#include "tests/view/ViewFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr int kButtons[] = {IDC_VIEW_PREDEFGROUPS, IDC_VIEW_PREFERENCES, IDC_VIEW_REPORTS,
                            IDC_VIEW_LOCK,         IDC_VIEW_UNLOCK,      IDC_VIEW_HELP,
                            IDC_VIEW_MODE_TO_LIST, IDC_VIEW_REFRESH,     IDC_VIEW_MOVETO,
                            IDC_VIEW_COPY,         IDC_VIEW_PASTE,       IDC_VIEW_NEWGROUP,
                            IDC_VIEW_REMOVE,       IDC_VIEW_TREE,        IDC_VIEW_TABHOST};

class SettingsWiringTest : public ViewTest {
 protected:
  QAction* MenuItem(UINT id) {
    for (QAction* top : host.mainFrame->GetMenuBar()->actions()) {
      if (top->menu() != nullptr) emit top->menu()->aboutToShow();
      if (QAction* item = AfxFindMenuAction(top->menu(), id)) return item;
    }
    ADD_FAILURE() << "no menu item " << id;
    return nullptr;
  }

  std::vector<int> EnabledControls() const {
    std::vector<int> enabled;
    for (int id : kButtons) {
      if (Enabled(id)) enabled.push_back(id);
    }
    return enabled;
  }
};

// The view filters as soon as the settings are taken, in both modes; pauses never show,
// an application without a display name shows under its program's name. The host hears
// of it, the autostart entry follows, the child frame says nothing.
TEST_F(SettingsWiringTest, SettingsOkIsTakenByTheViewTheHostAndTheAutostartEntry) {
  GroupMap tree = {
      {"G",
       {Application("at"), Application("below"), Application("idle", "Idle"),
        Application("stop", "Stop"), Application("none", "None"), Application("blank")}}};
  tree["G"].back().ShowAs.clear();
  Open(tree, {{"at", 300}, {"below", 299}});
  ASSERT_FALSE(fs::exists(GetAutostartEntryPath()));
  const struct {
    bool first;
    const char* seconds;
    Lines lines;
  } cases[] = {{false, "", {"G", "  [blank]", "  at", "  below", kOtherApplications}},
               {true, "300", {"G", "  at", kOtherApplications}},
               {false, "0", {"G", kOtherApplications}}};
  int boxes = 0;
  for (const auto& [first, seconds, lines] : cases) {
    SCOPED_TRACE(seconds);
    // Older clang refuses a structured binding named in a lambda: capture them by name.
    ScopedModalHook hook([&, first = first, seconds = seconds](ModalRequest& r) {
      if (r.Dialog() == nullptr) return void(++boxes);
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MAINSETTINGS);
      if (first) r.Click(IDC_SET_LOAD_ON_STARTUP);
      user::PickListEntry(*r.Dialog(), IDC_SET_PAGES, 2);  // Filter
      if (first) r.Click(IDC_SET_ENABLE_FILTER);
      r.Dialog()->SetDlgItemText(IDC_SET_MIN_SECONDS, seconds);
      r.PressOk();
    });
    if (*seconds) Click(IDC_VIEW_PREFERENCES);
    EXPECT_EQ(TreeLines(), lines);
    Click(IDC_VIEW_MODE_TO_LIST);
    EXPECT_EQ(AppListBox().GetCount(), static_cast<int>(lines.size()) - 2);
    Click(IDC_VIEW_MODE_TO_TREE);
  }
  EXPECT_TRUE(fs::exists(GetAutostartEntryPath()));
  PumpEvents(10);
  EXPECT_GE(host.mainFrame->prefsChanged, 2);
  EXPECT_EQ(boxes, 0);
  fs::remove(GetAutostartEntryPath());
}

// A view with a password opens locked: only UnLock is usable and the tree stays as it was.
// The wrong passwords count over every attempt on the document, a right one between them
// included; from the third on, each wrong one ends its attempt.
TEST_F(SettingsWiringTest, ProtectedViewOpensLockedAndUnlocksUntilTheThirdWrongPasswordInAll) {
  MainPrefs prefs;
  prefs.isPass = true;
  prefs.Pass = "Secret";
  Open({{"Work", {Application("editor")}}}, {}, prefs);
  EXPECT_EQ(EnabledControls(), std::vector<int>{IDC_VIEW_UNLOCK});
  for (UINT id : {ID_CONFIGURE_SETTINGS, ID_CONFIGURE_PREDEFGROUPS, ID_REPORTS_MAKE})
    EXPECT_FALSE(MenuItem(id)->isEnabled()) << id;
  EXPECT_TRUE(MenuItem(ID_CONFIGURE_LOCKUNLOCK)->isEnabled());
  EXPECT_EQ(TreeLines(), (Lines{kOtherApplications, "Work", "  editor"}));  // the tree stays
  ClickAt(Tabs(), Tabs()->tabRect(1).center());  // the tab strip takes no clicks
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  // The passwords typed; whether it unlocks, the prompts and the complaints.
  const std::pair<Lines, std::tuple<bool, size_t, size_t>> attempts[] = {
      {{"wrong", "secret", "Secret"}, {true, 3, 2}},
      {{"one", "two"}, {false, 1, 1}},
      {{"four"}, {false, 1, 1}},
      {{"Secret"}, {true, 1, 0}},
  };
  for (const auto& [tries, outcome] : attempts) {
    SCOPED_TRACE(tries.front());
    if (Enabled(IDC_VIEW_LOCK)) Click(IDC_VIEW_LOCK);
    size_t prompts = 0, complaints = 0;
    ScopedModalHook hook([&, &tries = tries](ModalRequest& r) {
      if (r.Dialog() == nullptr) {
        EXPECT_EQ(r.Text(), "Password isn't correct, try again.");
        return ++complaints, r.Answer(IDOK);
      }
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_PASSWORD);
      r.Dialog()->SetDlgItemText(IDC_PASS_PASSWORD, tries[std::min(prompts++, tries.size() - 1)]);
      r.PressOk();
    });
    Click(IDC_VIEW_UNLOCK);
    EXPECT_EQ(std::tuple(Enabled(IDC_VIEW_LOCK), prompts, complaints), outcome);
  }
  // Everything but UnLock is usable again; Paste with nothing copied included.
  EXPECT_EQ(EnabledControls().size(), std::size(kButtons) - 1);
  EXPECT_FALSE(Enabled(IDC_VIEW_UNLOCK));
  EXPECT_TRUE(MenuItem(ID_REPORTS_MAKE)->isEnabled());
}

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
  Open({{"Work", {Application("editor", "Text Editor"), Application("ide", kLongName)}},
        {"Web", {Application("browser", "Web Browser")}}},
       {{"editor", 5400}, {"ide", 3600}, {"browser", 600}}, locked);
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

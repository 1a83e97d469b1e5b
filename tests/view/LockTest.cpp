#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTabBar>

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
#include "res/ResourceIds.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/view/ViewFixture.h"

namespace {

constexpr int kButtons[] = {IDC_VIEW_PREDEFGROUPS, IDC_VIEW_PREFERENCES, IDC_VIEW_REPORTS,
                            IDC_VIEW_LOCK,         IDC_VIEW_UNLOCK,      IDC_VIEW_HELP,
                            IDC_VIEW_MODE_TO_LIST, IDC_VIEW_REFRESH,     IDC_VIEW_MOVETO,
                            IDC_VIEW_COPY,         IDC_VIEW_PASTE,       IDC_VIEW_NEWGROUP,
                            IDC_VIEW_REMOVE,       IDC_VIEW_TREE,        IDC_VIEW_TABHOST};

MainPrefs Protected(const std::string& password) {
  MainPrefs prefs;
  prefs.isPass = true;
  prefs.Pass = password;
  return prefs;
}

// Answers each password prompt with the next of `tries` and counts prompts and boxes.
struct PasswordUser {
  std::vector<std::string> tries;
  std::size_t prompts = 0, complaints = 0;

  void operator()(ModalRequest& request) {
    if (request.Dialog() == nullptr) {
      EXPECT_EQ(request.Text(), "Password isn't correct, try again.");
      ++complaints;
      request.Answer(IDOK);
      return;
    }
    ASSERT_EQ(request.Dialog()->GetTemplateId(), IDD_PASSWORD);
    const std::string typed = prompts < tries.size() ? tries[prompts] : "";
    ++prompts;
    request.Dialog()->SetDlgItemText(IDC_PASS_PASSWORD, typed);
    request.PressOk();
  }
};

class LockTest : public ViewTest {
 protected:
  QAction* MenuItem(UINT id) {
    for (QAction* top : host.mainFrame->GetMenuBar()->actions()) {
      if (top->menu() == nullptr) continue;
      emit top->menu()->aboutToShow();
      for (QAction* item : top->menu()->actions()) {
        if (AfxMenuCommandId(item) == id) return item;
      }
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

  // Clicks UnLock with `user` answering; whether the view is unlocked afterwards.
  bool Unlock(PasswordUser& user) {
    ScopedModalHook hook([&](ModalRequest& r) { user(r); });
    Click(IDC_VIEW_UNLOCK);
    return Enabled(IDC_VIEW_LOCK);
  }
};

// Locked, only UnLock is usable and the tree stays as it was. The wrong passwords count
// over every attempt on the document, a right one between them included; from the third
// on, each wrong one ends its attempt.
TEST_F(LockTest, ProtectedViewOpensLockedAndUnlocksUntilTheThirdWrongPasswordInAll) {
  Open({{"Work", {Application("editor")}}}, {}, Protected("Secret"));
  EXPECT_EQ(EnabledControls(), std::vector<int>{IDC_VIEW_UNLOCK});
  for (UINT id : {ID_CONFIGURE_SETTINGS, ID_CONFIGURE_PREDEFGROUPS, ID_REPORTS_MAKE}) {
    EXPECT_FALSE(MenuItem(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(MenuItem(ID_CONFIGURE_LOCKUNLOCK)->isEnabled());
  EXPECT_TRUE(Shown(IDC_VIEW_TREE));  // the lock hides nothing and keeps the tree
  EXPECT_EQ(TreeLines(), (std::vector<std::string>{kOtherApplications, "Work", "  editor"}));
  auto* bar = Item(IDC_VIEW_TABHOST)->GetWidget()->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  ClickAt(bar, bar->tabRect(1).center());  // the tab strip takes no clicks
  EXPECT_EQ(bar->currentIndex(), 0);
  const struct {
    std::vector<std::string> tries;
    std::size_t prompts, complaints;
    bool unlocked;
  } attempts[] = {
      {{"wrong", "secret", "Secret"}, 3, 2, true},
      {{"one", "two"}, 1, 1, false},
      {{"four"}, 1, 1, false},
      {{"Secret"}, 1, 0, true},
  };
  for (const auto& attempt : attempts) {
    SCOPED_TRACE(attempt.tries.front());
    if (Enabled(IDC_VIEW_LOCK)) Click(IDC_VIEW_LOCK);
    PasswordUser user{attempt.tries};
    EXPECT_EQ(Unlock(user), attempt.unlocked);
    EXPECT_EQ(user.prompts, attempt.prompts);
    EXPECT_EQ(user.complaints, attempt.complaints);
  }
  // Everything but UnLock is usable again; Paste with nothing copied included.
  std::vector<int> expected;
  for (int id : kButtons) {
    if (id != IDC_VIEW_UNLOCK) expected.push_back(id);
  }
  EXPECT_EQ(EnabledControls(), expected);
  EXPECT_TRUE(MenuItem(ID_REPORTS_MAKE)->isEnabled());
  // Locked from the menu with the pointer on a lower-row button: the others stay clickable.
  QWidget* refresh = Item(IDC_VIEW_REFRESH)->GetWidget();
  SendMouse(refresh, QEvent::MouseMove, refresh->rect().center(), Qt::NoButton, Qt::NoButton);
  MenuItem(ID_CONFIGURE_LOCKUNLOCK)->trigger();
  PumpEvents(5);
  EXPECT_FALSE(Enabled(IDC_VIEW_REFRESH));
  PasswordUser again{{"Secret"}};
  EXPECT_TRUE(Unlock(again));
  EXPECT_EQ(again.prompts, 1u);
}

}  // namespace

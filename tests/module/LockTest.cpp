#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTabBar>

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
#include "res/ResourceIds.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/module/ViewFixture.h"

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

TEST_F(LockTest, ProtectedViewOpensLockedWithOnlyUnlockUsable) {
  Open({{"Work", {Application("editor")}}}, {}, Protected("Secret"));
  EXPECT_EQ(EnabledControls(), std::vector<int>{IDC_VIEW_UNLOCK});
  for (UINT id : {ID_CONFIGURE_SETTINGS, ID_CONFIGURE_PREDEFGROUPS, ID_REPORTS_MAKE}) {
    EXPECT_FALSE(MenuItem(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(MenuItem(ID_CONFIGURE_LOCKUNLOCK)->isEnabled());
  // The lock hides nothing and keeps the tree as it was.
  EXPECT_TRUE(Shown(IDC_VIEW_TREE));
  EXPECT_EQ(TreeLines(), (std::vector<std::string>{kOtherApplications, "Work", "  editor"}));
  // Its tab strip takes no clicks.
  auto* bar = Item(IDC_VIEW_TABHOST)->GetWidget()->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  ClickAt(bar, bar->tabRect(1).center());
  EXPECT_EQ(bar->currentIndex(), 0);
}

TEST_F(LockTest, LockWithoutPasswordLeavesTheViewUnlocked) {
  Open({{"Work", {Application("editor")}}});
  ScopedModalHook hook([](ModalRequest& r) { r.PressCancel(); });
  Click(IDC_VIEW_LOCK);
  MenuItem(ID_CONFIGURE_LOCKUNLOCK)->trigger();
  PumpEvents(5);
  EXPECT_TRUE(Enabled(IDC_VIEW_LOCK));
  EXPECT_FALSE(Enabled(IDC_VIEW_UNLOCK));
}

TEST_F(LockTest, LockingUnderAHoveredButtonLeavesTheOtherButtonsClickable) {
  Open({{"Work", {Application("editor")}}}, {}, Protected("Secret"));
  PasswordUser user{{"Secret"}};
  ASSERT_TRUE(Unlock(user));
  // The pointer rests on a lower-row button while the menu locks the view.
  QWidget* refresh = Item(IDC_VIEW_REFRESH)->GetWidget();
  SendMouse(refresh, QEvent::MouseMove, refresh->rect().center(), Qt::NoButton, Qt::NoButton);
  MenuItem(ID_CONFIGURE_LOCKUNLOCK)->trigger();
  PumpEvents(5);
  EXPECT_FALSE(Enabled(IDC_VIEW_REFRESH));
  PasswordUser again{{"Secret"}};
  EXPECT_TRUE(Unlock(again));
  EXPECT_EQ(again.prompts, 1u);
}

// The count of wrong passwords lives as long as the process, so each of these runs in a
// process of its own (see the suite's registration).
TEST_F(LockTest, UnlockThreeWrongPasswordsThenOnePromptPerAttempt) {
  Open({{"Work", {Application("editor")}}}, {}, Protected("Secret"));
  PasswordUser first{{"one", "two", "secret"}};
  EXPECT_FALSE(Unlock(first));
  EXPECT_EQ(first.prompts, 3u);
  EXPECT_EQ(first.complaints, 3u);
  PasswordUser later{{"four"}};
  EXPECT_FALSE(Unlock(later));
  EXPECT_EQ(later.prompts, 1u);
  EXPECT_EQ(later.complaints, 1u);
  PasswordUser right{{"Secret"}};
  EXPECT_TRUE(Unlock(right));
}

TEST_F(LockTest, UnlockRightPasswordAfterTwoWrongOnes) {
  Open({{"Work", {Application("editor")}}}, {}, Protected("Secret"));
  PasswordUser user{{"wrong", "secret", "Secret"}};
  EXPECT_TRUE(Unlock(user));
  EXPECT_EQ(user.prompts, 3u);
  EXPECT_EQ(user.complaints, 2u);
  // Everything but UnLock is usable again; Paste with nothing copied included.
  std::vector<int> expected;
  for (int id : kButtons) {
    if (id != IDC_VIEW_UNLOCK) expected.push_back(id);
  }
  EXPECT_EQ(EnabledControls(), expected);
  EXPECT_TRUE(MenuItem(ID_REPORTS_MAKE)->isEnabled());
}

}  // namespace

#include <gtest/gtest.h>

#include <QApplication>
#include <QTabBar>
#include <memory>
#include <string>
#include <vector>

#include "controls/TabHost.h"
#include "framework/StdControlsTestSupport.h"
#include "framework/stdcontrols/CEdit.h"

namespace {

constexpr UINT kHostId = 2006;

// A page: a child window with two edits, made on the test window as a page of the view is
// made on the view before the host adopts it.
class Page : public CWnd {
 public:
  explicit Page(bool* gone = nullptr) : m_gone(gone) {}
  ~Page() override {
    if (m_gone != nullptr) *m_gone = true;
  }
  void Make(CWnd* parent) {
    ASSERT_TRUE(CreateEx(0, nullptr, "", WS_CHILD, CRect(1, 2, 31, 42), parent, 0));
    ASSERT_TRUE(first.Create(WS_VISIBLE, CRect(5, 5, 100, 25), this, 100));
    ASSERT_TRUE(second.Create(WS_VISIBLE, CRect(5, 30, 100, 50), this, 101));
  }
  CRect Placed() const {
    const QRect g = GetSafeHwnd()->geometry();
    return CRect(g.left(), g.top(), g.right() + 1, g.bottom() + 1);
  }
  bool Shown() const { return !GetSafeHwnd()->isHidden(); }

  CEdit first;
  CEdit second;

 private:
  bool* m_gone;
};

// Records the page notifications as "leaving 0/10", "selected 1/11", "removed 2/12".
class JournalHost : public CTabHost {
 public:
  std::vector<std::string> journal;

  void OnPageSelected(int index, int value) override { Log("selected", index, value); }
  void OnPageLeaving(int index, int value) override { Log("leaving", index, value); }
  void OnPageRemoved(int index, int value) override { Log("removed", index, value); }

 private:
  void Log(const char* what, int index, int value) {
    journal.push_back(std::string(what) + " " + std::to_string(index) + "/" +
                      std::to_string(value));
  }
};

class TabHost : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    QApplication::setActiveWindow(parent.GetSafeHwnd());
  }
  // A host with three pages of user values 10, 11 and 12.
  void Make() {
    ASSERT_TRUE(host.Create(WS_VISIBLE, CRect(10, 10, 310, 230), &parent, kHostId));
    for (int i = 0; i < 3; ++i) {
      pages[i].Make(&parent);
      ASSERT_EQ(host.AddPage(("Page " + std::to_string(i)).c_str(), 10 + i, &pages[i]), i);
    }
    host.journal.clear();
  }
  void ClickTab(int index) {
    QTabBar* bar = host.GetSafeHwnd()->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    ClickAt(bar, bar->tabRect(index).center());
  }
  std::vector<bool> Shown() const { return {pages[0].Shown(), pages[1].Shown(), pages[2].Shown()}; }

  NotifyRecorder parent;
  JournalHost host;
  Page pages[3];
};

// The tab strip takes its depth from the side it is on; the pages get the rest, 4 pixels in.
TEST_F(TabHost, PagesArePlacedInsideTheDisplayAreaForTabsOnEachSide) {
  const struct {
    DWORD style;
    int left, top, right, bottom;  // 1 where the strip lies
  } cases[] = {{0, 0, 1, 0, 0},
               {TCS_BOTTOM, 0, 0, 0, 1},
               {TCS_VERTICAL, 1, 0, 0, 0},
               {TCS_VERTICAL | TCS_RIGHT, 0, 0, 1, 0}};
  for (const auto& c : cases) {
    JournalHost tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE | c.style, CRect(0, 0, 300, 200), &parent, kHostId + 1));
    Page page;
    page.Make(&parent);
    ASSERT_EQ(tabs.AddPage("Only", 0, &page), 0);
    CRect tab;
    ASSERT_TRUE(tabs.GetItemRect(0, &tab) && !tab.IsRectEmpty());
    EXPECT_EQ(page.Placed(), CRect(4 + c.left * tab.Width(), 4 + c.top * tab.Height(),
                                   296 - c.right * tab.Width(), 196 - c.bottom * tab.Height()))
        << c.style;
    EXPECT_EQ(page.GetParent(), &tabs) << c.style;
    tabs.DestroyWindow();
  }
}

// A click on another tab leaves one page and selects the other; the selected tab changes
// nothing; a locked view disables the host, or the window around it: its tabs stay put.
TEST_F(TabHost, UserTabChangeLeavesAndSelectsWhileTheHostIsEnabled) {
  Make();
  ClickTab(0);
  EXPECT_TRUE(host.SetActivePage(0));
  EXPECT_FALSE(host.SetActivePage(3) || host.SetActivePage(-1));
  for (CWnd* disabled : {static_cast<CWnd*>(&host), static_cast<CWnd*>(&parent)}) {
    disabled->EnableWindow(FALSE);
    ClickTab(2);
    PressKey(host.GetSafeHwnd()->findChild<QTabBar*>(), Qt::Key_Right);
    EXPECT_EQ(host.GetCurSel(), 0);
    disabled->EnableWindow(TRUE);
  }
  EXPECT_TRUE(host.journal.empty());
  EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
  ClickTab(2);
  EXPECT_EQ(host.GetCurSel(), 2);
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(host.journal, (std::vector<std::string>{"leaving 0/10", "selected 2/12"}));
  // The tab changes pass its parent, which hands them back to the host.
  EXPECT_EQ(parent.Codes(WM_NOTIFY), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
}

TEST_F(TabHost, FocusReturnsToTheControlThatHadItInEachPage) {
  Make();
  pages[0].second.SetFocus();
  ASSERT_EQ(QApplication::focusWidget(), pages[0].second.GetSafeHwnd());
  ClickTab(1);  // a page not visited yet: its first control
  EXPECT_EQ(QApplication::focusWidget(), pages[1].first.GetSafeHwnd());
  pages[1].second.SetFocus();
  ClickTab(0);
  EXPECT_EQ(QApplication::focusWidget(), pages[0].second.GetSafeHwnd());
  host.SetActivePage(1);
  EXPECT_EQ(QApplication::focusWidget(), pages[1].second.GetSafeHwnd());
}

TEST_F(TabHost, DestroyingRemovesPagesLastToFirstAndDeletesOwnedOnes) {
  Make();
  bool ownedGone = false;
  auto owned = std::make_unique<Page>(&ownedGone);
  owned->Make(&parent);
  ASSERT_EQ(host.AddPage("Owned", 13, std::move(owned)), 3);
  host.DestroyWindow();
  EXPECT_EQ(host.journal, (std::vector<std::string>{"removed 3/13", "removed 2/12", "removed 1/11",
                                                    "removed 0/10"}));
  EXPECT_TRUE(ownedGone);
  EXPECT_FALSE(pages[0].IsWindow());  // a page it does not own loses its window only
}

}  // namespace

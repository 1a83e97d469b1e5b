#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <random>
#include <set>

#include "tests/view/ViewFixture.h"
#include "tree/TreeOps.h"

namespace {

Lines ShowAsIn(const GroupMap& tree, const GroupPath& group) {
  Lines names;
  if (const AppList* list = FindGroupList(tree, group)) {
    for (const AppEntry& e : *list) names.push_back(e.ShowAs);
  }
  return names;
}

bool Has(const GroupMap& tree, const GroupPath& group, const std::string& showAs) {
  const AppList* list = FindGroupList(tree, group);
  return list != nullptr && FindApplication(*list, showAs) != nullptr;
}

// A and B at the top, B with the sub-group Work; the top-level Work shares that name.
GroupMap Branches() {
  return {{"A", {Application("a1"), Application("a2")}},
          {"B", {Application("b1"), SubGroupCarrier({{"Work", {Application("bw")}}})}},
          {"Work", {Application("w1")}},
          {kOtherApplications, {Application("o1")}}};
}

class EditingTest : public ViewTest {
 protected:
  // A key pressed while the tree has the focus.
  void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Tree().GetWidget()->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(Tree().GetWidget(), &press);
    PumpEvents(5);
  }
};

// Keys and the popup menu: Ctrl+C/Ctrl+V, Delete and F2 do what the popup's items do,
// each enabled as its item is; one copy serves one paste.
TEST_F(EditingTest, KeysAndThePopupCopyPasteAndDelete) {
  Open(Branches());
  ClickTreeItem({"A", "a1"});
  PressKey(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(Enabled(IDC_VIEW_PASTE));
  ClickTreeItem({"Work", "w1"});  // onto an application: into its group
  PressKey(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Lines{"w1", "a1"}));
  EXPECT_EQ(ShowAsIn(SavedTree(), {"A"}), (Lines{"a1", "a2"}));
  EXPECT_EQ(Tree().GetSelectedItem(), FindTreeItem({"Work", "a1"}));
  EXPECT_FALSE(Enabled(IDC_VIEW_PASTE));
  const GroupMap before = SavedTree();
  const auto enabled = ChooseFromMenu(ID_POPUP_PASTE);
  EXPECT_FALSE(enabled.at(ID_POPUP_PASTE));
  EXPECT_TRUE(enabled.at(ID_POPUP_COPY) && enabled.at(ID_POPUP_DELETE));
  EXPECT_EQ(SavedTree(), before);
  ClickTreeItem({kOtherApplications, "o1"});
  EXPECT_FALSE(ChooseFromMenu(0).at(ID_POPUP_DELETE));
  PressKey(Qt::Key_Delete);
  EXPECT_EQ(SavedTree(), before);
  PressKey(Qt::Key_F2);
  EXPECT_TRUE(PageItem(0, IDC_ASSOC_SHOWAS)->GetWidget()->hasFocus());
  ClickTreeItem({"Work", "a1"});
  PressKey(Qt::Key_Delete);  // to the end of Other Applications
  EXPECT_EQ(ShowAsIn(SavedTree(), {kOtherApplications}), (Lines{"o1", "a1"}));
  ClickTreeItem({"B"});
  ChooseFromMenu(ID_POPUP_DELETE);  // a group: its entries too
  EXPECT_EQ(SavedTree().count("B"), 0u);
  EXPECT_EQ(ShowAsIn(SavedTree(), {kOtherApplications}), (Lines{"b1", "bw", "None", "o1", "a1"}));
  ClickTreeItem({"A", "a2"});
  ChooseFromMenu(ID_POPUP_COPY);
  ClickTreeItem({"Work"});
  EXPECT_TRUE(ChooseFromMenu(ID_POPUP_PASTE).at(ID_POPUP_PASTE));
  EXPECT_TRUE(Has(SavedTree(), {"Work"}, "a2"));
}

// In list mode groups of one name show together; the picker's path names the group an
// edit goes to: the first Work is B's. An entry of "Other Applications" itself can be
// removed there: it goes to its end.
TEST_F(EditingTest, ListModeMergesGroupsOfOneNameAndEditsTheOneThePickerNames) {
  Open(Branches(), {{"bw", 60}});
  Click(IDC_VIEW_MODE_TO_LIST);
  const auto& picker = *dynamic_cast<CComboBox*>(Item(IDC_VIEW_GROUP_COMBO));
  Lines groups;
  for (int i = 0; i < picker.GetCount(); ++i) groups.push_back(picker.GetLBText(i));
  EXPECT_EQ(groups, (Lines{"A", "B", "Work", kOtherApplications, "Work"}));
  EXPECT_EQ(PageText(0, IDC_ASSOC_SHOWAS), "a1");  // the first group's first application
  PickGroup("Work");
  EXPECT_EQ((Lines{AppListBox().GetText(0), AppListBox().GetText(1)}), (Lines{"bw", "w1"}));
  // Its entry's time shows as its whole group's.
  EXPECT_EQ(PageText(1, IDC_QI_MONTH_TEXT), "Work: 00:01:00 = 100.00 percent");
  PickGroup("A");
  PickApplication("a2");
  Click(IDC_VIEW_COPY);
  PickGroup("Work");
  Click(IDC_VIEW_PASTE);
  EXPECT_EQ(ShowAsIn(SavedTree(), {"B", "Work"}), (Lines{"bw", "a2"}));
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Lines{"w1"}));
  ScopedModalHook hook([](ModalRequest& r) {
    ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MOVETO);
    r.PressOk();  // the first group: A
  });
  PickGroup("Work", true);
  PickApplication("w1");
  Click(IDC_VIEW_MOVETO);
  EXPECT_EQ(ShowAsIn(SavedTree(), {"A"}), (Lines{"a1", "a2", "w1"}));
  PickGroup("Work");
  PickApplication("a2");
  Click(IDC_VIEW_REMOVE);
  EXPECT_FALSE(Has(SavedTree(), {"B", "Work"}, "a2"));
  PickGroup(kOtherApplications);
  PickApplication("o1");
  Click(IDC_VIEW_REMOVE);
  EXPECT_EQ(ShowAsIn(SavedTree(), {kOtherApplications}), (Lines{"a2", "o1"}));
  PickGroup("Work");
  TypeInto(PageItem(0, IDC_ASSOC_SHOWAS), "Bee");
  Click(PageItem(0, IDC_ASSOC_APPLY));
  EXPECT_EQ(ShowAsIn(SavedTree(), {"B", "Work"}), (Lines{"Bee"}));
  EXPECT_TRUE(Shown(IDC_VIEW_APP_LIST));  // still list mode after the rebuild
}

TEST_F(EditingTest, DragMovesAnApplicationIntoTheGroupItIsDroppedOn) {
  Open(Branches());
  ExpandAll();
  // Onto another application: into its group.
  Drag({"A", "a1"}, {TreeItemCentre({"Work", "w1"})});
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Lines{"w1", "a1"}));
  EXPECT_EQ(SelectedTreeText(), "a1");
  // Onto itself and a group onto its own sub-group: nothing moves.
  const GroupMap before = SavedTree();
  ExpandAll();
  Drag({"Work", "a1"}, {TreeItemCentre({"Work", "a1"})});
  ExpandAll();
  Drag({"B"}, {TreeItemCentre({"B", "Work"})});
  EXPECT_EQ(SavedTree(), before);
  // Released outside the tree after hovering a group: dropped on that group.
  ExpandAll();
  const QPoint outside = Item(IDC_VIEW_TABHOST)->GetWidget()->mapToGlobal(QPoint(20, 60));
  Drag({"A", "a2"}, {TreeItemCentre({"B"}), outside});
  EXPECT_TRUE(Has(SavedTree(), {"B"}, "a2"));
  EXPECT_FALSE(Has(SavedTree(), {"A"}, "a2"));
  // Released at an item's very edge: dropped on that item.
  ExpandAll();
  CRect rect;
  ASSERT_TRUE(Tree().GetItemRect(FindTreeItem({"Work"}), &rect, TRUE));
  Drag({"B", "a2"}, {TreeViewport()->mapToGlobal(QPoint(Centre(rect).x(), rect.top + 1))});
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Lines{"w1", "a1", "a2"}));
  // Resting on a collapsed group opens it at the next tick; Escape ends the drag, and the
  // release that follows drops nothing.
  const GroupMap dropped = SavedTree();
  const HTREEITEM b = FindTreeItem({"B"});
  Tree().Expand(b, TVE_COLLAPSE);
  const QPoint start = TreeItemCentre({"Work", "w1"});
  MouseAt(QEvent::MouseButtonPress, start, Qt::LeftButton);
  MouseAt(QEvent::MouseMove, start + QPoint(0, 12), Qt::LeftButton);  // the drag begins
  MouseAt(QEvent::MouseMove, TreeItemCentre(b), Qt::LeftButton);
  EXPECT_FALSE(Tree().GetItemState(b, TVIS_EXPANDED) & TVIS_EXPANDED);
  PumpEvents(2300);
  EXPECT_TRUE(Tree().GetItemState(b, TVIS_EXPANDED) & TVIS_EXPANDED);
  PressKey(Qt::Key_Escape);
  MouseAt(QEvent::MouseButtonRelease, TreeItemCentre(b), Qt::NoButton);
  EXPECT_EQ(SavedTree(), dropped);
}

// Random sequences of the view's editing commands, taken the way a user takes them. After
// every step the saved file reads back to the tree shown, no group shows two items of one
// name, every application shown before is still shown in some group, every logged record
// counted before is still counted, and a removed group is gone.
const std::vector<LoggedWork> kDay = {{"mail", 600, "Inbox"},         {"chat", 500, "Team"},
                                      {"terminal", 700, "bash"},      {"editor", 800, "notes"},
                                      {"editor", 900, "apollo main"}, {"editor", 1000, "zephyr"},
                                      {"game", 300, "Chess"}};

AppEntry Editor(const std::string& showAs, const std::string& filter) {
  AppEntry entry = Application("editor", showAs);
  entry.TitleFilter = filter;
  entry.isCheckTitleFilter = true;
  return entry;
}

// Names for groups, renames and filters: empty, reserved and colliding ones too.
const char* const kNames[] = {"", "Mail", "Chat", "Code", "Sub", "Work", "None", "apollo"};

// What a tree shows and counts, by rules of its own: every group; an application under
// its display name, or "[program]" without one; never placeholders, carriers or pauses.
struct Seen {
  std::multiset<std::string> items;  // "G /group/sub", "A /group/application"
  std::set<std::string> apps;        // program and filter of every shown application
  std::set<size_t> counted;          // logged records some counted entry claims
};

void Walk(const GroupMap& level, const std::string& at, Seen& seen) {
  for (const auto& [name, list] : level) {
    const std::string path = at + "/" + name;
    seen.items.insert("G " + path);
    for (const AppEntry& e : list) {
      const bool pause = e.ShowAs == "None" || e.ShowAs == "Stop" || e.ShowAs == "Idle";
      const bool nameless =
          e.ShowAs.empty() && e.SubGroups.empty() && !e.Name.empty() && e.Name != "None";
      if (nameless || (!e.ShowAs.empty() && !pause)) {
        seen.items.insert("A " + path + "/" + (nameless ? "[" + e.Name + "]" : e.ShowAs));
        seen.apps.insert(e.Name + (e.isCheckTitleFilter ? "|" + e.TitleFilter : ""));
      }
      for (size_t r = 0; r < kDay.size() && !pause; ++r) {
        const bool caption = kDay[r].title.find(e.TitleFilter) != std::string::npos;
        if (e.Name == kDay[r].app && (!e.isCheckTitleFilter || caption)) seen.counted.insert(r);
      }
      Walk(e.SubGroups, path, seen);
    }
  }
}

template <typename Set>
bool Holds(const Set& all, const Set& part) {
  return std::includes(all.begin(), all.end(), part.begin(), part.end());
}

using Row = std::pair<HTREEITEM, std::string>;  // with "G /path" or "A /path"

class EditingPropertyTest : public ViewTest {
 protected:
  int Pick(size_t n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(rng); }
  std::string AnyName() { return kNames[Pick(std::size(kNames))]; }

  std::vector<Row> Items() const {
    std::vector<Row> items;
    WalkTree([&](HTREEITEM item, int, const std::string& path) {
      int image = 0, selected = 0;
      Tree().GetItemImage(item, image, selected);
      items.emplace_back(item, (image == 0 ? "G " : "A ") + path);
    });
    return items;
  }

  std::string ClickIfEnabled(CWnd* control, const std::string& done) {
    if (!control->IsWindowEnabled()) return "";
    Click(control);
    return done;
  }

  // The command's dialog gets a name for a new group and a group chosen at random.
  std::string WithDialog(int command, bool into, const std::string& done) {
    ScopedModalHook hook([&](ModalRequest& r) {
      ASSERT_NE(r.Dialog(), nullptr) << r.Text();
      r.Dialog()->SetDlgItemText(IDC_NEWGROUP_NAME, AnyName());
      if (into) r.Click(IDC_NEWGROUP_CREATE_INTO);
      const int groups =
          dynamic_cast<CComboBox*>(r.Dialog()->GetDlgItem(IDC_MOVETO_GROUPS))->GetCount();
      if (groups > 0) user::PickComboEntry(*r.Dialog(), IDC_MOVETO_GROUPS, Pick(groups));
      r.PressOk();
    });
    return ClickIfEnabled(Item(command), done);
  }

  // One command on a random item: what it did, "" for nothing. `recount` when a filter
  // changed; `removed` names a group that Remove took away.
  std::string Step(bool& recount, std::string& removed) {
    const std::vector<Row> items = Items();
    const auto& [item, what] = items[Pick(items.size())];
    user::PickTreeItem(Tree().GetWidget(), item);
    CWnd* page = Page(0);
    switch (Pick(9)) {
      case 0:
        return ClickIfEnabled(Item(IDC_VIEW_COPY), "copy " + what);
      case 1:
        return ClickIfEnabled(Item(IDC_VIEW_PASTE), "paste on " + what);
      case 2:
        removed = what[0] == 'G' ? what : "";
        return ClickIfEnabled(Item(IDC_VIEW_REMOVE), "remove " + what);
      case 3:
        return WithDialog(IDC_VIEW_MOVETO, false, "move " + what);
      case 4:
        return WithDialog(IDC_VIEW_NEWGROUP, Pick(2) == 1, "new group");
      case 5:
        TypeInto(page->GetDlgItem(IDC_ASSOC_SHOWAS), AnyName());
        if (what[0] == 'A' && Pick(4) == 0) {
          recount = true;
          Click(page->GetDlgItem(IDC_ASSOC_FILTER_CHECK));
          TypeInto(page->GetDlgItem(IDC_ASSOC_TITLE_FILTER), AnyName());
        }
        return ClickIfEnabled(page->GetDlgItem(IDC_ASSOC_APPLY),
                              "apply '" + page->GetDlgItemText(IDC_ASSOC_SHOWAS) + "' to " + what);
      case 6: {
        const auto& [onto, target] = items[Pick(items.size())];
        Drag(TreeItemCentre(item), {TreeItemCentre(onto)});
        return "drag " + what + " onto " + target;
      }
      default:
        Click(IDC_VIEW_REFRESH);
        return "refresh";
    }
  }

  std::mt19937 rng;
};

TEST_F(EditingPropertyTest, NoSequenceOfEditsLosesAnApplicationAGroupOrTime) {
  for (const unsigned seed : {11u, 16u, 19u}) {
    rng.seed(seed);
    ScopedModalHook noFileProblems([](ModalRequest& r) { ADD_FAILURE() << r.Text(); });
    Open({{"Communication", {Application("mail", "Mail"), Application("chat", "Chat")}},
          {"Work",
           {Application("terminal", "Terminal"), Editor("Notes", "notes"),
            SubGroupCarrier(
                {{"Apollo", {Editor("Code", "apollo")}}, {"Zephyr", {Editor("Code", "zephyr")}}})}},
          {kOtherApplications, {Application("game", "Game")}}},
         kDay);
    std::string done = "seed " + std::to_string(seed) + "\n";
    Seen before;
    Walk(SavedTree(), "", before);
    for (int step = 0; step < 150; ++step) {
      bool recount = false;
      std::string removed;
      const std::string did = Step(recount, removed);
      if (did.empty()) continue;
      done += std::to_string(step) + ": " + did + "\n";
      Seen after;
      Walk(SavedTree(), "", after);
      std::multiset<std::string> shown;
      for (const auto& [item, what] : Items()) shown.insert(what);
      ASSERT_EQ(shown, after.items) << done;
      // An item that shares its name with another of its group cannot be told apart.
      ASSERT_EQ(std::set(shown.begin(), shown.end()).size(), shown.size()) << done;
      ASSERT_TRUE(recount || Holds(after.apps, before.apps)) << done;
      ASSERT_TRUE(recount || Holds(after.counted, before.counted)) << done;
      ASSERT_EQ(after.items.count(removed), 0u) << done;
      before = std::move(after);
    }
    doc->OnCloseDocument();
  }
}

}  // namespace

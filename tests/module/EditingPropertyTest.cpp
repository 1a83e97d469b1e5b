// Random sequences of the view's editing commands, taken the way a user takes them, and
// what must hold after every step: the saved file reads back to the tree shown, every
// application shown before is still shown in some group, every logged record counted
// before is still counted, and a removed group is gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>

#include "framework/CDialog.h"
#include "framework/ModalHook.h"
#include "res/ResourceIds.h"
#include "tests/framework/UserActions.h"
#include "tests/module/ViewFixture.h"

namespace {

const std::vector<LoggedWork> kDay = {{"mail", 600, "Inbox"},         {"chat", 500, "Team"},
                                      {"terminal", 700, "bash"},      {"editor", 800, "notes"},
                                      {"editor", 900, "apollo main"}, {"editor", 1000, "zephyr"},
                                      {"game", 300, "Chess"}};

AppEntry Filtered(const std::string& showAs, const std::string& name, const std::string& filter) {
  AppEntry entry = Application(name, showAs);
  entry.TitleFilter = filter;
  entry.isCheckTitleFilter = true;
  return entry;
}

GroupMap StartTree() {
  return {{"Communication", {Application("mail", "Mail"), Application("chat", "Chat")}},
          {"Work",
           {Application("terminal", "Terminal"), Filtered("Notes", "editor", "notes"),
            SubGroupCarrier({{"Apollo", {Filtered("Code", "editor", "apollo")}},
                             {"Zephyr", {Filtered("Code", "editor", "zephyr")}}})}},
          {kOtherApplications, {Application("game", "Game")}}};
}

// Names for new groups, renames and filters: empty, reserved and colliding ones too.
const char* const kNames[] = {"", "Mail", "Chat", "Code", "Sub", "Work", "None", "Game"};
const char* const kFilters[] = {"", "apollo", "x"};

// What a tree shows and counts, by rules of its own: every group; an application under
// its display name, or "[program]" without one; never placeholders, carriers or pauses.
struct Seen {
  std::multiset<std::string> items;  // "G /group/sub", "A /group/application"
  std::set<std::string> apps;        // program and filter of every shown application
  std::set<size_t> counted;          // logged records some counted entry claims
};

std::string ShownAs(const AppEntry& e) {
  if (e.ShowAs.empty()) {
    return e.SubGroups.empty() && !e.Name.empty() && e.Name != "None" ? "[" + e.Name + "]" : "";
  }
  return e.ShowAs == "None" || e.ShowAs == "Stop" || e.ShowAs == "Idle" ? "" : e.ShowAs;
}

void Walk(const GroupMap& level, const std::string& at, Seen& seen) {
  for (const auto& [name, list] : level) {
    const std::string path = at + "/" + name;
    seen.items.insert("G " + path);
    for (const AppEntry& e : list) {
      if (!ShownAs(e).empty()) {
        seen.items.insert("A " + path + "/" + ShownAs(e));
        seen.apps.insert(e.Name + (e.isCheckTitleFilter ? "|" + e.TitleFilter : ""));
      }
      const bool counts = e.ShowAs != "None" && e.ShowAs != "Stop" && e.ShowAs != "Idle";
      for (size_t r = 0; r < kDay.size() && counts; ++r) {
        if (e.Name == kDay[r].app &&
            (!e.isCheckTitleFilter || kDay[r].title.find(e.TitleFilter) != std::string::npos)) {
          seen.counted.insert(r);
        }
      }
      Walk(e.SubGroups, path, seen);
    }
  }
}

template <typename Set>
bool Holds(const Set& all, const Set& part) {
  return std::includes(all.begin(), all.end(), part.begin(), part.end());
}

class EditingPropertyTest : public ViewTest {
 protected:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  template <typename T, size_t N>
  std::string Any(T (&names)[N]) {
    return names[Pick(N)];
  }

  std::vector<HTREEITEM> Items() const {
    std::vector<HTREEITEM> items;
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
      for (; item != nullptr; item = Tree().GetNextSiblingItem(item)) {
        items.push_back(item);
        walk(Tree().GetChildItem(item));
      }
    };
    walk(Tree().GetChildItem(TVI_ROOT));
    return items;
  }
  bool IsGroup(HTREEITEM item) const {
    int image = 0, selected = 0;
    Tree().GetItemImage(item, image, selected);
    return image == 0;
  }
  std::string PathOf(HTREEITEM item) const {
    std::string path;
    for (; item != nullptr; item = Tree().GetParentItem(item)) {
      path = "/" + Tree().GetItemText(item) + path;
    }
    return path;
  }
  std::multiset<std::string> ShownItems() const {
    std::multiset<std::string> shown;
    for (HTREEITEM item : Items()) shown.insert((IsGroup(item) ? "G " : "A ") + PathOf(item));
    return shown;
  }
  bool ClickIfEnabled(CWnd* control) {
    if (!control->IsWindowEnabled()) return false;
    Click(control);
    return true;
  }
  // Answers the dialog the command opens: a name for a new group, and a random group.
  bool WithDialog(int command, bool into) {
    ScopedModalHook hook([&](ModalRequest& r) {
      ASSERT_NE(r.Dialog(), nullptr) << r.Text();
      if (command == IDC_VIEW_NEWGROUP) r.Dialog()->SetDlgItemText(IDC_NEWGROUP_NAME, Any(kNames));
      if (into) r.Click(IDC_NEWGROUP_CREATE_INTO);
      const auto* groups = dynamic_cast<CComboBox*>(r.Dialog()->GetDlgItem(IDC_MOVETO_GROUPS));
      if (groups->GetCount() > 0) {
        user::PickComboEntry(*r.Dialog(), IDC_MOVETO_GROUPS, Pick(groups->GetCount()));
      }
      r.PressOk();
    });
    return ClickIfEnabled(Item(command));
  }

  // One command on a random item; says what it did. `recount` when a filter changed.
  std::string Step(bool& recount, std::string& removedGroup) {
    const std::vector<HTREEITEM> items = Items();
    const HTREEITEM item = items.empty() ? nullptr : items[Pick(static_cast<int>(items.size()))];
    if (item != nullptr) user::PickTreeItem(Tree().GetWidget(), item);
    // Taken now: a command rebuilds the tree, and the item goes with it.
    const std::string at = item != nullptr ? PathOf(item) : "(nothing)";
    const bool group = item != nullptr && IsGroup(item);
    CWnd* page = Page(0);
    switch (Pick(9)) {
      case 0:
        return ClickIfEnabled(Item(IDC_VIEW_COPY)) ? "copy " + at : "";
      case 1:
        return ClickIfEnabled(Item(IDC_VIEW_PASTE)) ? "paste into " + at : "";
      case 2:
        if (!ClickIfEnabled(Item(IDC_VIEW_REMOVE))) return "";
        if (group) removedGroup = "G " + at;
        return "remove " + at;
      case 3:
        return WithDialog(IDC_VIEW_MOVETO, false) ? "move " + at : "";
      case 4:
        return WithDialog(IDC_VIEW_NEWGROUP, Pick(2) == 1) ? "new group" : "";
      case 5: {
        const std::string name = Any(kNames);
        TypeInto(page->GetDlgItem(IDC_ASSOC_SHOWAS), name);
        if (Pick(4) == 0 && item != nullptr && !group) {
          recount = true;
          Click(page->GetDlgItem(IDC_ASSOC_FILTER_CHECK));
          TypeInto(page->GetDlgItem(IDC_ASSOC_TITLE_FILTER), Any(kFilters));
        }
        return ClickIfEnabled(page->GetDlgItem(IDC_ASSOC_APPLY)) ? "apply '" + name + "' to " + at
                                                                 : "";
      }
      case 6: {
        const std::vector<HTREEITEM> all = Items();
        const HTREEITEM onto = all[Pick(static_cast<int>(all.size()))];
        ExpandAll();
        Drag(TreeItemCentre(item), {TreeItemCentre(onto)});
        return "drag " + at + " onto " + PathOf(onto);
      }
      default:
        Click(IDC_VIEW_REFRESH);
        return "refresh";
    }
  }

  std::mt19937 rng;
};

TEST_F(EditingPropertyTest, NoSequenceOfEditsLosesAnApplicationAGroupOrTime) {
  for (const unsigned seed : {1u, 3u, 6u}) {
    rng.seed(seed);
    // A file problem would be a message box: none may come.
    ScopedModalHook noBoxes([](ModalRequest& r) { ADD_FAILURE() << r.Text(); });
    Open(StartTree(), kDay);
    std::ostringstream done;
    Seen before;
    Walk(SavedTree(), "", before);
    for (int step = 0; step < 150; ++step) {
      bool recount = false;
      std::string removedGroup;
      done << step << ": " << Step(recount, removedGroup) << "\n";
      Seen after;
      Walk(SavedTree(), "", after);
      ASSERT_EQ(ShownItems(), after.items) << "seed " << seed << "\n" << done.str();
      ASSERT_TRUE(recount || Holds(after.apps, before.apps)) << seed << "\n" << done.str();
      ASSERT_TRUE(recount || Holds(after.counted, before.counted)) << seed << "\n" << done.str();
      ASSERT_EQ(after.items.count(removedGroup), 0u) << seed << "\n" << done.str();
      before = std::move(after);
    }
    doc->OnCloseDocument();
  }
}

}  // namespace

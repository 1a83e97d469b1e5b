// Random sequences of the view's editing commands, taken the way a user takes them. After
// every step the saved file reads back to the tree shown, no group shows two items of one
// name, every application shown before is still shown in some group, every logged record
// counted before is still counted, and a removed group is gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "tests/framework/UserActions.h"
#include "tests/view/ViewFixture.h"

namespace {

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

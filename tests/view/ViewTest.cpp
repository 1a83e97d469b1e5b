#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <fstream>
#include <functional>
#include <random>

#include "accounting/DLLDocument.h"
#include "framework/app/SystemServices.h"
#include "framework/core/FileIO.h"
#include "framework/dialogbase/ModalHook.h"
#include "res/ResourceIds.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/view/ViewFixture.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// Work holds two applications and the sub-group Mail; beta one application; the top-level
// "Other Applications" one more. 3 h of work in all, 11,700 s with the rest.
GroupMap WorkTree() {
  return {
      {"Work",
       {Application("editor"), Application("term"),
        SubGroupCarrier({{"Mail", {Application("mail")}}})}},
      {"beta", {Application("browser", "Browser")}},
      {kOtherApplications, {Application("game")}},
  };
}
const std::vector<LoggedWork> kWorkDay = {
    {"editor", 5400}, {"term", 3600}, {"mail", 1800}, {"browser", 600}, {"game", 300}};

constexpr int kLines[] = {IDC_QI_MONTH_TEXT, IDC_QI_WEEK_TEXT, IDC_QI_TODAY_TEXT};
constexpr int kBars[] = {IDC_QI_MONTH_BAR, IDC_QI_WEEK_BAR, IDC_QI_TODAY_BAR};

TEST_F(ViewTest, OpensInTreeModeSortedWithTheLastGroupInKeyOrderSelected) {
  Open({{"beta", {Application("b")}},
        {"Alpha", {Application("z"), Application("a")}},
        {"gamma", {}}});
  // Every load makes "Other Applications".
  EXPECT_EQ(TreeLines(),
            (Lines{"Alpha", "  a", "  z", "beta", "  b", "gamma", kOtherApplications}));
  EXPECT_EQ(SelectedTreeText(), "gamma");
  EXPECT_EQ(PageText(0, IDC_ASSOC_SHOWAS), "gamma");
  const std::pair<int, bool> shown[] = {
      {IDC_VIEW_TREE, true},          {IDC_VIEW_MODE_TO_LIST, true}, {IDC_VIEW_MODE_TO_TREE, false},
      {IDC_VIEW_LOOKIN_LABEL, false}, {IDC_VIEW_GROUP_COMBO, false}, {IDC_VIEW_GROUP_BUTTON, false},
      {IDC_VIEW_APP_LIST, false},     {IDC_VIEW_REFRESH, true},      {IDC_VIEW_TABHOST, true}};
  for (const auto& [id, visible] : shown) EXPECT_EQ(Shown(id), visible) << id;
  EXPECT_FALSE(Enabled(IDC_VIEW_UNLOCK) || Enabled(IDC_VIEW_PASTE));
  EXPECT_TRUE(Enabled(IDC_VIEW_LOCK) && Enabled(IDC_VIEW_HELP) && Enabled(IDC_VIEW_REMOVE));
  // A group has no title filter to show.
  EXPECT_FALSE(
      Page(0)->GetDlgItem(IDC_ASSOC_FILTER_CHECK)->GetWidget()->isVisibleTo(Page(0)->GetWidget()));
}

// The tree as inserting one item at a time builds it: each group first among its
// siblings, each application before the first sibling that sorts after it (case
// ignored), a group expanded once a sub-level is in it, the top level sorted last.
struct PlacedItem {
  PlacedItem(std::string name, bool isGroup) : text(std::move(name)), group(isGroup) {}
  std::string text;
  bool group = false;
  bool expanded = false;
  std::vector<PlacedItem> children;
};

bool SortsAfter(const std::string& a, const std::string& b) {
  return QString::compare(QString::fromStdString(a), QString::fromStdString(b),
                          Qt::CaseInsensitive) > 0;
}

void PlaceOneByOne(std::vector<PlacedItem>& siblings, const GroupMap& level) {
  for (const auto& [name, list] : level) {
    siblings.insert(siblings.begin(), PlacedItem(name, true));
    PlacedItem& group = siblings.front();
    for (const AppEntry& entry : list) {
      if (IsApplicationEntry(entry)) {
        const std::string text = ShownName(entry);
        auto at = std::find_if(group.children.begin(), group.children.end(),
                               [&](const PlacedItem& s) { return SortsAfter(s.text, text); });
        group.children.insert(at, PlacedItem(text, false));
      }
      if (!IsCarrier(entry)) continue;
      PlaceOneByOne(group.children, entry.SubGroups);
      group.expanded = group.expanded || !entry.SubGroups.empty();
    }
  }
}

void AddLines(const std::vector<PlacedItem>& items, const std::string& indent, Lines& lines) {
  for (const PlacedItem& item : items) {
    lines.push_back(indent + item.text + (item.group ? "/" : "") + (item.expanded ? " +" : ""));
    AddLines(item.children, indent + "  ", lines);
  }
}

GroupMap RandomLevel(std::mt19937& random, int depth) {
  static const char* const kNames[] = {"a", "A", "b", "B", "ab", "Ab", "c", "Idle", ""};
  auto pick = [&](size_t below) {
    return std::uniform_int_distribution<size_t>(0, below - 1)(random);
  };
  GroupMap level;
  for (size_t groups = pick(depth == 0 ? 5 : 4); groups > 0; --groups) {
    AppList& list = level[kNames[pick(7)]];
    for (size_t entries = pick(7); entries > 0; --entries) {
      if (depth < 3 && pick(4) == 0) {
        list.push_back(SubGroupCarrier(RandomLevel(random, depth + 1)));
      } else {
        list.push_back(Application("app" + std::to_string(pick(9)), kNames[pick(9)]));
      }
    }
  }
  return level;
}

TEST_F(ViewTest, OnePassFillPlacesEveryItemAsInsertingOneAtATimeDoes) {
  Open({});
  std::mt19937 random(21);
  for (int round = 0; round < 40; ++round) {
    WriteHome(RandomLevel(random, 0));
    Click(IDC_VIEW_REFRESH);
    const GroupMap& loaded = static_cast<CDLLDocument*>(doc)->GetGroupMap();
    std::vector<PlacedItem> top;
    PlaceOneByOne(top, loaded);
    std::stable_sort(top.begin(), top.end(), [](const PlacedItem& a, const PlacedItem& b) {
      return SortsAfter(b.text, a.text);
    });
    Lines expected;
    AddLines(top, "", expected);
    Lines shown;
    CTreeCtrl& tree = Tree();
    std::function<void(HTREEITEM, const std::string&)> walk = [&](HTREEITEM item,
                                                                  const std::string& indent) {
      for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        int image = 0, selected = 0;
        tree.GetItemImage(item, image, selected);
        const bool expanded = tree.GetItemState(item, TVIS_EXPANDED) != 0;
        shown.push_back(indent + tree.GetItemText(item) + (image == 0 ? "/" : "") +
                        (expanded ? " +" : ""));
        walk(tree.GetChildItem(item), indent + "  ");
      }
    };
    walk(tree.GetChildItem(TVI_ROOT), "");
    ASSERT_EQ(shown, expected) << "round " << round;
  }
}

// The form follows the frame's size; each page lays out its own controls.
TEST_F(ViewTest, FormFillsTheFrameAndFollowsItsWidth) {
  Open(WorkTree(), kWorkDay);
  CRect client;
  view->GetClientRect(&client);
  QWidget* main = host.mainFrame->GetWidget();
  main->resize(main->width() - (client.Width() - 600), main->height());
  PumpEvents(10);
  view->GetClientRect(&client);
  ASSERT_EQ(client.Width(), 600);
  const int cy = client.Height(), px = 278, py = cy - 80;  // a page's size
  auto placed = [&](CWnd* parent, int id) {
    CRect r;
    parent->GetDlgItem(id)->GetWindowRect(&r);
    parent->ScreenToClient(&r);
    return r;
  };
  EXPECT_EQ(placed(view, IDC_VIEW_TABHOST), CRect(310, 40, 310 + 285, cy - 10));
  EXPECT_EQ(placed(view, IDC_VIEW_TREE), CRect(15, 63, 15 + 280, cy - 50));
  EXPECT_EQ(placed(Page(0), IDC_ASSOC_APPLY), CRect(px - 135, py - 23, px - 70, py));
  EXPECT_EQ(placed(Page(1), IDC_QI_TODAY_BAR), CRect(17, 205, px - 13, 217));
}

TEST_F(ViewTest, StatisticsShowSharesOfTheGroupTheParentOrEverything) {
  Open(WorkTree(), kWorkDay);
  const struct {
    GroupPath item;
    const char* line;
    int bar;
    const char* file;
  } cases[] = {
      {{"Work", "editor"}, "Work: 01:30:00 = 50.00 percent", 50, "editor"},
      {{"Work", "Mail"}, "Work: 00:30:00 = 16.67 percent", 16, ""},
      {{"Work"}, "Work: 03:00:00 = 92.31 percent", 92, ""},
      {{"beta", "Browser"}, "Work: 00:10:00 = 100.00 percent", 100, "browser"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item.back());
    ClickTreeItem(c.item);
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(PageText(1, kLines[row]), c.line);
      EXPECT_EQ(BarPosition(kBars[row]), c.bar);
    }
    EXPECT_EQ(PageText(1, IDC_QI_FILENAME), c.file);
    EXPECT_EQ(PageText(1, IDC_QI_FILEPATH), *c.file ? "/usr/bin/" + std::string(c.file) : "");
  }
}

TEST_F(ViewTest, EachStatisticsRowSumsItsOwnPeriod) {
  // Work on the 2nd (this month only), the 13th (this week, not today) and today.
  Open({{"Work", {Application("editor"), Application("term")}}},
       {{"editor", 3600, "t", 2}, {"editor", 1800, "t", 13}, {"editor", 900}, {"term", 900}});
  ClickTreeItem({"Work", "editor"});
  const char* lines[] = {"Work: 01:45:00 = 87.50 percent", "Work: 00:45:00 = 75.00 percent",
                         "Work: 00:15:00 = 50.00 percent"};
  const int bars[] = {87, 75, 50};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(PageText(1, kLines[row]), lines[row]) << row;
    EXPECT_EQ(BarPosition(kBars[row]), bars[row]) << row;
  }
}

TEST_F(ViewTest, DisplayFilterAndPauseNamesDecideWhichApplicationsShow) {
  GroupMap tree = {
      {"G",
       {Application("at"), Application("below"), Application("idle", "Idle"),
        Application("stop", "Stop"), Application("none", "None"), Application("blank")}}};
  tree["G"].back().ShowAs.clear();
  const std::vector<LoggedWork> work = {{"at", 300}, {"below", 299}};
  const struct {
    bool filter;
    int minimum;
    Lines lines;
  } cases[] = {
      // Without a display name an application shows under its program's name.
      {false, 0, {"G", "  [blank]", "  at", "  below", kOtherApplications}},
      {true, 300, {"G", "  at", kOtherApplications}},
      {true, 0, {"G", kOtherApplications}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.minimum);
    MainPrefs prefs;
    prefs.bEnableFilter = c.filter;
    prefs.iShowpProgrUsedMoreSec = c.minimum;
    Open(tree, work, prefs);
    EXPECT_EQ(TreeLines(), c.lines);
    Click(IDC_VIEW_MODE_TO_LIST);
    const auto& list = *dynamic_cast<CListBox*>(Item(IDC_VIEW_APP_LIST));
    EXPECT_EQ(list.GetCount(), static_cast<int>(c.lines.size()) - 2);
    doc->OnCloseDocument();
  }
}

TEST_F(ViewTest, ListModeMergesGroupsOfOneNameAndFindsEntriesByTheSelectorPath) {
  Open({{"Home", {Application("h"), SubGroupCarrier({{"Work", {Application("hw")}}})}},
        {"A",
         {Application("a"),
          SubGroupCarrier({{"Cee", {Application("c"), SubGroupCarrier({{"Dee", {}}})}},
                           {"Zed", {Application("z")}}})}},
        {"Work", {Application("w")}}},
       {{"z", 60}});
  Click(IDC_VIEW_MODE_TO_LIST);
  for (int id : {IDC_VIEW_GROUP_COMBO, IDC_VIEW_APP_LIST, IDC_VIEW_MODE_TO_TREE})
    EXPECT_TRUE(Shown(id)) << id;
  EXPECT_FALSE(Shown(IDC_VIEW_TREE));
  const auto& picker = *dynamic_cast<CComboBox*>(Item(IDC_VIEW_GROUP_COMBO));
  Lines groups;
  for (int i = 0; i < picker.GetCount(); ++i) groups.push_back(picker.GetLBText(i));
  EXPECT_EQ(groups, (Lines{"A", "Cee", "Dee", "Zed", "Home", "Work", kOtherApplications, "Work"}));
  // The first group is picked and its first application shown.
  EXPECT_EQ(PageText(0, IDC_ASSOC_SHOWAS), "a");

  PickGroup("Work");
  const auto& list = *dynamic_cast<CListBox*>(Item(IDC_VIEW_APP_LIST));
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetText(0), "hw");
  EXPECT_EQ(list.GetText(1), "w");

  // Zed is reached as A, Zed: its entry's time shows as its whole group's.
  PickGroup("Zed");
  EXPECT_EQ(PageText(1, IDC_QI_MONTH_TEXT), "Work: 00:01:00 = 100.00 percent");
  TypeInto(Page(0)->GetDlgItem(IDC_ASSOC_SHOWAS), "Zee");
  Click(Page(0)->GetDlgItem(IDC_ASSOC_APPLY));
  const GroupMap saved = SavedTree();
  const AppList* zed = FindGroupList(saved, {"A", "Zed"});
  ASSERT_NE(zed, nullptr);
  ASSERT_FALSE(zed->empty());
  EXPECT_EQ(zed->front().ShowAs, "Zee");
  EXPECT_TRUE(Shown(IDC_VIEW_APP_LIST));  // still list mode after the rebuild
}

TEST_F(ViewTest, RemoveIsRefusedOnlyForOtherApplicationsAndWhatItHolds) {
  Open({{kOtherApplications, {Application("o"), SubGroupCarrier({{"Deep", {Application("d")}}})}},
        {"Work", {Application("w"), SubGroupCarrier({{kOtherApplications, {Application("x")}}})}}});
  const std::pair<GroupPath, bool> cases[] = {
      {{kOtherApplications}, false},
      {{kOtherApplications, "o"}, false},
      {{"Work", kOtherApplications, "x"}, false},
      {{"Work", kOtherApplications}, true},
      {{kOtherApplications, "Deep", "d"}, true},
      {{"Work", "w"}, true},
  };
  for (const auto& [item, removable] : cases) {
    ClickTreeItem(item);
    EXPECT_EQ(Enabled(IDC_VIEW_REMOVE), removable) << item.back();
  }
}

TEST_F(ViewTest, AssociationPageEnablesApplyAndDiscardExactlyWhileItDiffers) {
  Open({{"Work", {Application("editor", "Editor")}}});
  ClickTreeItem({"Work", "Editor"});
  CWnd* page = Page(0);
  CWnd* showAs = page->GetDlgItem(IDC_ASSOC_SHOWAS);
  auto buttons = [&] {
    return std::make_pair(page->GetDlgItem(IDC_ASSOC_APPLY)->IsWindowEnabled() != FALSE,
                          page->GetDlgItem(IDC_ASSOC_DISCARD)->IsWindowEnabled() != FALSE);
  };
  EXPECT_EQ(page->GetDlgItemText(IDC_ASSOC_FILTER_CHECK),
            "Application \"Editor\" is active and its caption contain text:");
  EXPECT_EQ(buttons(), std::make_pair(false, false));
  TypeInto(showAs, "editor");  // letter case alone is a change
  EXPECT_EQ(buttons(), std::make_pair(true, true));
  TypeInto(showAs, "Editor");
  EXPECT_EQ(buttons(), std::make_pair(false, false));
  Click(page->GetDlgItem(IDC_ASSOC_FILTER_CHECK));
  EXPECT_EQ(buttons(), std::make_pair(true, true));
  Click(page->GetDlgItem(IDC_ASSOC_FILTER_CHECK));
  EXPECT_EQ(buttons(), std::make_pair(false, false));
  Click(page->GetDlgItem(IDC_ASSOC_RESTORE_NAME));
  EXPECT_EQ(showAs->GetWindowText(), "editor");
  EXPECT_EQ(buttons(), std::make_pair(true, true));
  Click(page->GetDlgItem(IDC_ASSOC_DISCARD));
  EXPECT_EQ(showAs->GetWindowText(), "Editor");
  EXPECT_EQ(buttons(), std::make_pair(false, false));
}

TEST_F(ViewTest, ApplyRenamesAGroupOrReplacesAnEntryAndSavesTheTree) {
  Open(WorkTree(), kWorkDay);
  CWnd* page = Page(0);
  ClickTreeItem({"beta"});
  TypeInto(page->GetDlgItem(IDC_ASSOC_SHOWAS), "Web");
  Click(page->GetDlgItem(IDC_ASSOC_APPLY));
  EXPECT_EQ(FindTreeItem({"beta"}), nullptr);
  EXPECT_NE(FindTreeItem({"Web", "Browser"}), nullptr);

  ClickTreeItem({"Work", "editor"});
  TypeInto(page->GetDlgItem(IDC_ASSOC_SHOWAS), "Code");
  Click(page->GetDlgItem(IDC_ASSOC_FILTER_CHECK));
  TypeInto(page->GetDlgItem(IDC_ASSOC_TITLE_FILTER), "project");
  Click(page->GetDlgItem(IDC_ASSOC_APPLY));
  const GroupMap saved = SavedTree();
  ASSERT_EQ(saved.count("Web"), 1u);
  const AppEntry& code = saved.at("Work").at(0);
  EXPECT_EQ(code.ShowAs, "Code");
  EXPECT_EQ(code.Name, "editor");
  EXPECT_TRUE(code.isCheckTitleFilter);
  EXPECT_EQ(code.TitleFilter, "project");
  EXPECT_FALSE(page->GetDlgItem(IDC_ASSOC_APPLY)->IsWindowEnabled());

  // In list mode with no application to select, Apply has nothing to change.
  Click(IDC_VIEW_MODE_TO_LIST);
  PickGroup("Mail");
  PickGroup("Web");
  auto* list = dynamic_cast<CListBox*>(Item(IDC_VIEW_APP_LIST));
  list->SetCurSel(-1);
  TypeInto(page->GetDlgItem(IDC_ASSOC_SHOWAS), "Nothing");
  Click(page->GetDlgItem(IDC_ASSOC_APPLY));
  EXPECT_EQ(SavedTree(), saved);
}

// A problem with an options file is told in a message box when the document opens or a
// refresh or save meets it, once for as long as it lasts.
TEST_F(ViewTest, FileProblemsAreToldOnceWhileTheyLast) {
  Lines told;
  ScopedModalHook hook([&](ModalRequest& r) {
    if (r.Dialog() != nullptr) return r.PressOk();  // a new group
    told.push_back(r.Text());
  });
  const fs::path options = host.Home() / "options";
  WriteHome(WorkTree());
  fs::remove(options / "mainpref.ini");
  fs::create_directory(options / "mainpref.ini");
  std::ofstream(options / "viewopt.xml", std::ios::binary) << "my notes";
  OpenView();
  const std::string tree = (options / "viewopt.xml").string();
  EXPECT_EQ(told, (Lines{"Cannot read " + (options / "mainpref.ini").string() +
                             ". It was left as it is; the default settings are used.",
                         "The groups in " + tree + " could not be read. The file was kept as " +
                             tree + ".damaged, and the groups start anew."}));
  Click(IDC_VIEW_REFRESH);
  EXPECT_EQ(told.size(), 2u);
  for (const long long failAfter : {0, 0, -1, 0}) {
    SetWriteFailureAfterBytesForTesting(failAfter);
    Click(IDC_VIEW_NEWGROUP);
  }
  SetWriteFailureAfterBytesForTesting(-1);
  ASSERT_EQ(told.size(), 4u);  // the second failure is the same; a save that worked ends it
  EXPECT_EQ(told[2], "Cannot save the groups to " + tree +
                         ". The file keeps what it held before, so changes made since are not "
                         "in it.");
  EXPECT_EQ(told[3], told[2]);
}

TEST_F(ViewTest, HelpOpensTheHelpFileOrAsksTheHostForItsPage) {
  Open(WorkTree());
  std::vector<std::string> opened;
  SetShellOpenHookForTesting([&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  const fs::path chm = host.Home() / "TaskMeter.chm";
  std::ofstream(chm) << "help";
  Click(IDC_VIEW_HELP);
  PressKey(Item(IDC_VIEW_TREE)->GetWidget(), Qt::Key_F1);
  fs::remove(chm);
  Click(IDC_VIEW_HELP);
  PumpEvents(10);
  SetShellOpenHookForTesting(nullptr);
  EXPECT_EQ(opened, (Lines{chm.string(), chm.string()}));
  EXPECT_EQ(host.mainFrame->helpContents, 1);
}

}  // namespace

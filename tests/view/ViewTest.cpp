#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <fstream>
#include <random>

#include "accounting/DLLDocument.h"
#include "framework/core/FileIO.h"
#include "tests/view/ViewFixture.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

// The Quick Info rows of the month, the week and today: their texts, then their bars.
Lines QuickInfo(CWnd* page) {
  Lines rows;
  for (int id : {IDC_QI_MONTH_TEXT, IDC_QI_WEEK_TEXT, IDC_QI_TODAY_TEXT}) {
    rows.push_back(page->GetDlgItemText(id));
  }
  for (int id : {IDC_QI_MONTH_BAR, IDC_QI_WEEK_BAR, IDC_QI_TODAY_BAR}) {
    rows.push_back(std::to_string(page->GetDlgItem(id)->GetWidget()->property("value").toInt()));
  }
  return rows;
}

TEST_F(ViewTest, OpensInTreeModeSortedWithTheLastGroupInKeyOrderSelected) {
  Open({{"beta", {Application("b")}},
        {"Alpha", {Application("z"), Application("a")}},
        {"gamma", {}}});
  // Every load makes "Other Applications".
  EXPECT_EQ(TreeLines(),
            (Lines{"Alpha", "  a", "  z", "beta", "  b", "gamma", kOtherApplications}));
  EXPECT_EQ(SelectedTreeText(), "gamma");
  EXPECT_EQ(PageText(0, IDC_ASSOC_SHOWAS), "gamma");
  // A group has no title filter to show.
  EXPECT_FALSE(PageItem(0, IDC_ASSOC_FILTER_CHECK)->GetWidget()->isVisibleTo(Page(0)->GetWidget()));
  EXPECT_FALSE(Enabled(IDC_VIEW_UNLOCK) || Enabled(IDC_VIEW_PASTE));
  EXPECT_TRUE(Enabled(IDC_VIEW_LOCK) && Enabled(IDC_VIEW_HELP) && Enabled(IDC_VIEW_REMOVE));
  // Each mode shows its own controls.
  const int treeMode[] = {IDC_VIEW_TREE, IDC_VIEW_MODE_TO_LIST};
  const int listMode[] = {IDC_VIEW_MODE_TO_TREE, IDC_VIEW_LOOKIN_LABEL, IDC_VIEW_GROUP_COMBO,
                          IDC_VIEW_GROUP_BUTTON, IDC_VIEW_APP_LIST};
  for (const bool list : {false, true}) {
    if (list) Click(IDC_VIEW_MODE_TO_LIST);
    for (int id : treeMode) EXPECT_NE(Shown(id), list) << id;
    for (int id : listMode) EXPECT_EQ(Shown(id), list) << id;
  }
}

// The tree as inserting one item at a time builds it: each group first among its
// siblings, each application before the first sibling that sorts after it (case
// ignored), a group expanded once a sub-level is in it, the top level sorted last.
struct PlacedItem {
  std::string text;
  bool group = false, expanded = false;
  std::vector<PlacedItem> children;
};

bool SortsAfter(const std::string& a, const std::string& b) {
  return QString::compare(QString::fromStdString(a), QString::fromStdString(b),
                          Qt::CaseInsensitive) > 0;
}

void PlaceOneByOne(std::vector<PlacedItem>& siblings, const GroupMap& level) {
  for (const auto& [name, list] : level) {
    PlacedItem& group = *siblings.insert(siblings.begin(), PlacedItem{name, true, false, {}});
    for (const AppEntry& entry : list) {
      if (IsApplicationEntry(entry)) {
        const std::string text = ShownName(entry);
        auto at = std::find_if(group.children.begin(), group.children.end(),
                               [&](const PlacedItem& s) { return SortsAfter(s.text, text); });
        group.children.insert(at, PlacedItem{text, false, false, {}});
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
      list.push_back(depth < 3 && pick(4) == 0
                         ? SubGroupCarrier(RandomLevel(random, depth + 1))
                         : Application("app" + std::to_string(pick(9)), kNames[pick(9)]));
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
    std::vector<PlacedItem> top;
    PlaceOneByOne(top, static_cast<CDLLDocument*>(doc)->GetGroupMap());
    std::stable_sort(top.begin(), top.end(), [](const PlacedItem& a, const PlacedItem& b) {
      return SortsAfter(b.text, a.text);
    });
    Lines expected;
    AddLines(top, "", expected);
    ASSERT_EQ(TreeLines(true), expected) << "round " << round;
  }
}

// Work holds two applications and the sub-group Mail; beta one application; the top-level
// "Other Applications" one more. Each Quick Info row sums its own period (work on the 2nd
// is this month's, on the 13th this week's) as a share of the item's group, of its parent
// for a group, of everything for a top-level group.
const std::vector<LoggedWork> kWork = {
    {"editor", 5400}, {"term", 3600},           {"mail", 1800},           {"browser", 600},
    {"game", 300},    {"editor", 3600, "t", 2}, {"editor", 1800, "t", 13}};

TEST_F(ViewTest, StatisticsShowEachPeriodsShareAndRefreshReadsTheLogsAgain) {
  Open({{"Work",
         {Application("editor"), Application("term"),
          SubGroupCarrier({{"Mail", {Application("mail")}}})}},
        {"beta", {Application("browser", "Browser")}},
        {kOtherApplications, {Application("game")}}},
       kWork);
  const std::tuple<GroupPath, Lines, std::string> cases[] = {
      // the item, its rows, its file
      {{"Work", "Mail"},
       {"Work: 00:30:00 = 11.11 percent", "Work: 00:30:00 = 14.29 percent",
        "Work: 00:30:00 = 16.67 percent", "11", "14", "16"},
       ""},
      {{"Work"},
       {"Work: 04:30:00 = 94.74 percent", "Work: 03:30:00 = 93.33 percent",
        "Work: 03:00:00 = 92.31 percent", "94", "93", "92"},
       ""},
      {{"Work", "editor"},
       {"Work: 03:00:00 = 66.67 percent", "Work: 02:00:00 = 57.14 percent",
        "Work: 01:30:00 = 50.00 percent", "66", "57", "50"},
       "editor"},
  };
  for (const auto& [item, rows, file] : cases) {
    SCOPED_TRACE(item.back());
    ClickTreeItem(item);
    EXPECT_EQ(QuickInfo(Page(1)), rows);
    EXPECT_EQ(PageText(1, IDC_QI_FILENAME), file);
    EXPECT_EQ(PageText(1, IDC_QI_FILEPATH), file.empty() ? "" : "/usr/bin/" + file);
  }
  // Ten more minutes of the editor arrive in today's log.
  std::ofstream(host.Data() / "2026-07-15.log", std::ios::app)
      << LogBlockText(
             {"07 15 09 00 00", "07 15 09 00 00", "editor", "t", "editor", "/usr/bin/editor"})
      << LogBlockText({"07 15 09 00 00", "07 15 09 10 00", "Stop", "", "Stop", ""});
  Click(IDC_VIEW_REFRESH);
  EXPECT_EQ(SelectedTreeText(), "editor");
  EXPECT_EQ(QuickInfo(Page(1)),
            (Lines{"Work: 03:10:00 = 67.86 percent", "Work: 02:10:00 = 59.09 percent",
                   "Work: 01:40:00 = 52.63 percent", "67", "59", "52"}));
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

// Apply and Discard are usable exactly while the page differs from the entry; Apply
// renames a group or replaces an entry and saves the tree. Captions show ampersands as
// they are.
TEST_F(ViewTest, AssociationPageAppliesWhatDiffersAndSavesTheTree) {
  Open({{"beta", {Application("browser", "Browser"), Application("rd", "R&D")}},
        {"Work", {Application("editor")}},
        {"Empty", {}}});
  const auto caption = [&] { return PageText(0, IDC_ASSOC_FILTER_CHECK); };
  const auto usable = [&](int id) { return PageItem(0, id)->IsWindowEnabled() != FALSE; };
  ClickTreeItem({"beta", "Browser"});
  EXPECT_EQ(caption(), "Application \"Browser\" is active and its caption contain text:");
  const std::tuple<int, const char*, const char*, bool> steps[] = {
      // typed or clicked
      {IDC_ASSOC_SHOWAS, "browser", "browser", true},  // letter case alone is a change
      {IDC_ASSOC_SHOWAS, "Browser", "Browser", false},
      {IDC_ASSOC_FILTER_CHECK, nullptr, "Browser", true},
      {IDC_ASSOC_FILTER_CHECK, nullptr, "Browser", false},
      {IDC_ASSOC_RESTORE_NAME, nullptr, "browser", true},
      {IDC_ASSOC_DISCARD, nullptr, "Browser", false},
  };
  for (const auto& [control, typed, shown, differs] : steps) {
    SCOPED_TRACE(control);
    typed != nullptr ? TypeInto(PageItem(0, control), typed) : Click(PageItem(0, control));
    EXPECT_EQ(PageText(0, IDC_ASSOC_SHOWAS), shown);
    EXPECT_EQ(std::pair(usable(IDC_ASSOC_APPLY), usable(IDC_ASSOC_DISCARD)),
              std::pair(differs, differs));
  }
  ClickTreeItem({"beta", "R&D"});
  EXPECT_EQ(Tabs()->tabText(0).toStdString(), "R&&D");  // shows "R&D", nothing underlined
  EXPECT_EQ(caption(), "Application \"R&&D\" is active and its caption contain text:");

  ClickTreeItem({"beta"});
  TypeInto(PageItem(0, IDC_ASSOC_SHOWAS), "Web");
  Click(PageItem(0, IDC_ASSOC_APPLY));
  EXPECT_EQ(FindTreeItem({"beta"}), nullptr);
  EXPECT_NE(FindTreeItem({"Web", "Browser"}), nullptr);
  ClickTreeItem({"Work", "editor"});
  TypeInto(PageItem(0, IDC_ASSOC_SHOWAS), "Code");
  Click(PageItem(0, IDC_ASSOC_FILTER_CHECK));
  TypeInto(PageItem(0, IDC_ASSOC_TITLE_FILTER), "project");
  Click(PageItem(0, IDC_ASSOC_APPLY));
  const GroupMap saved = SavedTree();
  ASSERT_EQ(saved.count("Web"), 1u);
  const AppEntry& code = saved.at("Work").at(0);
  EXPECT_EQ((Lines{code.ShowAs, code.Name, code.TitleFilter}),
            (Lines{"Code", "editor", "project"}));
  EXPECT_TRUE(code.isCheckTitleFilter);
  EXPECT_FALSE(usable(IDC_ASSOC_APPLY));
  // In list mode with no application to select, Apply has nothing to change.
  Click(IDC_VIEW_MODE_TO_LIST);
  PickGroup("Empty");
  TypeInto(PageItem(0, IDC_ASSOC_SHOWAS), "Nothing");
  Click(PageItem(0, IDC_ASSOC_APPLY));
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
  const std::string tree = (options / "viewopt.xml").string();
  WriteHome({{"Work", {Application("w")}}});
  fs::remove(options / "mainpref.ini");
  fs::create_directory(options / "mainpref.ini");
  std::ofstream(tree, std::ios::binary) << "my notes";
  OpenView();
  ASSERT_EQ(told, (Lines{"Cannot read " + (options / "mainpref.ini").string() +
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
  // The second failure is the same; a save that worked ends it.
  const std::string cannotSave = "Cannot save the groups to " + tree +
                                 ". The file keeps what it held before, so changes made since "
                                 "are not in it.";
  EXPECT_EQ(told, (Lines{told[0], told[1], cannotSave, cannotSave}));
}

}  // namespace

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <fstream>
#include <set>

#include "framework/app/SystemServices.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
#include "framework/stdcontrols/CMenu.h"
#include "res/ResourceIds.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/view/ViewFixture.h"
#include "tree/TreeOps.h"

namespace {

using Names = std::vector<std::string>;

Names ShowAsIn(const GroupMap& tree, const GroupPath& group) {
  Names names;
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
  // Chooses `command` from the right-click menu of the tree; the items' enabled states.
  std::map<UINT, bool> ChooseFromMenu(UINT command) {
    std::map<UINT, bool> enabled;
    AfxSetPopupMenuHook([&](QMenu& menu, QPoint) -> QAction* {
      QAction* chosen = nullptr;
      for (QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        const UINT id = AfxMenuCommandId(action);
        enabled[id] = action->isEnabled();
        if (id == command) chosen = action;
      }
      return chosen;
    });
    QWidget* viewport = TreeViewport();
    const QPoint at = viewport->mapFromGlobal(SelectedItemCentre());
    ClickAt(viewport, at, Qt::RightButton);
    // What the window system makes of a right click.
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &menuRequest);
    AfxSetPopupMenuHook(nullptr);
    PumpEvents(5);
    return enabled;
  }
  // A key pressed while the tree has the focus.
  void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* tree = Tree().GetWidget();
    tree->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(tree, &press);
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
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Names{"w1", "a1"}));
  EXPECT_EQ(ShowAsIn(SavedTree(), {"A"}), (Names{"a1", "a2"}));
  EXPECT_EQ(Tree().GetItemText(Tree().GetParentItem(Tree().GetSelectedItem())), "Work");
  EXPECT_EQ(SelectedTreeText(), "a1");
  EXPECT_FALSE(Enabled(IDC_VIEW_PASTE));
  const GroupMap before = SavedTree();
  const auto enabled = ChooseFromMenu(ID_POPUP_PASTE);
  EXPECT_FALSE(enabled.at(ID_POPUP_PASTE));
  EXPECT_TRUE(enabled.at(ID_POPUP_COPY));
  EXPECT_EQ(SavedTree(), before);
  ClickTreeItem({kOtherApplications, "o1"});
  PressKey(Qt::Key_Delete);  // greyed in the popup here
  EXPECT_EQ(SavedTree(), before);
  PressKey(Qt::Key_F2);
  EXPECT_TRUE(Page(0)->GetDlgItem(IDC_ASSOC_SHOWAS)->GetWidget()->hasFocus());
  ClickTreeItem({"Work", "a1"});
  PressKey(Qt::Key_Delete);  // to the end of Other Applications
  EXPECT_EQ(ShowAsIn(SavedTree(), {kOtherApplications}), (Names{"o1", "a1"}));
  ClickTreeItem({"B"});
  ChooseFromMenu(ID_POPUP_DELETE);  // a group: its entries too
  const GroupMap saved = SavedTree();
  EXPECT_EQ(saved.count("B"), 0u);
  EXPECT_EQ(ShowAsIn(saved, {kOtherApplications}), (Names{"b1", "bw", "None", "o1", "a1"}));
  EXPECT_EQ(TreeLines().front(), "A");
  ClickTreeItem({"A", "a2"});
  ChooseFromMenu(ID_POPUP_COPY);
  ClickTreeItem({"Work"});
  EXPECT_TRUE(ChooseFromMenu(ID_POPUP_PASTE).at(ID_POPUP_PASTE));
  EXPECT_TRUE(Has(SavedTree(), {"Work"}, "a2"));
}

// In list mode an entry of "Other Applications" itself can be removed: it goes to its end.
TEST_F(EditingTest, ListModeRemovalInOtherApplicationsGoesToItsEnd) {
  Open({{kOtherApplications, {Application("dup"), Application("o")}}});
  Click(IDC_VIEW_MODE_TO_LIST);
  PickGroup(kOtherApplications);
  PickApplication("dup");
  Click(IDC_VIEW_REMOVE);
  EXPECT_EQ(ShowAsIn(SavedTree(), {kOtherApplications}), (Names{"o", "dup"}));
}

TEST_F(EditingTest, ListModeEditsTheGroupTheSelectorPathNames) {
  Open(Branches());
  Click(IDC_VIEW_MODE_TO_LIST);
  PickGroup("A");
  PickApplication("a2");
  Click(IDC_VIEW_COPY);
  PickGroup("Work");  // the first of that name is B's
  Click(IDC_VIEW_PASTE);
  EXPECT_EQ(ShowAsIn(SavedTree(), {"B", "Work"}), (Names{"bw", "a2"}));
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Names{"w1"}));

  ScopedModalHook hook([](ModalRequest& r) {
    ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MOVETO);
    r.PressOk();  // the first group: A
  });
  PickGroup("Work", 1);  // the top-level one
  PickApplication("w1");
  Click(IDC_VIEW_MOVETO);
  EXPECT_EQ(ShowAsIn(SavedTree(), {"A"}), (Names{"a1", "a2", "w1"}));
  PickGroup("Work");
  PickApplication("a2");
  Click(IDC_VIEW_REMOVE);
  EXPECT_TRUE(Has(SavedTree(), {kOtherApplications}, "a2"));
  EXPECT_FALSE(Has(SavedTree(), {"B", "Work"}, "a2"));
  EXPECT_TRUE(Shown(IDC_VIEW_APP_LIST));
}

TEST_F(EditingTest, MoveToAndNewGroupTakeTheDialogsChoice) {
  Open(Branches());
  ClickTreeItem({"A", "a1"});
  {
    ScopedModalHook hook([](ModalRequest& r) {
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_MOVETO);
      auto* list = dynamic_cast<CComboBox*>(r.Dialog()->GetDlgItem(2014));
      list->GetWidget()->setProperty("currentIndex", 2);  // A, B, Work (B's), ...
      r.PressOk();
    });
    Click(IDC_VIEW_MOVETO);
  }
  EXPECT_EQ(ShowAsIn(SavedTree(), {"B", "Work"}), (Names{"bw", "a1"}));
  EXPECT_EQ(SelectedTreeText(), "a1");
  const struct {
    bool into;
    GroupPath made;
  } cases[] = {{false, {"New"}}, {true, {"A", "New"}}};
  for (const auto& c : cases) {
    ScopedModalHook hook([&](ModalRequest& r) {
      ASSERT_EQ(r.Dialog()->GetTemplateId(), IDD_NEWGROUP);
      r.Dialog()->SetDlgItemText(2038, "New");
      if (c.into) r.Click(2037);
      r.PressOk();
    });
    Click(IDC_VIEW_NEWGROUP);
    EXPECT_NE(FindGroupList(SavedTree(), c.made), nullptr) << c.into;
  }
}

TEST_F(EditingTest, DragMovesAnApplicationIntoTheGroupItIsDroppedOn) {
  Open(Branches());
  ExpandAll();
  // Onto another application: into its group.
  Drag({"A", "a1"}, {TreeItemCentre({"Work", "w1"})});
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Names{"w1", "a1"}));
  EXPECT_EQ(SelectedTreeText(), "a1");
  // Onto itself and onto its own group: nothing moves.
  ExpandAll();
  const GroupMap before = SavedTree();
  Drag({"Work", "a1"}, {TreeItemCentre({"Work", "a1"})});
  EXPECT_EQ(SavedTree(), before);
  // A group onto its own sub-group: nothing.
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
  EXPECT_EQ(ShowAsIn(SavedTree(), {"Work"}), (Names{"w1", "a1", "a2"}));
}

// Resting on a collapsed group opens it at the next tick; Escape ends the drag, and the
// release that follows drops nothing.
TEST_F(EditingTest, RestingOnAGroupExpandsItAndEscapeEndsTheDragWithoutADrop) {
  Open(Branches());
  const GroupMap before = SavedTree();
  const HTREEITEM b = FindTreeItem({"B"});
  Tree().Expand(b, TVE_COLLAPSE);
  const QPoint start = TreeItemCentre({"A", "a1"});
  MouseAt(QEvent::MouseButtonPress, start, Qt::LeftButton);
  MouseAt(QEvent::MouseMove, start + QPoint(0, 12), Qt::LeftButton);  // the drag begins
  MouseAt(QEvent::MouseMove, TreeItemCentre({"B"}), Qt::LeftButton);
  EXPECT_FALSE(Tree().GetItemState(b, TVIS_EXPANDED) & TVIS_EXPANDED);
  PumpEvents(2300);
  EXPECT_TRUE(Tree().GetItemState(b, TVIS_EXPANDED) & TVIS_EXPANDED);
  PressKey(Qt::Key_Escape);
  MouseAt(QEvent::MouseButtonRelease, TreeItemCentre({"B"}), Qt::NoButton);
  EXPECT_EQ(SavedTree(), before);
}

// The name is selected a step at a time from a timer: a character a step for a short
// name, ten steps for a long one; the view never sleeps meanwhile.
TEST_F(EditingTest, RenameSelectsTheNameStepByStepWithoutHoldingTheView) {
  const std::string pasted(1000, 'n');
  Open({{"A", {Application("a1"), Application("long", pasted)}}});
  auto* edit = qobject_cast<QLineEdit*>(Page(0)->GetDlgItem(IDC_ASSOC_SHOWAS)->GetWidget());
  int sleeps = 0;
  SetSleeperForTesting([&](DWORD) { ++sleeps; });
  for (const std::string& name : {std::string("a1"), pasted}) {
    ClickTreeItem({"A", name});
    ChooseFromMenu(ID_POPUP_RENAME);
    EXPECT_TRUE(edit->hasFocus());
    const int step = static_cast<int>(name.size()) / std::min<int>(name.size(), 10);
    std::set<int> seen;
    for (int tick = 0; tick < 300 && edit->selectedText().size() < static_cast<int>(name.size());
         ++tick) {
      PumpEvents(5);
      seen.insert(static_cast<int>(edit->selectedText().size()));
    }
    EXPECT_EQ(edit->selectedText().toStdString(), name);
    for (const int size : seen) EXPECT_EQ(size % step, 0) << size;
  }
  SetSleeperForTesting(nullptr);
  EXPECT_EQ(sleeps, 0);
}

TEST_F(EditingTest, RefreshReadsTheLogsAgainAndKeepsTheSelection) {
  Open(Branches(), {{"a1", 60}});
  ClickTreeItem({"A", "a2"});
  // New work arrives in the log; Refresh counts it.
  std::ofstream(host.Data() / "2026-07-15.log", std::ios::app)
      << LogBlockText({"07 15 09 00 00", "07 15 09 00 00", "a2", "t", "a2", "/usr/bin/a2"})
      << LogBlockText({"07 15 09 00 00", "07 15 09 10 00", "Stop", "", "Stop", ""});
  Click(IDC_VIEW_REFRESH);
  EXPECT_EQ(SelectedTreeText(), "a2");
  EXPECT_EQ(PageText(1, IDC_QI_MONTH_TEXT), "Work: 00:10:00 = 90.91 percent");
}

}  // namespace

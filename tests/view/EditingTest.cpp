#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/MenuBuilder.h"
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
  // Chooses `command` from the right-click menu of the tree; the items' enabled states.
  std::map<UINT, bool> ChooseFromMenu(UINT command) {
    std::map<UINT, bool> enabled;
    RightClickSelected([&](QMenu& menu, QPoint) {
      QAction* chosen = nullptr;
      for (QAction* action : menu.actions()) {
        enabled[AfxMenuCommandId(action)] = action->isEnabled();
        if (AfxMenuCommandId(action) == command) chosen = action;
      }
      return chosen;
    });
    return enabled;
  }
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
  EXPECT_EQ(Tree().GetItemText(Tree().GetParentItem(Tree().GetSelectedItem())), "Work");
  EXPECT_EQ(SelectedTreeText(), "a1");
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
  const GroupMap saved = SavedTree();
  EXPECT_EQ(saved.count("B"), 0u);
  EXPECT_EQ(ShowAsIn(saved, {kOtherApplications}), (Lines{"b1", "bw", "None", "o1", "a1"}));
  EXPECT_EQ(TreeLines().front(), "A");
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

}  // namespace

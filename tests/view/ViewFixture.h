#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTabBar>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/core/Document.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CListBox.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "res/ResourceIds.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/framework/UserActions.h"
#include "tests/module/ModuleHost.h"
#include "tree/GroupTree.h"

using Lines = std::vector<std::string>;

// Time spent on one application, as the host logs it.
struct LoggedWork {
  std::string app;  // identifying name; the display name is the same
  int seconds = 0;
  std::string title = "title";
  int day = 15;  // of July; the fixed today is the 15th, a Wednesday
};

// The module's view on a home whose tree, preferences and the logs of July (the 15th is
// the fixed today) are written by the test, driven as a user drives it.
class ViewTest : public testing::Test {
 protected:
  void Open(const GroupMap& tree, const std::vector<LoggedWork>& work = {},
            const MainPrefs& prefs = {}) {
    WriteHome(tree, work, prefs);
    OpenView();
  }
  // The two halves of Open, for a test that changes the files in between.
  void WriteHome(const GroupMap& tree, const std::vector<LoggedWork>& work = {},
                 const MainPrefs& prefs = {});
  void OpenView();

  CWnd* Item(int id) const { return view->GetDlgItem(id); }
  bool Shown(int id) const { return Item(id)->GetWidget()->isVisibleTo(view->GetWidget()); }
  bool Enabled(int id) const { return Item(id)->IsWindowEnabled() != FALSE; }
  CTreeCtrl& Tree() const { return *dynamic_cast<CTreeCtrl*>(Item(IDC_VIEW_TREE)); }
  QWidget* TreeViewport() const {
    return qobject_cast<QAbstractItemView*>(Tree().GetWidget())->viewport();
  }
  CListBox& AppListBox() const { return *dynamic_cast<CListBox*>(Item(IDC_VIEW_APP_LIST)); }
  QTabBar* Tabs() const { return Item(IDC_VIEW_TABHOST)->GetWidget()->findChild<QTabBar*>(); }
  // A page of the tab host (0 "Main", 1 "Quick Info") and a control of it.
  CWnd* Page(int index) const;
  CWnd* PageItem(int page, int id) const { return Page(page)->GetDlgItem(id); }
  std::string PageText(int page, int id) const { return Page(page)->GetDlgItemText(id); }

  // Visits every tree item in display order with its depth and its path ("/A/b").
  void WalkTree(const std::function<void(HTREEITEM, int, const std::string&)>& visit) const;
  // Every tree item, indented two blanks per level; with `marks` a group's text ends in
  // "/" and an expanded item's in " +".
  Lines TreeLines(bool marks = false) const;
  std::string SelectedTreeText() const { return Tree().GetItemText(Tree().GetSelectedItem()); }
  HTREEITEM FindTreeItem(const GroupPath& texts) const;

  // A user's actions: a click at the control's centre, a click on a tree item, a pick in
  // the group picker or the application list, a mouse event at `global` for the window
  // that holds the capture, else for the tree.
  void Click(int id) { Click(Item(id)); }
  void Click(CWnd* control);
  void ClickTreeItem(const GroupPath& texts);
  void PickGroup(const std::string& text, bool second = false);  // of that name
  void PickApplication(const std::string& text);
  void TypeInto(CWnd* edit, const std::string& text);
  void MouseAt(QEvent::Type type, QPoint global, Qt::MouseButtons held);
  // Expands every group, as a user opens them all before dragging across the tree.
  void ExpandAll();
  QPoint TreeItemCentre(HTREEITEM item) const;  // on the screen
  QPoint TreeItemCentre(const GroupPath& texts) const {
    return TreeItemCentre(FindTreeItem(texts));
  }
  // Presses on `from`, moves through `via` and releases at the last point.
  void Drag(QPoint from, const std::vector<QPoint>& via);
  void Drag(const GroupPath& from, const std::vector<QPoint>& via) {
    Drag(TreeItemCentre(from), via);
  }
  // Chooses `command` from the right-click menu of the selected tree item; the items'
  // enabled states.
  std::map<UINT, bool> ChooseFromMenu(UINT command);

  // The tree file as the next start would read it.
  GroupMap SavedTree() const {
    GroupMap tree;
    ViewOptionsFile((host.Home() / "options" / "viewopt.xml").string()).Load(tree);
    return tree;
  }

  HostFixture host;
  CDocument* doc = nullptr;
  CView* view = nullptr;
};

inline AppEntry Application(const std::string& name, const std::string& showAs = "") {
  AppEntry entry;
  entry.Name = name;
  entry.ShowAs = showAs.empty() ? name : showAs;
  entry.Path = "/usr/bin/" + name;
  return entry;
}

inline AppEntry SubGroupCarrier(GroupMap subGroups) {
  AppEntry carrier;
  carrier.SubGroups = std::move(subGroups);
  return carrier;
}

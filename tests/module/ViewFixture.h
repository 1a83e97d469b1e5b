#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "framework/core/Document.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CListBox.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "storage/MainPrefs.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/module/ModuleHost.h"
#include "tree/GroupTree.h"

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
            const MainPrefs& prefs = MainPrefs{});
  // The two halves of Open, for a test that changes the files in between.
  void WriteHome(const GroupMap& tree, const std::vector<LoggedWork>& work = {},
                 const MainPrefs& prefs = MainPrefs{});
  void OpenView();

  CWnd* Item(int id) const { return view->GetDlgItem(id); }
  bool Shown(int id) const;
  bool Enabled(int id) const { return Item(id)->IsWindowEnabled() != FALSE; }
  CTreeCtrl& Tree() const;
  // A page of the tab host (0 "Main", 1 "Quick Info").
  CWnd* Page(int index) const;
  std::string PageText(int page, int id) const { return Page(page)->GetDlgItemText(id); }
  int BarPosition(int id) const;

  // Every tree item in display order, indented two blanks per level.
  std::vector<std::string> TreeLines() const;
  std::string SelectedTreeText() const;
  HTREEITEM FindTreeItem(const GroupPath& texts) const;

  // A user's actions: a click at the control's centre, a click on a tree item, a pick in
  // the group picker or the application list.
  void Click(int id);
  void Click(CWnd* control);
  void ClickTreeItem(const GroupPath& texts);
  void PickGroup(const std::string& text, int occurrence = 0);  // 1: the second of that name
  void PickApplication(const std::string& text);
  void TypeInto(CWnd* edit, const std::string& text);
  // A mouse event at `global` (screen) for the window that holds the capture, else for
  // the tree.
  void MouseAt(QEvent::Type type, QPoint global, Qt::MouseButtons held);
  QPoint SelectedItemCentre() const;  // on the screen
  QWidget* TreeViewport() const;
  // Expands every group, as a user opens them all before dragging across the tree.
  void ExpandAll();
  QPoint TreeItemCentre(const GroupPath& texts) const;  // on the screen
  QPoint TreeItemCentre(HTREEITEM item) const;
  // Presses on `from`, moves through `via` and releases at the last point.
  void Drag(const GroupPath& from, const std::vector<QPoint>& via);
  void Drag(QPoint from, const std::vector<QPoint>& via);

  // The tree file as the next start would read it.
  GroupMap SavedTree() const;

  HostFixture host;
  CDocument* doc = nullptr;
  CView* view = nullptr;
};

AppEntry Application(const std::string& name, const std::string& showAs = "");
AppEntry SubGroupCarrier(GroupMap subGroups);

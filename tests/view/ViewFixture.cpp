#include "tests/view/ViewFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <fstream>

#include "framework/resources/MenuBuilder.h"
#include "framework/stdcontrols/CMenu.h"

namespace {

std::string Clock(int day, int secondsAfterEight) {
  const int s = secondsAfterEight;
  char text[32];
  std::snprintf(text, sizeof text, "07 %02d %02d %02d %02d", day, 8 + s / 3600, s / 60 % 60,
                s % 60);
  return text;
}

// The work of one day back to back from 08:00; each block carries the interval of the
// block before it.
std::string LogText(const std::vector<LoggedWork>& work, int day) {
  std::string text, start = Clock(day, 0), end = start;
  int at = 0;
  for (const LoggedWork& w : work) {
    if (w.day != day) continue;
    text += LogBlockText({start, end, w.app, w.title, w.app, "/usr/bin/" + w.app});
    start = Clock(day, at);
    end = Clock(day, at += w.seconds);
  }
  return text.empty() ? text : text + LogBlockText({start, end, "Stop", "", "Stop", ""});
}

}  // namespace

void ViewTest::WriteHome(const GroupMap& tree, const std::vector<LoggedWork>& work,
                         const MainPrefs& prefs) {
  MainPrefs written = prefs;
  written.DbPath = host.Data().string() + "/";
  const std::filesystem::path options = host.Home() / "options";
  std::ofstream(options / "mainpref.ini", std::ios::binary) << MainPrefsText(written);
  std::ofstream(options / "viewopt.xml", std::ios::binary) << ViewOptionsText(tree);
  std::ofstream(host.Data() / "2026-07-15.log", std::ios::binary) << LogText(work, 15);
  for (const LoggedWork& w : work) {
    const std::string name = "2026-07-" + std::to_string(100 + w.day).substr(1) + ".log";
    std::ofstream(host.Data() / name, std::ios::binary) << LogText(work, w.day);
  }
}

void ViewTest::OpenView() {
  ASSERT_NE(TheModule().entry, nullptr) << TheModule().error;
  doc = host.OpenModuleDocument();
  ASSERT_NE(doc, nullptr);
  view = HostFixture::ViewOf(doc);
  ASSERT_NE(view, nullptr);
  view->GetTopLevelParent()->ShowWindow(SW_SHOW);
  PumpEvents(5);
}

CWnd* ViewTest::Page(int index) const {
  // The pages are the tab host's child windows; each is known by a control of its own.
  const int marker = index == 0 ? IDC_ASSOC_RESTORE_NAME : IDC_QI_FILENAME;
  for (QWidget* child : Item(IDC_VIEW_TABHOST)->GetWidget()->findChildren<QWidget*>()) {
    CWnd* page = CWnd::FromHandlePermanent(child);
    if (page != nullptr && page->GetDlgItem(marker) != nullptr) return page;
  }
  ADD_FAILURE() << "no page " << index;
  return nullptr;
}

void ViewTest::WalkTree(
    const std::function<void(HTREEITEM, int, const std::string&)>& visit) const {
  std::function<void(HTREEITEM, int, const std::string&)> walk = [&](HTREEITEM item, int depth,
                                                                     const std::string& at) {
    for (; item != nullptr; item = Tree().GetNextSiblingItem(item)) {
      const std::string path = at + "/" + Tree().GetItemText(item);
      visit(item, depth, path);
      walk(Tree().GetChildItem(item), depth + 1, path);
    }
  };
  walk(Tree().GetChildItem(TVI_ROOT), 0, "");
}

Lines ViewTest::TreeLines(bool marks) const {
  Lines lines;
  WalkTree([&](HTREEITEM item, int depth, const std::string&) {
    int image = 0, selected = 0;
    Tree().GetItemImage(item, image, selected);
    const bool expanded = Tree().GetItemState(item, TVIS_EXPANDED) != 0;
    lines.push_back(std::string(2 * depth, ' ') + Tree().GetItemText(item) +
                    (marks && image == 0 ? "/" : "") + (marks && expanded ? " +" : ""));
  });
  return lines;
}

HTREEITEM ViewTest::FindTreeItem(const GroupPath& texts) const {
  HTREEITEM found = nullptr;
  std::string wanted;
  for (const std::string& text : texts) wanted += "/" + text;
  WalkTree([&](HTREEITEM item, int, const std::string& path) {
    if (path == wanted && found == nullptr) found = item;
  });
  return found;
}

void ViewTest::Click(CWnd* control) {
  ASSERT_TRUE(user::ClickButton(*control->GetParent(), control->GetDlgCtrlID()))
      << control->GetDlgCtrlID();
  PumpEvents(5);
}

void ViewTest::ClickTreeItem(const GroupPath& texts) {
  const HTREEITEM item = FindTreeItem(texts);
  ASSERT_NE(item, nullptr) << texts.back();
  ASSERT_TRUE(user::PickTreeItem(Tree().GetWidget(), item));
  PumpEvents(5);
}

void ViewTest::PickGroup(const std::string& text, bool second) {
  const auto& picker = *dynamic_cast<CComboBox*>(Item(IDC_VIEW_GROUP_COMBO));
  const int first = picker.FindStringExact(-1, text.c_str());
  const int index = second ? picker.FindStringExact(first, text.c_str()) : first;
  ASSERT_TRUE(user::PickComboEntry(*view, IDC_VIEW_GROUP_COMBO, index)) << text;
  PumpEvents(5);
}

void ViewTest::PickApplication(const std::string& text) {
  const int index = AppListBox().FindStringExact(-1, text.c_str());
  ASSERT_TRUE(user::PickListEntry(*view, IDC_VIEW_APP_LIST, index)) << text;
  PumpEvents(5);
}

void ViewTest::TypeInto(CWnd* edit, const std::string& text) {
  auto* line = qobject_cast<QLineEdit*>(edit->GetWidget());
  line->selectAll();
  line->insert(QString::fromStdString(text));  // as typing does: textEdited, textChanged
  PumpEvents(2);
}

void ViewTest::MouseAt(QEvent::Type type, QPoint global, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  user::DeliverMouse(type, global, button, held, TreeViewport());
  QApplication::processEvents();
}

void ViewTest::ExpandAll() {
  WalkTree([&](HTREEITEM item, int, const std::string&) {
    if (Tree().ItemHasChildren(item)) Tree().Expand(item, TVE_EXPAND);
  });
  PumpEvents(2);
}

QPoint ViewTest::TreeItemCentre(HTREEITEM item) const {
  CRect rect;
  if (item == nullptr) return {};
  Tree().EnsureVisible(item);  // what a user expands and scrolls to see it
  if (!Tree().GetItemRect(item, &rect, TRUE)) return {};
  return TreeViewport()->mapToGlobal(Centre(rect));
}

void ViewTest::Drag(QPoint start, const std::vector<QPoint>& via) {
  MouseAt(QEvent::MouseButtonPress, start, Qt::LeftButton);
  // Far enough for the tree to start a drag.
  MouseAt(QEvent::MouseMove, start + QPoint(0, 12), Qt::LeftButton);
  for (const QPoint& p : via) MouseAt(QEvent::MouseMove, p, Qt::LeftButton);
  MouseAt(QEvent::MouseButtonRelease, via.empty() ? start : via.back(), Qt::NoButton);
  PumpEvents(5);
}

std::map<UINT, bool> ViewTest::ChooseFromMenu(UINT command) {
  std::map<UINT, bool> enabled;
  AfxSetPopupMenuHook([&](QMenu& menu, QPoint) {
    QAction* chosen = nullptr;
    for (QAction* action : menu.actions()) {
      enabled[AfxMenuCommandId(action)] = action->isEnabled();
      if (AfxMenuCommandId(action) == command) chosen = action;
    }
    return chosen;
  });
  QWidget* viewport = TreeViewport();
  const QPoint at = viewport->mapFromGlobal(TreeItemCentre(Tree().GetSelectedItem()));
  ClickAt(viewport, at, Qt::RightButton);
  // What the window system makes of a right click.
  QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &menuRequest);
  AfxSetPopupMenuHook(nullptr);
  PumpEvents(5);
  return enabled;
}

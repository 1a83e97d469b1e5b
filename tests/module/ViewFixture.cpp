#include "tests/module/ViewFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <fstream>
#include <sstream>

#include "framework/stdcontrols/CComboBox.h"
#include "framework/stdcontrols/CListBox.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "storage/XmlDoc.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"
#include "tests/framework/UserActions.h"

namespace fs = std::filesystem;

namespace {

std::string Clock(int day, int secondsAfterEight) {
  const int h = 8 + secondsAfterEight / 3600, m = secondsAfterEight / 60 % 60,
            s = secondsAfterEight % 60;
  char text[32];
  std::snprintf(text, sizeof text, "07 %02d %02d %02d %02d", day, h, m, s);
  return text;
}

// The work of one day back to back from 08:00; each block carries the interval of the
// block before it.
std::string LogText(const std::vector<LoggedWork>& work, int day) {
  std::string text;
  int at = 0;
  bool any = false;
  std::string start = Clock(day, 0), end = Clock(day, 0);
  for (const LoggedWork& w : work) {
    if (w.day != day) continue;
    any = true;
    text += LogBlockText(start, end, w.app, w.title, w.app, "/usr/bin/" + w.app);
    start = Clock(day, at);
    at += w.seconds;
    end = Clock(day, at);
  }
  if (any) text += LogBlockText(start, end, "Stop", "", "Stop", "");
  return text;
}

}  // namespace

AppEntry Application(const std::string& name, const std::string& showAs) {
  AppEntry entry;
  entry.Name = name;
  entry.ShowAs = showAs.empty() ? name : showAs;
  entry.Path = "/usr/bin/" + name;
  return entry;
}

AppEntry SubGroupCarrier(GroupMap subGroups) {
  AppEntry carrier;
  carrier.SubGroups = std::move(subGroups);
  return carrier;
}

void ViewTest::Open(const GroupMap& tree, const std::vector<LoggedWork>& work,
                    const MainPrefs& prefs) {
  WriteHome(tree, work, prefs);
  OpenView();
}

void ViewTest::WriteHome(const GroupMap& tree, const std::vector<LoggedWork>& work,
                         const MainPrefs& prefs) {
  MainPrefs written = prefs;
  written.DbPath = host.Data().string() + "/";
  const fs::path options = host.Home() / "options";
  std::ofstream(options / "mainpref.ini", std::ios::binary) << MainPrefsText(written);
  std::ofstream(options / "viewopt.xml", std::ios::binary) << ViewOptionsText(tree);
  std::ofstream(host.Data() / "2026-07-15.log", std::ios::binary) << LogText(work, 15);
  for (const LoggedWork& w : work) {
    char name[32];
    std::snprintf(name, sizeof name, "2026-07-%02d.log", w.day);
    if (w.day != 15) std::ofstream(host.Data() / name, std::ios::binary) << LogText(work, w.day);
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

bool ViewTest::Shown(int id) const { return Item(id)->GetWidget()->isVisibleTo(view->GetWidget()); }

CTreeCtrl& ViewTest::Tree() const { return *dynamic_cast<CTreeCtrl*>(Item(IDC_VIEW_TREE)); }

CWnd* ViewTest::Page(int index) const {
  // The pages are the tab host's child windows; each is known by a control of its own.
  const int marker = index == 0 ? IDC_ASSOC_RESTORE_NAME : IDC_QI_FILENAME;
  for (QObject* child : Item(IDC_VIEW_TABHOST)->GetWidget()->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    CWnd* page = widget != nullptr ? CWnd::FromHandlePermanent(widget) : nullptr;
    if (page != nullptr && page->GetDlgItem(marker) != nullptr) return page;
  }
  ADD_FAILURE() << "no page " << index;
  return nullptr;
}

int ViewTest::BarPosition(int id) const {
  return qobject_cast<QProgressBar*>(Page(1)->GetDlgItem(id)->GetWidget())->value();
}

std::vector<std::string> ViewTest::TreeLines() const {
  std::vector<std::string> lines;
  CTreeCtrl& tree = Tree();
  std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM item, int depth) {
    for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
      lines.push_back(std::string(2 * depth, ' ') + tree.GetItemText(item));
      walk(tree.GetChildItem(item), depth + 1);
    }
  };
  walk(tree.GetChildItem(TVI_ROOT), 0);
  return lines;
}

std::string ViewTest::SelectedTreeText() const {
  const HTREEITEM selected = Tree().GetSelectedItem();
  return selected != nullptr ? Tree().GetItemText(selected) : "(none)";
}

HTREEITEM ViewTest::FindTreeItem(const GroupPath& texts) const {
  CTreeCtrl& tree = Tree();
  HTREEITEM level = tree.GetChildItem(TVI_ROOT), found = nullptr;
  for (const std::string& text : texts) {
    found = level;
    while (found != nullptr && tree.GetItemText(found) != text) {
      found = tree.GetNextSiblingItem(found);
    }
    if (found == nullptr) return nullptr;
    level = tree.GetChildItem(found);
  }
  return found;
}

void ViewTest::Click(int id) { Click(Item(id)); }

void ViewTest::Click(CWnd* control) {
  ASSERT_TRUE(user::ClickButton(*control->GetParent(), control->GetDlgCtrlID()))
      << control->GetDlgCtrlID();
  PumpEvents(5);
}

void ViewTest::MouseAt(QEvent::Type type, QPoint global, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  user::DeliverMouse(type, global, button, held, TreeViewport());
  QApplication::processEvents();
}

QPoint ViewTest::TreeItemCentre(const GroupPath& texts) const {
  return TreeItemCentre(FindTreeItem(texts));
}

QPoint ViewTest::TreeItemCentre(HTREEITEM item) const {
  CRect rect;
  if (item == nullptr) return {};
  Tree().EnsureVisible(item);  // what a user expands and scrolls to see it
  if (!Tree().GetItemRect(item, &rect, TRUE)) return {};
  auto* tree = qobject_cast<QAbstractItemView*>(Tree().GetWidget());
  return tree->viewport()->mapToGlobal(Centre(rect));
}

void ViewTest::ExpandAll() {
  std::function<void(HTREEITEM)> expand = [&](HTREEITEM item) {
    for (; item != nullptr; item = Tree().GetNextSiblingItem(item)) {
      if (Tree().ItemHasChildren(item)) Tree().Expand(item, TVE_EXPAND);
      expand(Tree().GetChildItem(item));
    }
  };
  expand(Tree().GetChildItem(TVI_ROOT));
  PumpEvents(2);
}

QWidget* ViewTest::TreeViewport() const {
  return qobject_cast<QAbstractItemView*>(Tree().GetWidget())->viewport();
}

QPoint ViewTest::SelectedItemCentre() const {
  CRect rect;
  if (!Tree().GetItemRect(Tree().GetSelectedItem(), &rect, TRUE)) return {};
  auto* tree = qobject_cast<QAbstractItemView*>(Tree().GetWidget());
  return tree->viewport()->mapToGlobal(Centre(rect));
}

void ViewTest::Drag(const GroupPath& from, const std::vector<QPoint>& via) {
  Drag(TreeItemCentre(from), via);
}

void ViewTest::Drag(QPoint start, const std::vector<QPoint>& via) {
  MouseAt(QEvent::MouseButtonPress, start, Qt::LeftButton);
  // Far enough for the tree to start a drag.
  MouseAt(QEvent::MouseMove, start + QPoint(0, 12), Qt::LeftButton);
  for (const QPoint& p : via) MouseAt(QEvent::MouseMove, p, Qt::LeftButton);
  MouseAt(QEvent::MouseButtonRelease, via.empty() ? start : via.back(), Qt::NoButton);
  PumpEvents(5);
}

void ViewTest::ClickTreeItem(const GroupPath& texts) {
  const HTREEITEM item = FindTreeItem(texts);
  ASSERT_NE(item, nullptr) << texts.back();
  ASSERT_TRUE(user::PickTreeItem(Tree().GetWidget(), item));
  PumpEvents(5);
}

void ViewTest::PickGroup(const std::string& text, int occurrence) {
  const auto& picker = *dynamic_cast<CComboBox*>(Item(IDC_VIEW_GROUP_COMBO));
  int index = -1;
  for (int i = 0; i < picker.GetCount() && index < 0; ++i) {
    if (picker.GetLBText(i) == text && occurrence-- == 0) index = i;
  }
  ASSERT_TRUE(user::PickComboEntry(*view, IDC_VIEW_GROUP_COMBO, index)) << text;
  PumpEvents(5);
}

void ViewTest::PickApplication(const std::string& text) {
  const auto& list = *dynamic_cast<CListBox*>(Item(IDC_VIEW_APP_LIST));
  ASSERT_TRUE(user::PickListEntry(*view, IDC_VIEW_APP_LIST, list.FindStringExact(-1, text.c_str())))
      << text;
  PumpEvents(5);
}

void ViewTest::TypeInto(CWnd* edit, const std::string& text) {
  auto* line = qobject_cast<QLineEdit*>(edit->GetWidget());
  line->selectAll();
  line->insert(QString::fromStdString(text));  // as typing does: textEdited, textChanged
  PumpEvents(2);
}

GroupMap ViewTest::SavedTree() const {
  std::ifstream in(host.Home() / "options" / "viewopt.xml", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  CXmlDoc xml;
  xml.Parse(JoinLines(bytes.str()));
  return ReadTree(xml);
}

#include "DialogsTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QTreeWidget>
#include <cstdlib>

#include "framework/CDialog.h"
#include "framework/ModalHook.h"
#include "framework/ModuleState.h"
#include "framework/Resources.h"
#include "framework/controls/CTreeCtrl.h"
#include "res/ModuleResourceTable.h"
#include "tests/framework/StdControlsTestSupport.h"

namespace {

// The dialogs find their templates, icons and bitmaps under this program's own handle.
const ModuleResources g_resources(AfxExecutableHandle(), ModuleResourceTable());

void CollectLines(const CTreeCtrl& tree, HTREEITEM parent, int depth,
                  std::vector<std::string>& lines) {
  for (HTREEITEM h = tree.GetChildItem(parent); h != nullptr; h = tree.GetNextSiblingItem(h)) {
    lines.push_back(std::string(2 * depth, ' ') + tree.GetItemText(h));
    CollectLines(tree, h, depth + 1, lines);
  }
}

}  // namespace

int ModalSession::Run(CDialog& dialog, const std::function<void(ModalRequest&)>& user) {
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) {
      boxes.push_back({request.Text(), request.Caption()});
      request.Answer(IDOK);
      return;
    }
    QApplication::processEvents();
    user(request);
  });
  return dialog.DoModal();
}

void ChooseComboEntry(CDialog& dialog, int id, int index) {
  CWnd* control = dialog.GetDlgItem(id);
  ASSERT_NE(control, nullptr);
  auto* combo = qobject_cast<QComboBox*>(control->GetSafeHwnd());
  ASSERT_NE(combo, nullptr);
  for (int guard = 0; combo->currentIndex() != index && guard < combo->count() + 1; ++guard) {
    PressKey(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
  }
}

void TypeText(CDialog& dialog, int id, const std::string& text) {
  CWnd* control = dialog.GetDlgItem(id);
  ASSERT_NE(control, nullptr);
  control->SetWindowText(text);
}

void ClickListLine(CDialog& dialog, int id, int index) {
  CWnd* control = dialog.GetDlgItem(id);
  ASSERT_NE(control, nullptr);
  auto* list = qobject_cast<QListWidget*>(control->GetSafeHwnd());
  ASSERT_NE(list, nullptr);
  const QRect line = list->visualItemRect(list->item(index));
  ClickAt(list->viewport(), line.center());
}

void ClickTreeItem(CTreeCtrl& tree, HTREEITEM item) {
  ASSERT_NE(item, nullptr);
  tree.EnsureVisible(item);
  CRect r;
  ASSERT_TRUE(tree.GetItemRect(item, &r, TRUE));
  auto* widget = static_cast<QTreeWidget*>(tree.GetSafeHwnd());
  ClickAt(widget->viewport(), widget->viewport()->mapFrom(widget, Centre(r)));
}

CTreeCtrl& TreeOf(CDialog& dialog, int id) {
  auto* tree = dynamic_cast<CTreeCtrl*>(dialog.GetDlgItem(id));
  EXPECT_NE(tree, nullptr) << "control " << id << " is no tree";
  return *tree;
}

HTREEITEM FindTreeItem(const CTreeCtrl& tree, const GroupPath& path) {
  HTREEITEM parent = TVI_ROOT;
  HTREEITEM found = nullptr;
  for (const std::string& name : path) {
    found = nullptr;
    for (HTREEITEM h = tree.GetChildItem(parent); h != nullptr; h = tree.GetNextSiblingItem(h)) {
      if (tree.GetItemText(h) == name) found = h;
    }
    if (found == nullptr) return nullptr;
    parent = found;
  }
  return found;
}

std::vector<std::string> TreeLines(const CTreeCtrl& tree) {
  std::vector<std::string> lines;
  CollectLines(tree, TVI_ROOT, 0, lines);
  return lines;
}

void Shoot(QWidget* widget, const char* name) {
  ASSERT_NE(widget, nullptr);
  QApplication::processEvents();
  const QImage picture = widget->grab().toImage();
  EXPECT_FALSE(picture.isNull()) << name;
  EXPECT_GT(picture.width() * picture.height(), 0) << name;
  if (const char* folder = std::getenv("TASKMETER_SHOTS_DIR")) {
    const QString file = QString::fromLocal8Bit(folder) + "/" + name + ".png";
    EXPECT_TRUE(picture.save(file)) << file.toStdString();
  }
}

AppList GroupWith(const GroupMap& subGroups) {
  AppEntry carrier = MakePlaceholder();
  carrier.SubGroups = subGroups;
  return {MakePlaceholder(), carrier};
}

AppList PlainGroup() { return {MakePlaceholder()}; }

#include "DialogsTestSupport.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "framework/app/ModuleState.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/Resources.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "res/ModuleResourceTable.h"
#include "tests/framework/StdControlsTestSupport.h"

namespace {

// The dialogs find their templates, icons and bitmaps under this program's own handle.
const ModuleResources g_resources(AfxExecutableHandle(), ModuleResourceTable());

void CollectLines(const CTreeCtrl& tree, HTREEITEM parent, const std::string& indent,
                  std::vector<std::string>& lines) {
  for (HTREEITEM h = tree.GetChildItem(parent); h != nullptr; h = tree.GetNextSiblingItem(h)) {
    lines.push_back(indent + tree.GetItemText(h));
    CollectLines(tree, h, indent + "  ", lines);
  }
}

}  // namespace

int ModalSession::Run(CDialog& dialog, const std::function<void(ModalRequest&)>& user) {
  ScopedModalHook hook([&](ModalRequest& request) {
    if (request.Dialog() == nullptr) {
      boxes.push_back(request.Caption() + ": " + request.Text());
      request.Answer(IDOK);
    } else {
      QApplication::processEvents();
      user(request);
    }
  });
  return dialog.DoModal();
}

void ChooseComboEntry(CDialog& dialog, int id, int index) {
  auto* combo = qobject_cast<QComboBox*>(dialog.GetDlgItem(id)->GetSafeHwnd());
  ASSERT_NE(combo, nullptr);
  for (int presses = 0; combo->currentIndex() != index && presses <= combo->count(); ++presses) {
    PressKey(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
  }
}

CTreeCtrl& TreeOf(CDialog& dialog, int id) {
  auto* tree = dynamic_cast<CTreeCtrl*>(dialog.GetDlgItem(id));
  EXPECT_NE(tree, nullptr) << "control " << id << " is no tree";
  return *tree;
}

HTREEITEM FindTreeItem(const CTreeCtrl& tree, const GroupPath& path) {
  HTREEITEM found = TVI_ROOT;
  for (const std::string& name : path) {
    HTREEITEM h = tree.GetChildItem(found);
    while (h != nullptr && tree.GetItemText(h) != name) h = tree.GetNextSiblingItem(h);
    if (h == nullptr) return nullptr;
    found = h;
  }
  return found;
}

std::vector<std::string> TreeLines(const CTreeCtrl& tree) {
  std::vector<std::string> lines;
  CollectLines(tree, TVI_ROOT, "", lines);
  return lines;
}

AppList GroupWith(const GroupMap& subGroups) {
  AppEntry carrier = MakePlaceholder();
  carrier.SubGroups = subGroups;
  return {MakePlaceholder(), carrier};
}

AppList PlainGroup() { return {MakePlaceholder()}; }

#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "tree/GroupTree.h"

class CDialog;
class CTreeCtrl;
class ModalRequest;
class QWidget;

// A message box that came up while a dialog ran.
struct ShownBox {
  std::string text;
  std::string caption;
};

// Runs a dialog modally with a user who acts through `user` (clicks, keys, OK or
// Cancel). Message boxes that come up meanwhile are kept in `boxes` and answered OK.
class ModalSession {
 public:
  int Run(CDialog& dialog, const std::function<void(ModalRequest&)>& user);

  std::vector<ShownBox> boxes;
};

// The user moves the selection of a drop-down list to entry `index` with the arrow
// keys, as many presses as it takes from where the selection stands.
void ChooseComboEntry(CDialog& dialog, int id, int index);
// The user types `text` into an edit (its whole text replaced).
void TypeText(CDialog& dialog, int id, const std::string& text);
// The user clicks a line of a list box, and an item's label in a tree control.
void ClickListLine(CDialog& dialog, int id, int index);
void ClickTreeItem(CTreeCtrl& tree, HTREEITEM item);

CTreeCtrl& TreeOf(CDialog& dialog, int id);
// The item reached by following `path` through the item texts from the top level;
// null when a name is missing.
HTREEITEM FindTreeItem(const CTreeCtrl& tree, const GroupPath& path);
// Every item as "indent + text" lines in display order, two spaces per level.
std::vector<std::string> TreeLines(const CTreeCtrl& tree);

// Renders `widget` and checks the picture is not empty; with TASKMETER_SHOTS_DIR set,
// saves it there as `name`.png.
void Shoot(QWidget* widget, const char* name);

// A group list with one placeholder, and a carrier holding `subGroups`.
AppList GroupWith(const GroupMap& subGroups);
AppList PlainGroup();

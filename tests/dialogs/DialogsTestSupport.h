#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/stdcontrols/ControlTypes.h"
#include "tree/GroupTree.h"

class CDialog;
class CTreeCtrl;
class ModalRequest;

// Runs a dialog modally; `user` acts on it through the test hook. Message boxes that
// come up meanwhile are answered OK and kept as "caption: text".
struct ModalSession {
  int Run(CDialog& dialog, const std::function<void(ModalRequest&)>& user);
  std::vector<std::string> boxes;
};

// What a user does: arrow keys until entry `index` of a drop-down list is chosen.
void ChooseComboEntry(CDialog& dialog, int id, int index);

CTreeCtrl& TreeOf(CDialog& dialog, int id);
// The item that `path` names through the item texts; null when a name is missing.
HTREEITEM FindTreeItem(const CTreeCtrl& tree, const GroupPath& path);
// Every item in display order, indented two spaces per level.
std::vector<std::string> TreeLines(const CTreeCtrl& tree);

// A group holding a placeholder, and a carrier of `subGroups`.
AppList GroupWith(const GroupMap& subGroups);
AppList PlainGroup();

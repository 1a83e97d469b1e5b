#include "res/ModuleResourceTable.h"

#include <iterator>

#include "res/ResourceParts.h"

namespace {

template <class T>
void Append(std::vector<T>& to, std::vector<T> from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

ResourceTable BuildTable() {
  ResourceTable table;
  table.strings = ModuleStrings();
  table.menus = ModuleMenus();
  Append(table.dialogs, FormDialogs());
  Append(table.dialogs, SettingsDialogs());
  Append(table.dialogs, GroupDialogs());
  Append(table.images, ModuleIcons());
  Append(table.images, ToolbarBitmaps());
  Append(table.images, EditBitmaps());
  return table;
}

}  // namespace

const ResourceTable& ModuleResourceTable() {
  static const ResourceTable table = BuildTable();
  return table;
}

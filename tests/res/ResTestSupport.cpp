#include "ResTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "res/ModuleResourceTable.h"

HINSTANCE ResInstance() {
  static char marker;
  static const ModuleResources registration(reinterpret_cast<HINSTANCE>(&marker),
                                            ModuleResourceTable());
  return registration.Instance();
}

const DialogResource* Dialog(UINT id) {
  const DialogResource* found = FindDialogIn(ResInstance(), id);
  EXPECT_NE(found, nullptr) << "dialog " << id;
  return found;
}

const DialogItem* Item(const DialogResource& dialog, int id) {
  for (const DialogItem& item : dialog.items) {
    if (item.id == id) return &item;
  }
  ADD_FAILURE() << "dialog " << dialog.id << " has no control " << id;
  return nullptr;
}

std::string FlattenMenu(const MenuResource& menu) {
  std::string rows;
  std::function<void(const std::vector<MenuItem>&, int)> walk =
      [&](const std::vector<MenuItem>& items, int depth) {
        for (const MenuItem& item : items) {
          const std::string text = item.IsSeparator() ? "-" : item.text;
          rows += std::to_string(depth) + "|" + text + "|" + std::to_string(item.id) + "; ";
          walk(item.popup, depth + 1);
        }
      };
  walk(menu.items, 0);
  return rows;
}

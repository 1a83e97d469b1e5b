#include "ResTestSupport.h"

#include <gtest/gtest.h>

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

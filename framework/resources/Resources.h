#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/messages/WinTypes.h"

// Resources by numeric id, compiled into the library that owns them. A library lists
// its resources in a ResourceTable and registers it with one static ModuleResources
// object; the table is then found under that library's instance handle:
//
//   static const ResourceTable kTable{
//       .strings = {{129, "\nDLLDoc\nDLLDoc\n\n\nDLLDoc.Document\nDLLDoc Document"}},
//       .menus = {{129, {MenuItem::Popup("&File", {{"&Hide", 32802}, MenuItem::Separator(),
//                                                  {"E&xit", 32803}})}}},
//       .dialogs = {{101, "", 0, 0, 345, 226, WS_CHILD, "MS Sans Serif", 8, {...}}},
//       .images = {{2011, ImageKind::Icon, kGroupIconPng, sizeof kGroupIconPng}},
//   };
//   static const ModuleResources kRegistration(kTable);

struct MenuItem {
  const char* text = nullptr;  // null with no popup items: a separator
  UINT id = 0;
  std::vector<MenuItem> popup = {};

  static MenuItem Separator() { return {}; }
  static MenuItem Popup(const char* text, std::vector<MenuItem> items) {
    return {text, 0, std::move(items)};
  }
  bool IsSeparator() const { return text == nullptr && popup.empty(); }
  bool IsPopup() const { return !popup.empty(); }
};

struct MenuResource {
  UINT id = 0;
  std::vector<MenuItem> items;  // the top-level entries (popups of a menu bar)
};

// One control of a dialog template; geometry in dialog units.
struct DialogItem {
  const char* windowClass = "STATIC";  // "BUTTON", "EDIT", "STATIC", "LISTBOX", ...
  const char* text = "";
  int id = IDC_STATIC_ID;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  LONG style = 0;
  DWORD exStyle = 0;
  static constexpr int IDC_STATIC_ID = -1;
};

struct DialogResource {
  UINT id = 0;
  const char* caption = "";
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  LONG style = 0;
  const char* fontName = "MS Shell Dlg";  // shown in the desktop's default UI font
  int fontSize = 8;
  std::vector<DialogItem> items;
};

struct StringResource {
  UINT id = 0;
  const char* text = "";
};

enum class ImageKind { Bitmap, Icon };

// Image bytes in any format Qt reads (PNG, BMP, XPM, ICO).
struct ImageResource {
  UINT id = 0;
  ImageKind kind = ImageKind::Bitmap;
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

struct ResourceTable {
  std::vector<StringResource> strings;
  std::vector<MenuResource> menus;
  std::vector<DialogResource> dialogs;
  std::vector<ImageResource> images;
};

// Registers `table` under the instance handle of the shared object that holds this
// registration object, for as long as it lives (the library's lifetime when static).
class ModuleResources {
 public:
  explicit ModuleResources(const ResourceTable& table);
  ModuleResources(HINSTANCE instance, const ResourceTable& table);
  ~ModuleResources();
  ModuleResources(const ModuleResources&) = delete;
  ModuleResources& operator=(const ModuleResources&) = delete;

  HINSTANCE Instance() const { return m_instance; }

 private:
  HINSTANCE m_instance;
  const ResourceTable* m_table;
};

// Lookups in one module's tables; null when the module has no such resource.
const StringResource* FindStringIn(HINSTANCE instance, UINT id);
const MenuResource* FindMenuIn(HINSTANCE instance, UINT id);
const DialogResource* FindDialogIn(HINSTANCE instance, UINT id);
const ImageResource* FindImageIn(HINSTANCE instance, UINT id, ImageKind kind);

// Lookups under the current resource handle, then the current module's own instance.
const StringResource* AfxFindString(UINT id);
const MenuResource* AfxFindMenu(UINT id);
const DialogResource* AfxFindDialog(UINT id);
const ImageResource* AfxFindImage(UINT id, ImageKind kind);

// The string `id`, or empty when there is none.
std::string AfxLoadString(UINT id);

#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

namespace {

MenuItem Command(const char* text, UINT id) { return {text, id, {}}; }

// The fields of the document string, in the framework's order: window title (empty),
// document name, new-file name, filter name and extension (both empty: the document is
// never opened from a file), registry file type id and name.
constexpr const char* kDocumentString = "\nDLLDoc\nDLLDoc\n\n\nDLLDoc.Document\nDLLDoc Document";

MenuResource DocumentMenu() {
  return {
      IDR_DLLDOCTYPE,
      {
          MenuItem::Popup("&File", {Command("&Hide", ID_HOST_HIDE), MenuItem::Separator(),
                                    Command("E&xit", ID_HOST_EXIT)}),
          MenuItem::Popup("Configure",
                          {Command("Settings...", ID_CONFIGURE_SETTINGS),
                           Command("Predefined Groups/Folders", ID_CONFIGURE_PREDEFGROUPS),
                           Command("Lock/Unlock...", ID_CONFIGURE_LOCKUNLOCK)}),
          MenuItem::Popup("Reports", {Command("Make report...", ID_REPORTS_MAKE)}),
          MenuItem::Popup(
              "&Help",
              {Command("Content...", ID_HELP_CONTENT), MenuItem::Separator(),
               MenuItem::Popup("www", {Command("Home Page", ID_WWW_HOMEPAGE),
                                       Command("News Page", ID_WWW_NEWSPAGE),
                                       Command("See Updates", ID_WWW_UPDATES)}),
               MenuItem::Popup("Feedback", {Command("Bug report", ID_FEEDBACK_BUGREPORT),
                                            Command("Information request", ID_FEEDBACK_INFOREQUEST),
                                            Command("Suggestions", ID_FEEDBACK_SUGGESTIONS)}),
               MenuItem::Separator(), Command("&About", ID_APP_ABOUT)}),
      }};
}

// One popup, tracked at the pointer on a right click in the group tree.
MenuResource TreePopupMenu() {
  return {IDR_TREE_POPUP,
          {MenuItem::Popup(
              "Tree", {Command("New", ID_POPUP_NEW), Command("Delete", ID_POPUP_DELETE),
                       MenuItem::Separator(), Command("Copy", ID_POPUP_COPY),
                       Command("Paste", ID_POPUP_PASTE), Command("Move to...", ID_POPUP_MOVETO),
                       MenuItem::Separator(), Command("Rename", ID_POPUP_RENAME)})}};
}

}  // namespace

std::vector<StringResource> ModuleStrings() { return {{IDR_DLLDOCTYPE, kDocumentString}}; }

std::vector<MenuResource> ModuleMenus() { return {DocumentMenu(), TreePopupMenu()}; }

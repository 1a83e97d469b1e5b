#include "host/HostResources.h"

#include "host/HostCommands.h"

const ResourceTable& HostResourceTable() {
  using namespace host_cmd;
  static const ResourceTable table{
      .strings = {},
      .menus = {{kMainFrameResource,
                 {MenuItem::Popup("&File",
                                  {{"&Hide", kHide}, MenuItem::Separator(), {"E&xit", kExit}}),
                  MenuItem::Popup(
                      "&Help",
                      {{"Content...", kHelpContent}, MenuItem::Separator(), {"&About", kAbout}})}}},
      .dialogs = {},
      .images = {},
  };
  return table;
}

void RegisterHostResources() {
  // Made here rather than as a file-level object, so that linking the host's library
  // statically cannot drop the registration.
  static const ModuleResources registration(HostResourceTable());
}

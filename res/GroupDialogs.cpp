#include "res/DialogItems.h"
#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

using namespace dialog_items;

namespace {

DialogResource MoveTo() {
  return Template(IDD_MOVETO, "Select Distination", 186, 44, kModalStyle, "MS Shell Dlg",
                  {
                      GroupPicker(IDC_MOVETO_GROUPS, 7, 6, 173, 90),
                      DefPushButton("OK", IDOK, 44, 23, 50, 14),
                      PushButton("Cancel", IDCANCEL, 97, 23, 50, 14),
                  });
}

// The group picker stays disabled until "Create group into:" is ticked.
DialogResource NewGroup() {
  return Template(IDD_NEWGROUP, "New Folder/Group", 186, 84, kModalStyle, "MS Shell Dlg",
                  {
                      Label("Folder/Group Name:", kNoId, 8, 3, 66, 8),
                      Edit(IDC_NEWGROUP_NAME, 8, 13, 171, 14),
                      EtchedHorz(kNoId, 8, 30, 71, 1),
                      CheckBox("Create group into:", IDC_NEWGROUP_CREATE_INTO, 8, 34, 75, 10),
                      GroupPicker(IDC_NEWGROUP_GROUPS, 8, 47, 171, 123, WS_DISABLED),
                      DefPushButton("OK", IDOK, 40, 64, 50, 14),
                      PushButton("Cancel", IDCANCEL, 94, 64, 50, 14),
                  });
}

// The user's groups on the left, the catalogue on the right, the copy buttons between them.
DialogResource PredefinedGroups() {
  return Template(IDD_PREDEFGROUPS, "Groups/Folders Configuration", 360, 210, kModalStyle,
                  "MS Shell Dlg",
                  {
                      Label("Current Groups/Folders", kNoId, 8, 1, 76, 8),
                      GroupTree(IDC_PREDEF_CURRENT_TREE, 7, 11, 160, 159),
                      PushButton("", IDC_PREDEF_DELETE, 148, 171, 16, 13),
                      EtchedHorz(kNoId, 8, 186, 161, 1),
                      DefPushButton("Save", IDOK, 9, 191, 50, 14),
                      PushButton("Cancel", IDCANCEL, 67, 191, 50, 14),
                      PushButton("<", IDC_PREDEF_COPY_ONE, 172, 80, 17, 14, WS_DISABLED),
                      PushButton("<<", IDC_PREDEF_COPY_ALL, 172, 96, 17, 14, WS_DISABLED),
                      Label("Predefined Groups/Folders", kNoId, 193, 1, 86, 8),
                      GroupTree(IDC_PREDEF_CATALOGUE_TREE, 193, 11, 160, 177),
                  });
}

}  // namespace

std::vector<DialogResource> GroupDialogs() { return {MoveTo(), NewGroup(), PredefinedGroups()}; }

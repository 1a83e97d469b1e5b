#include "res/DialogItems.h"
#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

using namespace dialog_items;

namespace {

// The form view. The window's size handler moves everything below the upper button row, so
// the places of those controls only matter until the first layout; they are the layout's
// pixel places at the template's own size, turned back into dialog units. The upper row keeps
// its places: six image buttons in three groups, split by etched lines. The form starts in
// tree mode, so the controls of list mode start hidden.
DialogResource MainForm() {
  constexpr int kRowY = 2;    // upper button row
  constexpr int kRowH = 13;   // upper buttons and their separators
  constexpr int kTopW = 16;   // upper buttons
  constexpr int kLowY = 202;  // lower button row
  return Template(
      IDD_DLLDOCUMENT_FORM, "", 345, 226, kFormStyle, "MS Sans Serif",
      {
          EtchedHorz(IDC_VIEW_TOP_LINE, 0, 0, 345, 2, WS_DISABLED),
          PushButton("", IDC_VIEW_PREDEFGROUPS, 7, kRowY, kTopW, kRowH),
          PushButton("", IDC_VIEW_PREFERENCES, 25, kRowY, kTopW, kRowH),
          PushButton("", IDC_VIEW_REPORTS, 47, kRowY, kTopW, kRowH),
          PushButton("", IDC_VIEW_LOCK, 69, kRowY, kTopW, kRowH),
          PushButton("", IDC_VIEW_UNLOCK, 87, kRowY, kTopW, kRowH),
          PushButton("", IDC_VIEW_HELP, 109, kRowY, kTopW, kRowH),
          EtchedVert(kNoId, 43, kRowY, 1, kRowH),
          EtchedVert(kNoId, 65, kRowY, 1, kRowH),
          EtchedVert(kNoId, 105, kRowY, 1, kRowH),
          EtchedHorz(IDC_VIEW_TOOLBAR_LINE, 0, 20, 345, 1),
          GroupBox("Groups and Projects", IDC_VIEW_GROUPBOX, 5, 25, 169, 195),
          GroupTree(IDC_VIEW_TREE, 10, 39, 159, 156),
          Hidden(Label("Look in:", IDC_VIEW_LOOKIN_LABEL, 10, 37, 27, 8)),
          Hidden(GroupPicker(IDC_VIEW_GROUP_COMBO, 39, 34, 113, 100)),
          Hidden(PushButton("", IDC_VIEW_GROUP_BUTTON, 155, 34, 16, 14)),
          Hidden(ListBox(IDC_VIEW_APP_LIST, 10, 51, 159, 144,
                         LBS_SORT | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT)),
          EtchedHorz(IDC_VIEW_BUTTONS_LINE, 5, 198, 168, 1),
          Hidden(PushButton("", IDC_VIEW_MODE_TO_TREE, 12, kLowY, 17, 14)),
          PushButton("", IDC_VIEW_MODE_TO_LIST, 12, kLowY, 17, 14),
          PushButton("", IDC_VIEW_REFRESH, 30, kLowY, 17, 15),
          PushButton("", IDC_VIEW_MOVETO, 48, kLowY, 17, 15),
          PushButton("", IDC_VIEW_COPY, 66, kLowY, 17, 15),
          PushButton("", IDC_VIEW_PASTE, 84, kLowY, 17, 15),
          PushButton("", IDC_VIEW_NEWGROUP, 102, kLowY, 17, 15),
          PushButton("", IDC_VIEW_REMOVE, 120, kLowY, 17, 14),
          Control("SysTabControl32", "", IDC_VIEW_TABHOST, 179, 25, 163, 195, WS_TABSTOP),
      });
}

// Tab 0 of the tab host: display name and title-filter association of the selected item.
// The grey strip comes before the two buttons so that they are drawn over it.
DialogResource AssociationPage() {
  return Template(
      IDD_ASSOCIATION_PAGE, "", 241, 159, kPageStyle, "MS Shell Dlg",
      {
          Label("Show as:", IDC_ASSOC_SHOWAS_LABEL, 26, 8, 30, 8),
          Edit(IDC_ASSOC_SHOWAS, 60, 5, 109, 13),
          PushButton("Restore Original Name", IDC_ASSOC_RESTORE_NAME, 60, 20, 109, 12),
          EtchedHorz(IDC_ASSOC_LINE, 0, 37, 240, 1),
          Label("Activate this association if:", IDC_ASSOC_ACTIVATE_LABEL, 6, 49, 87, 8),
          CheckBox("Application \"\" is active and its caption contain text:",
                   IDC_ASSOC_FILTER_CHECK, 14, 66, 178, 18, BS_MULTILINE),
          Edit(IDC_ASSOC_TITLE_FILTER, 25, 87, 158, 14),
          Control("STATIC", "", IDC_ASSOC_BUTTON_BAR, 0, 137, 205, 15, SS_GRAYRECT),
          PushButton("Apply", IDC_ASSOC_APPLY, 7, 138, 50, 14, WS_DISABLED),
          PushButton("Discard", IDC_ASSOC_DISCARD, 60, 138, 50, 14, WS_DISABLED),
      });
}

// Tab 1: file name and path, then a bar and a statistics line for each period.
DialogResource QuickInfoPage() {
  constexpr const char* kNoWork = "Work 00:00:00  = 0 percent";
  return Template(IDD_QUICKINFO_PAGE, "", 242, 178, kPageStyle, "MS Shell Dlg",
                  {
                      Label("File Name:", IDC_QI_FILENAME_LABEL, 12, 13, 34, 8),
                      Edit(IDC_QI_FILENAME, 50, 11, 128, 12),
                      Label("File Path:", IDC_QI_FILEPATH_LABEL, 12, 27, 31, 8),
                      Edit(IDC_QI_FILEPATH, 50, 25, 128, 12),
                      EtchedHorz(IDC_QI_MONTH_LINE, 12, 47, 129, 1),
                      Label("Monthly Activity", IDC_QI_MONTH_LABEL, 12, 49, 52, 8),
                      ProgressBar(IDC_QI_MONTH_BAR, 12, 58, 165, 9),
                      Label(kNoWork, IDC_QI_MONTH_TEXT, 16, 69, 219, 8),
                      EtchedHorz(IDC_QI_WEEK_LINE, 12, 80, 129, 1),
                      Label("Weekly Activity", IDC_QI_WEEK_LABEL, 12, 83, 50, 8),
                      ProgressBar(IDC_QI_WEEK_BAR, 12, 91, 165, 9),
                      Label(kNoWork, IDC_QI_WEEK_TEXT, 16, 102, 219, 8),
                      EtchedHorz(IDC_QI_TODAY_LINE, 12, 114, 129, 1),
                      Label("Today Activity", IDC_QI_TODAY_LABEL, 12, 116, 47, 8),
                      ProgressBar(IDC_QI_TODAY_BAR, 12, 124, 165, 9),
                      Label(kNoWork, IDC_QI_TODAY_TEXT, 16, 135, 219, 8),
                  });
}

}  // namespace

std::vector<DialogResource> FormDialogs() {
  return {MainForm(), AssociationPage(), QuickInfoPage()};
}

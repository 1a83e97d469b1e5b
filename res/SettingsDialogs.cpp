#include "res/DialogItems.h"
#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

using namespace dialog_items;

namespace {

// Settings: a page list on the left and the controls of all five pages on top of each other
// on the right. Only "Main Options" is visible at first; switching pages shows the others.
// The minimum-percent row is never shown, and the new-password fields appear only after
// "Change password...".
DialogResource MainSettings() {
  return {
      IDD_MAINSETTINGS,
      "Settings",
      0,
      0,
      302,
      151,
      kModalStyle,
      "MS Shell Dlg",
      8,
      {
          DefPushButton("OK", IDOK, 194, 132, 50, 14),
          PushButton("Cancel", IDCANCEL, 248, 132, 50, 14),
          ListBox(IDC_SET_PAGES, 7, 7, 93, 121),
          Label("", IDC_SET_PAGE_TITLE, 109, 8, 162, 8),
          EtchedHorz(kNoId, 107, 127, 193, 1),
          EtchedHorz(kNoId, 109, 18, 82, 1),
          // Main Options
          CheckBox("Load on startup", IDC_SET_LOAD_ON_STARTUP, 109, 27, 67, 10),
          // Collection
          Hidden(CheckBox("Pause time tracking if the user is not active", IDC_SET_PAUSE_INACTIVE,
                          107, 27, 153, 10)),
          Hidden(Edit(IDC_SET_IDLE_TIME, 260, 25, 24, 12, ES_NUMBER)),
          Hidden(Label("sec", IDC_SET_IDLE_UNIT, 288, 28, 12, 8)),
          Hidden(CheckBox("Pause time tracking if screensaver is active", IDC_SET_PAUSE_SCREENSAVER,
                          108, 40, 153, 10)),
          // Filter
          Hidden(CheckBox("Enable filtration", IDC_SET_ENABLE_FILTER, 109, 27, 66, 10)),
          Hidden(Label("Show programs used more then", IDC_SET_MIN_SECONDS_LABEL, 127, 40, 102, 8)),
          Hidden(Edit(IDC_SET_MIN_SECONDS, 233, 38, 24, 12, WS_DISABLED | ES_NUMBER)),
          Hidden(Label("sec", IDC_SET_MIN_SECONDS_UNIT, 262, 40, 12, 8)),
          Hidden(Label("Show programs used more then", IDC_SET_MIN_PERCENT_LABEL, 127, 54, 102, 8)),
          Hidden(Edit(IDC_SET_MIN_PERCENT, 233, 52, 24, 12, WS_DISABLED | ES_NUMBER)),
          Hidden(Label("%", IDC_SET_MIN_PERCENT_UNIT, 262, 54, 12, 8)),
          // Interface
          Hidden(Label("Language:", IDC_SET_LANGUAGE_LABEL, 109, 27, 35, 8)),
          Hidden(DropDownList(IDC_SET_LANGUAGE, 149, 25, 70, 98)),
          Hidden(CheckBox("Animated icon in the system tray", IDC_SET_ANIMATED_ICON, 109, 41, 121,
                          10)),
          // Security
          Hidden(CheckBox("Enable password protection", IDC_SET_ENABLE_PASSWORD, 113, 26, 105, 10)),
          Hidden(PushButton("Change password...", IDC_SET_CHANGE_PASSWORD, 136, 41, 81, 14,
                            WS_DISABLED)),
          Hidden(Label("New password:", IDC_SET_NEW_PASSWORD_LABEL, 116, 65, 50, 8)),
          Hidden(Label("Confirm:", IDC_SET_CONFIRM_LABEL, 138, 78, 28, 8)),
          Hidden(Edit(IDC_SET_NEW_PASSWORD, 169, 63, 96, 12, ES_PASSWORD)),
          Hidden(Edit(IDC_SET_CONFIRM, 169, 78, 96, 12, ES_PASSWORD)),
          Hidden(PushButton("Save", IDC_SET_SAVE_PASSWORD, 170, 95, 50, 13)),
      }};
}

// The unlock prompt.
DialogResource PasswordPrompt() {
  return Template(IDD_PASSWORD, "Unlock TaskMeter", 186, 49, kModalStyle, "MS Shell Dlg",
                  {
                      Label("Enter password:", kNoId, 11, 11, 54, 8),
                      Edit(IDC_PASS_PASSWORD, 67, 7, 111, 14, ES_PASSWORD),
                      EtchedHorz(kNoId, 68, 23, 110, 1),
                      EtchedHorz(kNoId, 13, 23, 49, 1),
                      DefPushButton("OK", IDOK, 101, 28, 37, 14),
                      PushButton("Cancel", IDCANCEL, 141, 28, 37, 14),
                  });
}

}  // namespace

std::vector<DialogResource> SettingsDialogs() { return {MainSettings(), PasswordPrompt()}; }

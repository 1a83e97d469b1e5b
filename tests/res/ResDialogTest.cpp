#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ResTestSupport.h"
#include "framework/WinMessages.h"
#include "res/ExtraStyles.h"

namespace {

using namespace extra_styles;

struct Header {
  UINT id;
  const char* caption;
  int cx, cy;
  const char* font;
  bool popup;  // a modal dialog with a caption, else a child form or page
};

constexpr Header kHeaders[] = {
    {101, "", 345, 226, "MS Sans Serif", false},
    {2002, "", 241, 159, "MS Shell Dlg", false},
    {2032, "", 242, 178, "MS Shell Dlg", false},
    {2030, "Select Distination", 186, 44, "MS Shell Dlg", true},
    {2031, "New Folder/Group", 186, 84, "MS Shell Dlg", true},
    {2034, "Groups/Folders Configuration", 360, 210, "MS Shell Dlg", true},
    {2035, "Settings", 302, 151, "MS Shell Dlg", true},
    {2036, "Unlock TaskMeter", 186, 49, "MS Shell Dlg", true},
};

TEST(ResDialogs, HeadersHaveTheirCaptionSizeAndFont) {
  for (const Header& h : kHeaders) {
    SCOPED_TRACE(h.id);
    const DialogResource* d = Dialog(h.id);
    if (d == nullptr) continue;
    EXPECT_STREQ(d->caption, h.caption);
    EXPECT_EQ(d->cx, h.cx);
    EXPECT_EQ(d->cy, h.cy);
    EXPECT_STREQ(d->fontName, h.font);
    EXPECT_EQ(d->fontSize, 8);
    EXPECT_EQ((d->style & WS_POPUP) != 0, h.popup);
    EXPECT_EQ((d->style & WS_CHILD) != 0, !h.popup);
    EXPECT_EQ((d->style & WS_CAPTION) == WS_CAPTION, h.popup);
  }
}

// Every control sits inside its dialog (a combo box's height includes its dropped list), has a
// window class the framework can make, and no two controls of a dialog share an id.
TEST(ResDialogs, ControlsAreInsideUniqueAndOfKnownClasses) {
  const std::set<std::string> known = {
      "BUTTON",   "EDIT",          "STATIC",          "LISTBOX",
      "COMBOBOX", "SysTreeView32", "SysTabControl32", "msctls_progress32"};
  for (const Header& h : kHeaders) {
    const DialogResource* d = Dialog(h.id);
    if (d == nullptr) continue;
    std::set<int> ids;
    for (const DialogItem& item : d->items) {
      SCOPED_TRACE(std::to_string(h.id) + "/" + std::to_string(item.id));
      EXPECT_TRUE(known.count(item.windowClass)) << item.windowClass;
      EXPECT_TRUE(item.id == IDC_STATIC || ids.insert(item.id).second) << "duplicate id";
      EXPECT_GE(item.x, 0);
      EXPECT_GE(item.y, 0);
      EXPECT_GT(item.cx, 0);
      EXPECT_GT(item.cy, 0);
      EXPECT_LE(item.x + item.cx, d->cx);
      if (std::string(item.windowClass) != "COMBOBOX") {
        EXPECT_LE(item.y + item.cy, d->cy);
      }
      EXPECT_TRUE(item.style & WS_CHILD);
    }
  }
}

struct Place {
  int id;
  const char* cls;
  const char* text;
  int x, y, cx, cy;
};

void ExpectPlaces(UINT dialogId, const std::vector<Place>& places) {
  const DialogResource* d = Dialog(dialogId);
  ASSERT_NE(d, nullptr);
  for (const Place& p : places) {
    const DialogItem* item = Item(*d, p.id);
    if (item == nullptr) continue;
    SCOPED_TRACE(std::to_string(dialogId) + "/" + std::to_string(p.id));
    EXPECT_STREQ(item->windowClass, p.cls);
    EXPECT_STREQ(item->text, p.text);
    EXPECT_EQ(item->x, p.x);
    EXPECT_EQ(item->y, p.y);
    EXPECT_EQ(item->cx, p.cx);
    EXPECT_EQ(item->cy, p.cy);
  }
}

TEST(ResDialogs, QuickInfoPageControlsAtTheirPlaces) {
  const char* work = "Work 00:00:00  = 0 percent";
  ExpectPlaces(2032, {{2047, "STATIC", "File Name:", 12, 13, 34, 8},
                      {2042, "EDIT", "", 50, 11, 128, 12},
                      {2048, "STATIC", "File Path:", 12, 27, 31, 8},
                      {2043, "EDIT", "", 50, 25, 128, 12},
                      {2054, "STATIC", "", 12, 47, 129, 1},
                      {2049, "STATIC", "Monthly Activity", 12, 49, 52, 8},
                      {2039, "msctls_progress32", "", 12, 58, 165, 9},
                      {2044, "STATIC", work, 16, 69, 219, 8},
                      {2053, "STATIC", "", 12, 80, 129, 1},
                      {2050, "STATIC", "Weekly Activity", 12, 83, 50, 8},
                      {2040, "msctls_progress32", "", 12, 91, 165, 9},
                      {2045, "STATIC", work, 16, 102, 219, 8},
                      {2052, "STATIC", "", 12, 114, 129, 1},
                      {2051, "STATIC", "Today Activity", 12, 116, 47, 8},
                      {2041, "msctls_progress32", "", 12, 124, 165, 9},
                      {2046, "STATIC", work, 16, 135, 219, 8}});
}

TEST(ResDialogs, AssociationPageControlsAtTheirPlaces) {
  ExpectPlaces(2002, {{2025, "STATIC", "Show as:", 26, 8, 30, 8},
                      {2024, "EDIT", "", 60, 5, 109, 13},
                      {2032, "BUTTON", "Restore Original Name", 60, 20, 109, 12},
                      {2033, "STATIC", "", 0, 37, 240, 1},
                      {2036, "STATIC", "Activate this association if:", 6, 49, 87, 8},
                      {2034, "BUTTON",
                       "Application \"\" is active and its caption contain text:", 14, 66, 178, 18},
                      {2035, "EDIT", "", 25, 87, 158, 14},
                      {2026, "STATIC", "", 0, 137, 205, 15},
                      {1, "BUTTON", "Apply", 7, 138, 50, 14},
                      {2, "BUTTON", "Discard", 60, 138, 50, 14}});
}

TEST(ResDialogs, SettingsControlsAtTheirPlaces) {
  const char* more = "Show programs used more then";
  ExpectPlaces(2035,
               {{1, "BUTTON", "OK", 194, 132, 50, 14},
                {2, "BUTTON", "Cancel", 248, 132, 50, 14},
                {2058, "LISTBOX", "", 7, 7, 93, 121},
                {2059, "STATIC", "", 109, 8, 162, 8},
                {2060, "BUTTON", "Load on startup", 109, 27, 67, 10},
                {2061, "BUTTON", "Pause time tracking if the user is not active", 107, 27, 153, 10},
                {2062, "EDIT", "", 260, 25, 24, 12},
                {2063, "STATIC", "sec", 288, 28, 12, 8},
                {2064, "BUTTON", "Pause time tracking if screensaver is active", 108, 40, 153, 10},
                {2065, "BUTTON", "Enable filtration", 109, 27, 66, 10},
                {2066, "STATIC", more, 127, 40, 102, 8},
                {2067, "EDIT", "", 233, 38, 24, 12},
                {2068, "STATIC", "sec", 262, 40, 12, 8},
                {2069, "STATIC", more, 127, 54, 102, 8},
                {2070, "EDIT", "", 233, 52, 24, 12},
                {2071, "STATIC", "%", 262, 54, 12, 8},
                {2072, "STATIC", "Language:", 109, 27, 35, 8},
                {2014, "COMBOBOX", "", 149, 25, 70, 98},
                {2073, "BUTTON", "Animated icon in the system tray", 109, 41, 121, 10},
                {2074, "BUTTON", "Enable password protection", 113, 26, 105, 10},
                {2075, "BUTTON", "Change password...", 136, 41, 81, 14},
                {2076, "STATIC", "New password:", 116, 65, 50, 8},
                {2077, "STATIC", "Confirm:", 138, 78, 28, 8},
                {2078, "EDIT", "", 169, 63, 96, 12},
                {2079, "EDIT", "", 169, 78, 96, 12},
                {2010, "BUTTON", "Save", 170, 95, 50, 13}});
}

TEST(ResDialogs, SmallDialogsControlsAtTheirPlaces) {
  ExpectPlaces(2036, {{1, "BUTTON", "OK", 101, 28, 37, 14},
                      {2, "BUTTON", "Cancel", 141, 28, 37, 14},
                      {2079, "EDIT", "", 67, 7, 111, 14}});
  ExpectPlaces(2030, {{2014, "COMBOBOX", "", 7, 6, 173, 90},
                      {1, "BUTTON", "OK", 44, 23, 50, 14},
                      {2, "BUTTON", "Cancel", 97, 23, 50, 14}});
  ExpectPlaces(2031, {{2038, "EDIT", "", 8, 13, 171, 14},
                      {2037, "BUTTON", "Create group into:", 8, 34, 75, 10},
                      {2014, "COMBOBOX", "", 8, 47, 171, 123},
                      {1, "BUTTON", "OK", 40, 64, 50, 14},
                      {2, "BUTTON", "Cancel", 94, 64, 50, 14}});
  ExpectPlaces(2034, {{2055, "SysTreeView32", "", 7, 11, 160, 159},
                      {2061, "BUTTON", "", 148, 171, 16, 13},
                      {1, "BUTTON", "Save", 9, 191, 50, 14},
                      {2, "BUTTON", "Cancel", 67, 191, 50, 14},
                      {2057, "BUTTON", "<", 172, 80, 17, 14},
                      {2062, "BUTTON", "<<", 172, 96, 17, 14},
                      {2056, "SysTreeView32", "", 193, 11, 160, 177}});
}

// Unnamed statics: their texts, and the etched lines by their places.
TEST(ResDialogs, UnnamedStaticsOfTheSmallDialogs) {
  struct Unnamed {
    UINT dialog;
    const char* text;
    int x, y, cx, cy;
  };
  const Unnamed expected[] = {
      {2036, "Enter password:", 11, 11, 54, 8},
      {2036, "", 68, 23, 110, 1},
      {2036, "", 13, 23, 49, 1},
      {2031, "Folder/Group Name:", 8, 3, 66, 8},
      {2031, "", 8, 30, 71, 1},
      {2034, "Current Groups/Folders", 8, 1, 76, 8},
      {2034, "", 8, 186, 161, 1},
      {2034, "Predefined Groups/Folders", 193, 1, 86, 8},
      {2035, "", 107, 127, 193, 1},
      {2035, "", 109, 18, 82, 1},
  };
  for (const Unnamed& u : expected) {
    SCOPED_TRACE(std::to_string(u.dialog) + " " + u.text);
    const DialogResource* d = Dialog(u.dialog);
    if (d == nullptr) continue;
    bool found = false;
    for (const DialogItem& item : d->items) {
      found |= item.id == IDC_STATIC && std::string(item.text) == u.text && item.x == u.x &&
               item.y == u.y && item.cx == u.cx && item.cy == u.cy;
    }
    EXPECT_TRUE(found);
  }
}

struct StyleRule {
  UINT dialog;
  int id;
  LONG set;    // bits that must be on
  LONG clear;  // bits that must be off
};

TEST(ResDialogs, ControlStylesThatBehaviourDependsOn) {
  const LONG tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  const LONG picker = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  const StyleRule rules[] = {
      {101, 2019, WS_DISABLED, 0},
      {101, 2023, tree, TVS_EDITLABELS},
      {101, 2030, LBS_SORT | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY, 0},
      {101, 2031, picker, 0},
      {2030, 2014, picker | WS_VSCROLL, 0},
      {2031, 2014, picker | WS_VSCROLL | WS_DISABLED, 0},
      {2031, 2037, BS_AUTOCHECKBOX, 0},
      {2031, 2038, ES_AUTOHSCROLL | WS_BORDER, 0},
      {2034, 2055, tree | WS_BORDER, TVS_EDITLABELS},
      {2034, 2056, tree | WS_BORDER, TVS_EDITLABELS},
      {2034, 2057, WS_DISABLED, 0},
      {2034, 2062, WS_DISABLED, 0},
      {2002, 2034, BS_AUTOCHECKBOX | BS_MULTILINE, 0},
      {2002, 2026, SS_GRAYRECT, 0},
      {2002, 2024, ES_AUTOHSCROLL, 0},
      {2032, 2039, PBS_SMOOTH | WS_BORDER, 0},
      {2032, 2042, ES_AUTOHSCROLL, 0},
      {2035, 2058, LBS_NOTIFY, LBS_SORT},  // the pages keep their fixed order
      {2035, 2014, CBS_DROPDOWNLIST, CBS_SORT},
      {2035, 2067, WS_DISABLED, 0},
      {2035, 2070, WS_DISABLED, WS_VISIBLE},
      {2035, 2075, WS_DISABLED, 0},
      {2035, 2078, ES_PASSWORD, WS_VISIBLE},
      {2035, 2079, ES_PASSWORD, WS_VISIBLE},
      {2035, 2010, 0, WS_VISIBLE},
      {2036, 2079, ES_PASSWORD | ES_AUTOHSCROLL, 0},
  };
  for (const StyleRule& r : rules) {
    SCOPED_TRACE(std::to_string(r.dialog) + "/" + std::to_string(r.id));
    const DialogResource* d = Dialog(r.dialog);
    const DialogItem* item = d != nullptr ? Item(*d, r.id) : nullptr;
    if (item == nullptr) continue;
    EXPECT_EQ(item->style & r.set, r.set);
    EXPECT_EQ(item->style & r.clear, 0);
  }
}

struct TypeRule {
  UINT dialog;
  int id;
  LONG mask;  // BS_TYPEMASK or SS_TYPEMASK
  LONG type;
};

// Exactly one default button per modal dialog, and the kinds of the other buttons and
// statics; the image buttons are plain push buttons until their owners draw them.
TEST(ResDialogs, ButtonAndStaticKinds) {
  const TypeRule rules[] = {
      {2035, 1, BS_TYPEMASK, BS_DEFPUSHBUTTON},   {2035, 2, BS_TYPEMASK, BS_PUSHBUTTON},
      {2036, 1, BS_TYPEMASK, BS_DEFPUSHBUTTON},   {2030, 1, BS_TYPEMASK, BS_DEFPUSHBUTTON},
      {2031, 1, BS_TYPEMASK, BS_DEFPUSHBUTTON},   {2034, 1, BS_TYPEMASK, BS_DEFPUSHBUTTON},
      {2002, 1, BS_TYPEMASK, BS_PUSHBUTTON},      {2002, 2034, BS_TYPEMASK, BS_AUTOCHECKBOX},
      {2031, 2037, BS_TYPEMASK, BS_AUTOCHECKBOX}, {2035, 2060, BS_TYPEMASK, BS_AUTOCHECKBOX},
      {2035, 2074, BS_TYPEMASK, BS_AUTOCHECKBOX}, {101, 2003, BS_TYPEMASK, BS_GROUPBOX},
      {101, 2012, BS_TYPEMASK, BS_PUSHBUTTON},    {101, 2025, BS_TYPEMASK, BS_PUSHBUTTON},
      {2034, 2061, BS_TYPEMASK, BS_PUSHBUTTON},   {101, 2019, SS_TYPEMASK, SS_ETCHEDHORZ},
      {101, 2020, SS_TYPEMASK, SS_ETCHEDHORZ},    {101, 2021, SS_TYPEMASK, SS_ETCHEDHORZ},
      {2002, 2033, SS_TYPEMASK, SS_ETCHEDHORZ},   {2002, 2026, SS_TYPEMASK, SS_GRAYRECT},
      {2032, 2052, SS_TYPEMASK, SS_ETCHEDHORZ},
  };
  for (const TypeRule& r : rules) {
    SCOPED_TRACE(std::to_string(r.dialog) + "/" + std::to_string(r.id));
    const DialogResource* d = Dialog(r.dialog);
    const DialogItem* item = d != nullptr ? Item(*d, r.id) : nullptr;
    if (item != nullptr) {
      EXPECT_EQ(item->style & r.mask, r.type);
    }
  }
  for (const Header& h : kHeaders) {
    const DialogResource* d = Dialog(h.id);
    if (d == nullptr || !h.popup) continue;
    int defaults = 0;
    for (const DialogItem& item : d->items) {
      defaults += std::string(item.windowClass) == "BUTTON" &&
                  (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    EXPECT_EQ(defaults, 1) << h.id;
  }
}

}  // namespace

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
    EXPECT_EQ((d->style & WS_CHILD) != 0, !h.popup);
    EXPECT_EQ((d->style & WS_CAPTION) == WS_CAPTION, h.popup);
  }
}

// Every control sits inside its dialog (a combo box's height includes its dropped list), has a
// window class the framework can make, and no two controls of a dialog share an id. A modal
// dialog has exactly one default button, so that Enter has one meaning.
TEST(ResDialogs, ControlsAreInsideUniqueAndOfKnownClasses) {
  const std::set<std::string> known = {
      "BUTTON",   "EDIT",          "STATIC",          "LISTBOX",
      "COMBOBOX", "SysTreeView32", "SysTabControl32", "msctls_progress32"};
  for (const Header& h : kHeaders) {
    const DialogResource* d = Dialog(h.id);
    if (d == nullptr) continue;
    std::set<int> ids;
    int defaults = 0;
    for (const DialogItem& item : d->items) {
      SCOPED_TRACE(std::to_string(h.id) + "/" + std::to_string(item.id));
      const std::string cls = item.windowClass;
      EXPECT_TRUE(known.count(cls)) << cls;
      EXPECT_TRUE(item.id == IDC_STATIC || ids.insert(item.id).second) << "duplicate id";
      EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.cx > 0 && item.cy > 0);
      EXPECT_LE(item.x + item.cx, d->cx);
      EXPECT_LE(item.y + (cls == "COMBOBOX" ? 12 : item.cy), d->cy);
      EXPECT_TRUE(item.style & WS_CHILD);
      defaults += cls == "BUTTON" && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    EXPECT_EQ(defaults, h.popup ? 1 : 0) << h.id;
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
    EXPECT_EQ(CRect(item->x, item->y, item->x + item->cx, item->y + item->cy),
              CRect(p.x, p.y, p.x + p.cx, p.y + p.cy));
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

// The dialogs' texts, exact, with a few places checked on the way.
TEST(ResDialogs, DialogTextsAndSpotPlaces) {
  const char* more = "Show programs used more then";
  ExpectPlaces(2035,
               {{1, "BUTTON", "OK", 194, 132, 50, 14},
                {2061, "BUTTON", "Pause time tracking if the user is not active", 107, 27, 153, 10},
                {2014, "COMBOBOX", "", 149, 25, 70, 98},
                {2010, "BUTTON", "Save", 170, 95, 50, 13}});
  ExpectPlaces(2034, {{2056, "SysTreeView32", "", 193, 11, 160, 177},
                      {2061, "BUTTON", "", 148, 171, 16, 13}});
  ExpectPlaces(2031, {{2014, "COMBOBOX", "", 8, 47, 171, 123}});
  ExpectPlaces(2030, {{2014, "COMBOBOX", "", 7, 6, 173, 90}});
  ExpectPlaces(2036, {{2079, "EDIT", "", 67, 7, 111, 14}});
  const std::vector<std::pair<UINT, std::vector<std::string>>> texts = {
      {2035,
       {"OK",
        "Cancel",
        "",
        "",
        "",
        "",
        "Load on startup",
        "Pause time tracking if the user is not active",
        "",
        "sec",
        "Pause time tracking if screensaver is active",
        "Enable filtration",
        more,
        "",
        "sec",
        more,
        "",
        "%",
        "Language:",
        "",
        "Animated icon in the system tray",
        "Enable password protection",
        "Change password...",
        "New password:",
        "Confirm:",
        "",
        "",
        "Save"}},
      {2036, {"Enter password:", "", "", "", "OK", "Cancel"}},
      {2030, {"", "OK", "Cancel"}},
      {2031, {"Folder/Group Name:", "", "", "Create group into:", "", "OK", "Cancel"}},
      {2034,
       {"Current Groups/Folders", "", "", "", "Save", "Cancel", "<", "<<",
        "Predefined Groups/Folders", ""}},
  };
  for (const auto& [id, expected] : texts) {
    const DialogResource* d = Dialog(id);
    if (d == nullptr) continue;
    std::vector<std::string> actual;
    for (const DialogItem& item : d->items) actual.emplace_back(item.text);
    EXPECT_EQ(actual, expected) << id;
  }
}

struct StyleRule {
  UINT dialog;
  int id;
  LONG mask;
  LONG value;  // what (style & mask) must be
};

TEST(ResDialogs, ControlStylesThatBehaviourDependsOn) {
  const LONG tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  const LONG picker = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  const LONG appList = LBS_SORT | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY;
  const StyleRule rules[] = {
      {101, 2023, tree | TVS_EDITLABELS, tree},
      {101, 2030, appList, appList},
      {101, 2031, picker, picker},
      {101, 2019, WS_DISABLED | SS_TYPEMASK, WS_DISABLED | SS_ETCHEDHORZ},
      {101, 2003, BS_TYPEMASK, BS_GROUPBOX},
      {101, 2012, BS_TYPEMASK, BS_PUSHBUTTON},  // image buttons draw themselves later
      {2030, 2014, picker, picker},
      {2031, 2014, picker | WS_DISABLED, picker | WS_DISABLED},
      {2031, 2037, BS_TYPEMASK, BS_AUTOCHECKBOX},
      {2034, 2055, tree | TVS_EDITLABELS | WS_BORDER, tree | WS_BORDER},
      {2034, 2057, WS_DISABLED, WS_DISABLED},
      {2034, 2062, WS_DISABLED, WS_DISABLED},
      {2002, 2034, BS_TYPEMASK | BS_MULTILINE, BS_AUTOCHECKBOX | BS_MULTILINE},
      {2002, 2026, SS_TYPEMASK, SS_GRAYRECT},
      {2002, 1, BS_TYPEMASK, BS_PUSHBUTTON},
      {2032, 2039, PBS_SMOOTH | WS_BORDER, PBS_SMOOTH | WS_BORDER},
      {2032, 2042, ES_AUTOHSCROLL, ES_AUTOHSCROLL},
      {2035, 2058, LBS_NOTIFY | LBS_SORT, LBS_NOTIFY},  // the pages keep their fixed order
      {2035, 2067, WS_DISABLED, WS_DISABLED},
      {2035, 2070, WS_DISABLED | WS_VISIBLE, WS_DISABLED},  // never shown
      {2035, 2075, WS_DISABLED, WS_DISABLED},
      {2035, 2078, ES_PASSWORD | WS_VISIBLE, ES_PASSWORD},
      {2035, 2074, BS_TYPEMASK, BS_AUTOCHECKBOX},
      {2036, 2079, ES_PASSWORD | ES_AUTOHSCROLL, ES_PASSWORD | ES_AUTOHSCROLL},
  };
  for (const StyleRule& r : rules) {
    const DialogResource* d = Dialog(r.dialog);
    const DialogItem* item = d != nullptr ? Item(*d, r.id) : nullptr;
    if (item != nullptr) {
      EXPECT_EQ(item->style & r.mask, r.value) << r.dialog << "/" << r.id;
    }
  }
}

}  // namespace

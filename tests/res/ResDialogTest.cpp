#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "ResTestSupport.h"
#include "framework/messages/WinMessages.h"
#include "framework/stdcontrols/ControlTypes.h"

namespace {

// Each dialog and whether it is a modal one with a caption, else a child form or page.
constexpr std::pair<UINT, bool> kHeaders[] = {{101, false}, {2002, false}, {2032, false},
                                              {2030, true}, {2031, true},  {2034, true},
                                              {2035, true}, {2036, true}};

// A modal dialog is a captioned popup with exactly one default button, so that Enter has one
// meaning; a form or page is a child without a caption. Every control sits inside its dialog
// (a combo box's height includes its dropped list), has a window class the framework can make,
// and no two controls of a dialog share an id.
TEST(ResDialogs, HeadersAndControlsAreConsistent) {
  const std::set<std::string> known = {
      "BUTTON",   "EDIT",          "STATIC",          "LISTBOX",
      "COMBOBOX", "SysTreeView32", "SysTabControl32", "msctls_progress32"};
  for (const auto& [id, popup] : kHeaders) {
    SCOPED_TRACE(id);
    const DialogResource* d = Dialog(id);
    if (d == nullptr) continue;
    EXPECT_EQ(std::string(d->caption).empty(), !popup);
    EXPECT_NE(std::string(d->fontName), "");
    EXPECT_EQ(d->fontSize, 8);
    EXPECT_EQ((d->style & WS_CHILD) != 0, !popup);
    EXPECT_EQ((d->style & WS_CAPTION) == WS_CAPTION, popup);
    std::set<int> ids;
    int defaults = 0;
    for (const DialogItem& item : d->items) {
      SCOPED_TRACE(item.id);
      const std::string cls = item.windowClass;
      EXPECT_TRUE(known.count(cls)) << cls;
      EXPECT_TRUE(item.id == IDC_STATIC || ids.insert(item.id).second) << "duplicate id";
      EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.cx > 0 && item.cy > 0);
      EXPECT_LE(item.x + item.cx, d->cx);
      EXPECT_LE(item.y + (cls == "COMBOBOX" ? 12 : item.cy), d->cy);
      EXPECT_TRUE(item.style & WS_CHILD);
      defaults += cls == "BUTTON" && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    EXPECT_EQ(defaults, popup ? 1 : 0);
  }
}

// On the association page the grey strip comes before Apply and Discard, so that they are
// drawn over it.
TEST(ResDialogs, AssociationButtonsComeAfterTheirStrip) {
  const DialogResource* page = Dialog(2002);
  ASSERT_NE(page, nullptr);
  for (int button : {IDOK, IDCANCEL}) EXPECT_GT(Item(*page, button), Item(*page, 2026)) << button;
}

// Each rule: dialog, control, mask, and what (style & mask) must be.
TEST(ResDialogs, ControlStylesThatBehaviourDependsOn) {
  const LONG tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  const LONG picker = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  const LONG appList = LBS_SORT | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY;
  const std::tuple<UINT, int, LONG, LONG> rules[] = {
      {101, 2023, tree | TVS_EDITLABELS, tree},
      {101, 2030, appList, appList},
      {101, 2031, picker, picker},
      {101, 2019, WS_DISABLED | SS_TYPEMASK, WS_DISABLED | SS_ETCHEDHORZ},
      {101, 2003, BS_TYPEMASK, BS_GROUPBOX},
      {101, 2012, BS_TYPEMASK, BS_PUSHBUTTON},  // image buttons draw themselves later
      {2031, 2014, picker | WS_DISABLED, picker | WS_DISABLED},
      {2031, 2037, BS_TYPEMASK, BS_AUTOCHECKBOX},
      {2034, 2055, tree | TVS_EDITLABELS | WS_BORDER, tree | WS_BORDER},
      {2002, 2034, BS_TYPEMASK | BS_MULTILINE, BS_AUTOCHECKBOX | BS_MULTILINE},
      {2002, 2026, SS_TYPEMASK, SS_GRAYRECT},
      {2032, 2039, PBS_SMOOTH | WS_BORDER, PBS_SMOOTH | WS_BORDER},
      {2035, 2058, LBS_NOTIFY | LBS_SORT, LBS_NOTIFY},  // the pages keep their fixed order
      {2035, 2067, WS_DISABLED, WS_DISABLED},
      {2035, 2070, WS_DISABLED | WS_VISIBLE, WS_DISABLED},  // never shown
      {2035, 2078, ES_PASSWORD | WS_VISIBLE, ES_PASSWORD},
      {2036, 2079, ES_PASSWORD | ES_AUTOHSCROLL, ES_PASSWORD | ES_AUTOHSCROLL},
  };
  for (const auto& [dialog, id, mask, value] : rules) {
    const DialogResource* d = Dialog(dialog);
    const DialogItem* item = d != nullptr ? Item(*d, id) : nullptr;
    if (item != nullptr) {
      EXPECT_EQ(item->style & mask, value) << dialog << "/" << id;
    }
  }
}

}  // namespace

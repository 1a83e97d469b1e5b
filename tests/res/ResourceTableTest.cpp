#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/messages/WinMessages.h"
#include "framework/resources/Resources.h"
#include "framework/stdcontrols/ControlTypes.h"
#include "res/ModuleResourceTable.h"

namespace {

// The module's table under a handle of the tests' own, so that every lookup goes through
// the framework the way the module's windows will.
HINSTANCE ResInstance() {
  static char marker;
  static const ModuleResources registration(reinterpret_cast<HINSTANCE>(&marker),
                                            ModuleResourceTable());
  return registration.Instance();
}

// A modal dialog is a captioned popup with exactly one default button, so that Enter has one
// meaning; a form or page is a child without a caption. Every control sits inside its dialog
// (a combo box's height includes its dropped list), has a window class the framework can make,
// and no two controls of a dialog share an id.
TEST(ResDialogs, HeadersAndControlsAreConsistent) {
  const std::set<std::string> known = {
      "BUTTON",   "EDIT",          "STATIC",          "LISTBOX",
      "COMBOBOX", "SysTreeView32", "SysTabControl32", "msctls_progress32"};
  const std::pair<UINT, bool> dialogs[] = {{101, false}, {2002, false}, {2032, false},
                                           {2030, true}, {2031, true},  {2034, true},
                                           {2035, true}, {2036, true}};
  for (const auto& [id, popup] : dialogs) {
    SCOPED_TRACE(id);
    const DialogResource* d = FindDialogIn(ResInstance(), id);
    ASSERT_NE(d, nullptr);
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

// Each image is found once under its id and kind. Bitmaps are opaque with magenta where the
// background shows through; icons carry their own transparency and no magenta. All are 16 by
// 16 and draw enough to be recognised (48 pixels). Images that differ in a pixel or two cannot
// be told apart at a glance; lock and unlock, which share their body, are the closest pair.
TEST(ResImages, EveryImageDecodesAt16By16WithItsTransparencyAndLooksItsOwn) {
  std::set<std::pair<UINT, ImageKind>> ids;
  std::vector<QImage> seen;
  for (const ImageResource& r : ModuleResourceTable().images) {
    SCOPED_TRACE(r.id);
    EXPECT_TRUE(ids.insert({r.id, r.kind}).second) << "twice";
    const ImageResource* found = FindImageIn(ResInstance(), r.id, r.kind);
    ASSERT_NE(found, nullptr);
    QImage image;
    image.loadFromData(found->data, static_cast<int>(found->size));
    image = image.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(16, 16));
    int clear = 0, magenta = 0, drawn = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QRgb p = image.pixel(x, y);
        ++(qAlpha(p) == 0 ? clear : p == 0xFFFF00FF ? magenta : drawn);
      }
    }
    EXPECT_GE(drawn, 48);
    const bool bitmap = r.kind == ImageKind::Bitmap;
    EXPECT_EQ(clear > 0, !bitmap);
    EXPECT_EQ(magenta > 0, bitmap);
    for (const QImage& other : seen) {
      int differing = 0;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) differing += image.pixel(x, y) != other.pixel(x, y);
      }
      EXPECT_GE(differing, 10);
    }
    seen.push_back(image);
  }
  EXPECT_GE(seen.size(), 18u);  // the three icons and the bitmaps of both button rows
}

}  // namespace

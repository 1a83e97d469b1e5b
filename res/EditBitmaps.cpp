#include "res/PixelArt.h"
#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

// clang-format off
namespace {

// Three lines, each an icon and its text, one blank row above, between and below.
std::vector<const char*> ListOfThree() {
  std::vector<const char*> rows{"                "};
  for (int line = 0; line < 3; ++line) {
    for (const char* row : {
             "oooo            ",
             "oyyo  dddddddddd",
             "oyyo  dddddddddd",
             "oooo            ",
             "                ",
         })
      rows.push_back(row);
  }
  return rows;
}

}  // namespace

// Images of the lower button row, which edits the group tree, and of the button beside the
// group selector. The predefined groups dialog reuses "Remove" for its delete button.
std::vector<ImageResource> EditBitmaps() {
  return {
      // Show as a tree: a folder with two branches below it.
      MakeImage(IDB_VIEW_AS_TREE, ImageKind::Bitmap,
                {
                    " oo             ",
                    "oYYo            ",
                    "oooooooo        ",
                    "oYYYYYYo        ",
                    "oYyyyyyo        ",
                    "oooooooo        ",
                    "   g    oo      ",
                    "   g   oYYo     ",
                    "   ggggoooooooo ",
                    "   g   oYYYYYYo ",
                    "   g   oooooooo ",
                    "   g   nnnnnnnn ",
                    "   g   nbbbbbbn ",
                    "   ggggnwwwwwwn ",
                    "       nwwwwwwn ",
                    "       nnnnnnnn ",
                }),
      // Show as a list: three lines, each with an icon.
      MakeImage(IDB_VIEW_AS_LIST, ImageKind::Bitmap, ListOfThree()),
      // Refresh: two green arrows chasing each other round a circle.
      MakeImage(IDB_REFRESH, ImageKind::Bitmap,
                {
                    "                ",
                    "     GGGGG  G   ",
                    "   GGGGGGGGGG   ",
                    "  GGG     GGG   ",
                    "  GG     GGGG   ",
                    " GG     GGGGG   ",
                    " GG             ",
                    " GG             ",
                    "             GG ",
                    "             GG ",
                    "   GGGGG     GG ",
                    "   GGGG     GG  ",
                    "   GGG     GGG  ",
                    "   GGGGGGGGGG   ",
                    "   G  GGGGG     ",
                    "                ",
                }),
      // Move to: a blue arrow going into a folder.
      MakeImage(IDB_MOVE, ImageKind::Bitmap,
                {
                    "                ",
                    "                ",
                    "                ",
                    "      ooo       ",
                    "     oYYYo      ",
                    "     ooooboooooo",
                    "     oYYYbbYYYYo",
                    "     oYyybbbyyyo",
                    "bbbbbbbbbbbbbyyo",
                    "bbbbbbbbbbbbbyyo",
                    "     oYyybbbyyyo",
                    "     oYyybbyyyyo",
                    "     oYyybyyyyyo",
                    "     ooooooooooo",
                    "                ",
                    "                ",
                }),
      // Copy: two pages, the copy in front.
      MakeImage(IDB_COPY, ImageKind::Bitmap,
                {
                    "dddddddddd      ",
                    "dwwwwwwwwd      ",
                    "dwggggggwd      ",
                    "dwwwwwwwwd      ",
                    "dwgggddddddddddd",
                    "dwwwwdwwwwwwwwwd",
                    "dwgggdwgggggggwd",
                    "dwwwwdwwwwwwwwwd",
                    "dwgggdwgggggggwd",
                    "dwwwwdwwwwwwwwwd",
                    "dwgggdwgggggggwd",
                    "ddddddwwwwwwwwwd",
                    "     dwgggggggwd",
                    "     dwwwwwwwwwd",
                    "     dwgggggggwd",
                    "     ddddddddddd",
                }),
      // Paste: a clipboard with a page on it.
      MakeImage(IDB_PASTE, ImageKind::Bitmap,
                {
                    "   dddddd       ",
                    "   dlllld       ",
                    "eeedlllldeee    ",
                    "eEEddddddEEe    ",
                    "eEEEEEEEEEEe    ",
                    "eEEEEEEEEEEe    ",
                    "eEEEEEdddddddddd",
                    "eEEEEEdwwwwwwwwd",
                    "eEEEEEdwggggggwd",
                    "eEEEEEdwwwwwwwwd",
                    "eEEEEEdwggggggwd",
                    "eEEEEEdwwwwwwwwd",
                    "eEEEEEdwggggggwd",
                    "eEEEEEdwwwwwwwwd",
                    "eEEEEEdwggggggwd",
                    "eeeeeedddddddddd",
                }),
      // New group: a folder with a green plus.
      MakeImage(IDB_NEW_GROUP, ImageKind::Bitmap,
                {
                    "            GG  ",
                    "            GG  ",
                    "         GGGGGGG",
                    "         GGGGGGG",
                    " oooo       GG  ",
                    "oYYYYo      GG  ",
                    "ooooooooooooGG  ",
                    "oYYYYYYYYYYYo   ",
                    "oYyyyyyyyyyyo   ",
                    "oYyyyyyyyyyyo   ",
                    "oYyyyyyyyyyyo   ",
                    "oYyyyyyyyyyyo   ",
                    "oYyyyyyyyyyyo   ",
                    "oYyyyyyyyyyyo   ",
                    "ooooooooooooo   ",
                    "                ",
                }),
      // Remove: a red cross.
      MakeImage(IDB_REMOVE, ImageKind::Bitmap,
                {
                    "                ",
                    "                ",
                    " rrr        rrr ",
                    "  rrr      rrr  ",
                    "   rrr    rrr   ",
                    "    rrr  rrr    ",
                    "     rrrrrr     ",
                    "      rrrr      ",
                    "      rrrr      ",
                    "     rrrrrr     ",
                    "    rrr  rrr    ",
                    "   rrr    rrr   ",
                    "  rrr      rrr  ",
                    " rrr        rrr ",
                    "                ",
                    "                ",
                }),
      // Beside the group selector: a folder with an arrow pointing up.
      MakeImage(IDB_GROUP_UP, ImageKind::Bitmap,
                {
                    "                ",
                    "                ",
                    " ooooo          ",
                    "oYYYYYo         ",
                    "oooooooooooooooo",
                    "oYYYYYYGGYYYYYYo",
                    "oYyyyyGGGGyyyyyo",
                    "oYyyyGGGGGGyyyyo",
                    "oYyyGGGGGGGGyyyo",
                    "oYyyyyyGGyyyyyyo",
                    "oYyyyyyGGyyyyyyo",
                    "oYyyyyyGGyyyyyyo",
                    "oYyyyyyGGyyyyyyo",
                    "oYyyyyyyyyyyyyyo",
                    "oooooooooooooooo",
                    "                ",
                }),
  };
}
// clang-format on

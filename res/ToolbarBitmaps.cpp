#include "res/PixelArt.h"
#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

// clang-format off
namespace {

// A padlock: `shackle` over the body the closed and the open one share.
std::vector<const char*> Padlock(std::vector<const char*> shackle) {
  for (const char* row : {
           " oooooooooooooo ",
           " oYYYYYYYYYYYYo ",
           " oyyyyykkyyyyyo ",
           " oyyyykkkkyyyyo ",
           " oyyyykkkkyyyyo ",
           " oyyyyykkyyyyyo ",
           " oyyyyykkyyyyyo ",
           " oyyyyykkyyyyyo ",
           " oooooooooooooo ",
       })
    shackle.push_back(row);
  return shackle;
}

}  // namespace

// Images of the upper button row of the form, centred on their buttons.
std::vector<ImageResource> ToolbarBitmaps() {
  return {
      // Predefined groups: two folders, one behind the other.
      MakeImage(IDB_PREDEFINED_GROUPS, ImageKind::Bitmap,
                {
                    "     ooo        ",
                    "    oYYYo       ",
                    "    oooooooooooo",
                    "    oYYYYYYYYYYo",
                    "    oYyyyyyyyyyo",
                    " ooooYyyyyyyyyyo",
                    "oYYYoYyyyyyyyyyo",
                    "ooooooooooooyyyo",
                    "oYYYYYYYYYYoyyyo",
                    "oYyyyyyyyyyooooo",
                    "oYyyyyyyyyyo    ",
                    "oYyyyyyyyyyo    ",
                    "oYyyyyyyyyyo    ",
                    "oYyyyyyyyyyo    ",
                    "oYyyyyyyyyyo    ",
                    "oooooooooooo    ",
                }),
      // Preferences: a gear wheel.
      MakeImage(IDB_PREFERENCES, ImageKind::Bitmap,
                {
                    "      d  d      ",
                    "    ddd  ddd    ",
                    "    dllddlld    ",
                    "    dlllllld    ",
                    " dddlllllllgddd ",
                    " dllllddddggggd ",
                    "ddllld    dgggdd",
                    "  dlld    dggd  ",
                    "  dlld    dggd  ",
                    "ddllld    dgggdd",
                    " dlllgddddggggd ",
                    " dddggggggggddd ",
                    "    dggggggd    ",
                    "    dggddggd    ",
                    "    ddd  ddd    ",
                    "      d  d      ",
                }),
      // Reports: a page with a bar chart.
      MakeImage(IDB_REPORTS, ImageKind::Bitmap,
                {
                    " ddddddddddddd  ",
                    " dwwwwwwwwwwwd  ",
                    " dwggggggggwwd  ",
                    " dwwwwwwwwwwwd  ",
                    " dwgggggwwwwwd  ",
                    " dwwwwwwwwwwwd  ",
                    " dwwwwGGwwwwwd  ",
                    " dwwwwGGwwwwwd  ",
                    " dwwwwGGwrrwwd  ",
                    " dwwwwGGwrrwwd  ",
                    " dwbbwGGwrrwwd  ",
                    " dwbbwGGwrrwwd  ",
                    " dwbbwGGwrrwwd  ",
                    " dwbbwGGwrrwwd  ",
                    " dwwwwwwwwwwwd  ",
                    " ddddddddddddd  ",
                }),
      // Lock: a closed padlock.
      MakeImage(IDB_LOCK, ImageKind::Bitmap, Padlock(
                {
                    "                ",
                    "     gggggg     ",
                    "    gllllllg    ",
                    "   gl      gl   ",
                    "   gl      gl   ",
                    "   gl      gl   ",
                    "   gl      gl   ",
                })),
      // Unlock: the padlock with its shackle lifted out on the left.
      MakeImage(IDB_UNLOCK, ImageKind::Bitmap, Padlock(
                {
                    "     gggggg     ",
                    "    gllllllg    ",
                    "   gl      gl   ",
                    "   gl      gl   ",
                    "           gl   ",
                    "           gl   ",
                    "           gl   ",
                })),
      // Help: a white question mark on a blue disc.
      MakeImage(IDB_HELP, ImageKind::Bitmap,
                {
                    "       nn       ",
                    "    nnnbbnnn    ",
                    "   nbbbbbbbbn   ",
                    "  nbbbwwwwbbbn  ",
                    " nbbbwwbbwwbbbn ",
                    " nbbbbbbbwwbbbn ",
                    " nbbbbbbwwbbbbn ",
                    "nbbbbbbwwbbbbbbn",
                    "nbbbbbbwwbbbbbbn",
                    " nbbbbbbbbbbbbn ",
                    " nbbbbbwwbbbbbn ",
                    " nbbbbbwwbbbbbn ",
                    "  nbbbbbbbbbbn  ",
                    "   nbbbbbbbbn   ",
                    "    nnnbbnnn    ",
                    "       nn       ",
                }),
  };
}
// clang-format on

#include "res/PixelArt.h"
#include "res/ResourceIds.h"
#include "res/ResourceParts.h"

// clang-format off
// Icons of the child frame and of the tree, list and group selector entries.
std::vector<ImageResource> ModuleIcons() {
  return {
      // The child frame: a stopwatch, for a tracker of working time.
      MakeImage(IDI_CHILDFRAME, ImageKind::Icon,
                {
                    "      kkkk      ",
                    "       kk       ",
                    "     kkkkkk     ",
                    "   kkwwbbwwkk   ",
                    "  kkwwwkkwwwkk  ",
                    "  kwwwwkkwwwwk  ",
                    " kwwwwwkkwwwwwk ",
                    " kwwwwwkkwwwwwk ",
                    " kbwwwwkkrrrwbk ",
                    " kbwwwwwwrrrwbk ",
                    " kwwwwwwwwwwwwk ",
                    " kwwwwwwwwwwwwk ",
                    "  kwwwwwwwwwwk  ",
                    "  kkwwwwwwwwkk  ",
                    "   kkwwbbwwkk   ",
                    "     kkkkkk     ",
                }),
      // A group: a closed folder.
      MakeImage(IDI_GROUP, ImageKind::Icon,
                {
                    "                ",
                    "                ",
                    " ooooo          ",
                    "oYYYYYo         ",
                    "ooooooooooooooo ",
                    "oYYYYYYYYYYYYYog",
                    "oYyyyyyyyyyyyyog",
                    "oYyyyyyyyyyyyyog",
                    "oYyyyyyyyyyyyyog",
                    "oYyyyyyyyyyyyyog",
                    "oYyyyyyyyyyyyyog",
                    "oYyyyyyyyyyyyyog",
                    "oYyyyyyyyyyyyyog",
                    "ooooooooooooooog",
                    " ggggggggggggggg",
                    "                ",
                }),
      // An application: a window with a title bar and lines of content.
      MakeImage(IDI_APPLICATION_ENTRY, ImageKind::Icon,
                {
                    "                ",
                    "nnnnnnnnnnnnnnnn",
                    "nbbbbbbbbbbbbbbn",
                    "nbYYbbbbbbbbwwbn",
                    "nbbbbbbbbbbbbbbn",
                    "nwwwwwwwwwwwwwwn",
                    "nwllllllllwwwwwn",
                    "nwwwwwwwwwwwwwwn",
                    "nwlllllllllllwwn",
                    "nwwwwwwwwwwwwwwn",
                    "nwllllllwwwwwwwn",
                    "nwwwwwwwwwwwwwwn",
                    "nwlllllllllwwwwn",
                    "nwwwwwwwwwwwwwwn",
                    "nnnnnnnnnnnnnnnn",
                    "                ",
                }),
  };
}
// clang-format on

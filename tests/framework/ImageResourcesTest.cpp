#include <gtest/gtest.h>

#include "framework/ImageResources.h"
#include "framework/ModuleState.h"

namespace {

// Three pixels: magenta, green, magenta.
const char kStripXpm[] =
    "/* XPM */\n"
    "static const char* strip[] = {\n"
    "\"3 1 2 1\",\n"
    "\"m c #FF00FF\",\n"
    "\"g c #00FF00\",\n"
    "\"mgm\"};\n";
const unsigned char kGarbage[] = {1, 2, 3, 4};

char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

const ResourceTable kImages{
    .strings = {},
    .menus = {},
    .dialogs = {},
    .images = {{2018, ImageKind::Bitmap, reinterpret_cast<const unsigned char*>(kStripXpm),
                sizeof kStripXpm - 1},
               {2019, ImageKind::Bitmap, kGarbage, sizeof kGarbage}},
};

TEST(ImageResources, OnlyTheRightModuleAndKindDecode) {
  ModuleResources registration(Library(), kImages);
  EXPECT_TRUE(AfxLoadImage(2018, ImageKind::Bitmap).isNull());  // not the executable's
  EXPECT_TRUE(AfxLoadImageIn(Library(), 2018, ImageKind::Icon).isNull());
  EXPECT_TRUE(AfxLoadImageIn(Library(), 2019, ImageKind::Bitmap).isNull());
  EXPECT_TRUE(AfxLoadImageIn(Library(), 9999, ImageKind::Bitmap).isNull());
  EXPECT_FALSE(AfxLoadImageIn(Library(), 2018, ImageKind::Bitmap).isNull());
}

}  // namespace

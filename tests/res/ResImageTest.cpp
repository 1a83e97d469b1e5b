#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <set>
#include <utility>
#include <vector>

#include "ResTestSupport.h"
#include "res/ModuleResourceTable.h"

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr int kEnoughDrawn = 48;  // fewer drawn pixels than this do not read as a picture

// Pixels that are fully clear, magenta, and drawn (opaque and not magenta).
std::array<int, 3> Count(const QImage& image) {
  std::array<int, 3> counts{};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      ++counts[qAlpha(p) == 0 ? 0 : p == kMagenta ? 1 : 2];
    }
  }
  return counts;
}

// Each image is found once under its id and kind. Bitmaps are opaque with magenta where the
// background shows through; icons carry their own transparency and no magenta. All are 16 by
// 16 and draw enough to be recognised. Images that differ in a pixel or two cannot be told
// apart at a glance; lock and unlock, which share their body, are the closest pair.
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
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(16, 16));
    const auto [clear, magenta, drawn] = Count(image);
    EXPECT_GE(drawn, kEnoughDrawn);
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

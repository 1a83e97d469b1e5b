#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <set>
#include <utility>
#include <vector>

#include "ResTestSupport.h"
#include "res/ModuleResourceTable.h"

namespace {

struct ImageId {
  UINT id;
  ImageKind kind;
};

// The frame, group and application icons, then the bitmaps of the two button rows.
const ImageId kImages[] = {
    {129, ImageKind::Icon},    {2011, ImageKind::Icon},   {2013, ImageKind::Icon},
    {2005, ImageKind::Bitmap}, {2007, ImageKind::Bitmap}, {2033, ImageKind::Bitmap},
    {2014, ImageKind::Bitmap}, {2015, ImageKind::Bitmap}, {2016, ImageKind::Bitmap},
    {2008, ImageKind::Bitmap}, {2017, ImageKind::Bitmap}, {2009, ImageKind::Bitmap},
    {2018, ImageKind::Bitmap}, {2019, ImageKind::Bitmap}, {2022, ImageKind::Bitmap},
    {2023, ImageKind::Bitmap}, {2024, ImageKind::Bitmap}, {2025, ImageKind::Bitmap},
};

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr int kEnoughDrawn = 48;  // fewer drawn pixels than this do not read as a picture

QImage Decode(const ImageId& which) {
  const ImageResource* res = FindImageIn(ResInstance(), which.id, which.kind);
  if (res == nullptr) return {};
  QImage image;
  image.loadFromData(res->data, static_cast<int>(res->size));
  return image.convertToFormat(QImage::Format_ARGB32);
}

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

TEST(ResImages, TableHoldsExactlyTheseImages) {
  std::set<std::pair<UINT, int>> expected;
  for (const ImageId& i : kImages) expected.insert({i.id, static_cast<int>(i.kind)});
  std::set<std::pair<UINT, int>> actual;
  for (const ImageResource& r : ModuleResourceTable().images) {
    EXPECT_TRUE(actual.insert({r.id, static_cast<int>(r.kind)}).second) << "twice: " << r.id;
  }
  EXPECT_EQ(actual, expected);
}

// Bitmaps are opaque with magenta where the background shows through; icons carry their own
// transparency and no magenta. Both are 16 by 16 and draw enough to be recognised.
TEST(ResImages, EveryImageDecodesAt16By16WithItsTransparency) {
  for (const ImageId& which : kImages) {
    SCOPED_TRACE(which.id);
    const QImage image = Decode(which);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(16, 16));
    const auto [clear, magenta, drawn] = Count(image);
    EXPECT_GE(drawn, kEnoughDrawn);
    const bool bitmap = which.kind == ImageKind::Bitmap;
    EXPECT_EQ(clear > 0, !bitmap);
    EXPECT_EQ(magenta > 0, bitmap);
  }
}

// Images that differ in a pixel or two cannot be told apart at a glance; lock and unlock,
// which share their body, are the closest pair.
TEST(ResImages, AnyTwoImagesDifferVisibly) {
  std::vector<QImage> seen;
  for (const ImageId& which : kImages) {
    const QImage image = Decode(which);
    for (const QImage& other : seen) {
      int differing = 0;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) differing += image.pixel(x, y) != other.pixel(x, y);
      }
      EXPECT_GE(differing, 10) << which.id;
    }
    seen.push_back(image);
  }
}

}  // namespace

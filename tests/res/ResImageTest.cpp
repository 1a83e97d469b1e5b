#include <gtest/gtest.h>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <array>
#include <filesystem>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "ResTestSupport.h"
#include "res/ModuleResourceTable.h"

namespace {

// Labels on the sheet need fonts, and fonts need an application object. No display: the
// offscreen platform is enough.
class GuiEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[10] = "res_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};
testing::Environment* const kGui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

struct ImageId {
  UINT id;
  ImageKind kind;
  const char* shows;
};

const ImageId kImages[] = {
    {129, ImageKind::Icon, "frame"},      {2011, ImageKind::Icon, "group"},
    {2013, ImageKind::Icon, "app"},       {2005, ImageKind::Bitmap, "as tree"},
    {2007, ImageKind::Bitmap, "as list"}, {2033, ImageKind::Bitmap, "refresh"},
    {2014, ImageKind::Bitmap, "move"},    {2015, ImageKind::Bitmap, "copy"},
    {2016, ImageKind::Bitmap, "paste"},   {2008, ImageKind::Bitmap, "new group"},
    {2017, ImageKind::Bitmap, "remove"},  {2009, ImageKind::Bitmap, "group up"},
    {2018, ImageKind::Bitmap, "predef"},  {2019, ImageKind::Bitmap, "prefs"},
    {2022, ImageKind::Bitmap, "reports"}, {2023, ImageKind::Bitmap, "lock"},
    {2024, ImageKind::Bitmap, "unlock"},  {2025, ImageKind::Bitmap, "help"},
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

// The contact sheet: every image enlarged on a grey ground, with its id, what it shows, and
// the image twice and at its true size, written beside the build's programs for a person to
// look at.
constexpr int kScale = 8;
constexpr int kCell = 16 * kScale + 16;
constexpr int kLabel = 34;
constexpr int kColumns = 6;

QPoint CellOrigin(int index) {
  return {(index % kColumns) * kCell + 8, (index / kColumns) * (kCell + kLabel) + 8};
}

QImage RenderSheet() {
  const int count = static_cast<int>(std::size(kImages));
  const int rows = (count + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCell, rows * (kCell + kLabel), QImage::Format_ARGB32);
  sheet.fill(QColor(200, 200, 200));
  QPainter painter(&sheet);
  for (int i = 0; i < count; ++i) {
    const QPoint at = CellOrigin(i);
    const QImage image = Decode(kImages[i]);
    painter.drawImage(QRect(at, QSize(16 * kScale, 16 * kScale)), image);
    const QString label = QString("%1 %2\n%3")
                              .arg(kImages[i].id)
                              .arg(kImages[i].kind == ImageKind::Icon ? "icon" : "bitmap")
                              .arg(kImages[i].shows);
    const int labelY = at.y() + 16 * kScale + 2;
    painter.drawText(QRect(at.x(), labelY, kCell, kLabel), Qt::AlignLeft, label);
    painter.drawImage(QRect(at.x() + 78, labelY, 32, 32), image);  // twice and at true size
    painter.drawImage(at.x() + 114, labelY, image);
  }
  return sheet;
}

TEST(ResImages, SheetShowsEveryImagePixelEnlarged) {
  const QImage sheet = RenderSheet();
  for (int i = 0; i < static_cast<int>(std::size(kImages)); ++i) {
    const QImage image = Decode(kImages[i]);
    const QPoint at = CellOrigin(i);
    int wrong = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QRgb src = image.pixel(x, y);
        if (qAlpha(src) != 255) continue;  // clear icon pixels show the ground
        wrong += sheet.pixel(at.x() + x * kScale + kScale / 2, at.y() + y * kScale + 1) != src;
      }
    }
    EXPECT_EQ(wrong, 0) << kImages[i].id;
  }
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  const std::filesystem::path out = exe.parent_path().parent_path() / "res-sheet.png";
  ASSERT_TRUE(sheet.save(QString::fromStdString(out.string()), "PNG")) << out;
  EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), sheet.size());
}

}  // namespace

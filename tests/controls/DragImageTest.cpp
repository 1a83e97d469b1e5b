#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "framework/ownerdraw/DragImage.h"
#include "framework/stdcontrols/CTreeCtrl.h"

namespace {

class DragImageTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    ASSERT_TRUE(tree.Create(WS_VISIBLE, CRect(0, 60, 300, 300), &owner, 2023));
    icons.Create(16, 16, ILC_COLOR32, 1, 1);
    icons.Add(SolidPicture(RGB(0, 0, 255)), CLR_NONE);
    tree.SetImageList(&icons, TVSIL_NORMAL);
    group = tree.InsertItem("Work", 0, 0);
    app = tree.InsertItem("WWWWWWWW", 0, 0, group);
  }
  void TearDown() override { CDragImageList::EndDrag(); }

  OwnerWindow owner;
  CTreeCtrl tree;
  CImageList icons;
  HTREEITEM group = nullptr;
  HTREEITEM app = nullptr;
};

// The picture shows the item's icon and text; it follows the pointer over the window it
// entered, hides and shows again where the pointer went, and goes with the drag.
TEST_F(DragImageTest, PictureOfTheItemFollowsThePointerHidesAndEnds) {
  EXPECT_EQ(AfxCreateDragImage(tree, nullptr), nullptr);
  const auto shortImage = AfxCreateDragImage(tree, group);
  auto image = AfxCreateDragImage(tree, app);
  ASSERT_TRUE(shortImage && image);
  EXPECT_GT(image->GetImageSize().width(), shortImage->GetImageSize().width());
  const QImage picture = image->GetPixmap(0).toImage();
  EXPECT_EQ(picture.pixel(2, picture.height() / 2), qRgb(0, 0, 255));
  int ink = 0;  // dark text pixels right of the icon
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 18; x < picture.width(); ++x) ink += qGray(picture.pixel(x, y)) < 100;
  }
  EXPECT_GT(ink, 10);

  EXPECT_FALSE(CDragImageList::DragMove(CPoint(5, 5)));  // no drag yet
  const CPoint hot(image->GetImageSize().width() / 2, image->GetImageSize().height() / 2);
  ASSERT_TRUE(image->BeginDrag(0, hot));
  ASSERT_TRUE(CDragImageList::DragEnter(&owner, CPoint(100, 100)));
  QWidget* shown = CDragImageList::GetDragWidget();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->parentWidget(), owner.GetSafeHwnd());
  EXPECT_EQ(shown->pos(), QPoint(100 - hot.x, 100 - hot.y));
  EXPECT_TRUE(CDragImageList::DragShowNolock(FALSE));
  EXPECT_TRUE(CDragImageList::DragMove(CPoint(160, 130)));
  EXPECT_FALSE(shown->isVisible());
  EXPECT_TRUE(CDragImageList::DragShowNolock(TRUE));
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->pos(), QPoint(160 - hot.x, 130 - hot.y));
  EXPECT_TRUE(CDragImageList::DragLeave(&owner));
  EXPECT_EQ(CDragImageList::GetDragWidget(), nullptr);
  CDragImageList::EndDrag();
  image.reset();
  EXPECT_EQ(CDragImageList::GetDragWidget(), nullptr);
  EXPECT_FALSE(CDragImageList::DragShowNolock(TRUE));
}

}  // namespace

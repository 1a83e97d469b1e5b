#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "StdControlsTestSupport.h"
#include "framework/app/ModuleState.h"
#include "framework/resources/ImageResources.h"
#include "framework/resources/Resources.h"
#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/CMenu.h"
#include "framework/stdcontrols/CToolTipCtrl.h"

namespace {

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);

// Two 2 x 2 images side by side: magenta and green, then all blue; a red 2 x 2 icon.
const char kStripXpm[] = R"(/* XPM */ static const char* strip[] = {
"4 2 3 1", "m c #FF00FF", "g c #00FF00", "b c #0000FF", "mgbb", "gmbb"};)";
const char kIconXpm[] = R"(/* XPM */ static const char* icon[] = {
"2 2 1 1", "r c #FF0000", "rr", "rr"};)";
const unsigned char kGarbage[] = {1, 2, 3, 4};

const auto* Bytes(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

const ResourceTable kTable{
    .strings = {},
    .menus = {{2000,
               {MenuItem::Popup("Tree", {{"New", 32772},
                                         MenuItem::Separator(),
                                         {"Delete", 32773},
                                         MenuItem::Popup("More", {{"Rename", 32777}})})}}},
    .dialogs = {},
    .images = {{2011, ImageKind::Bitmap, Bytes(kStripXpm), sizeof kStripXpm - 1},
               {2013, ImageKind::Icon, Bytes(kIconXpm), sizeof kIconXpm - 1},
               {2019, ImageKind::Bitmap, kGarbage, sizeof kGarbage}},
};

class StdResources : public testing::Test {
 protected:
  ModuleResources registration{Library(), kTable};
  AfxResourceHandleGuard guard{Library()};
};

QImage Strip() { return AfxLoadImage(2011, ImageKind::Bitmap); }

TEST_F(StdResources, OnlyTheRightModuleAndKindDecode) {
  EXPECT_FALSE(Strip().isNull());
  EXPECT_TRUE(AfxLoadImageIn(AfxExecutableHandle(), 2011, ImageKind::Bitmap).isNull());
  EXPECT_TRUE(AfxLoadImageIn(Library(), 2011, ImageKind::Icon).isNull());
  EXPECT_TRUE(AfxLoadImageIn(Library(), 2019, ImageKind::Bitmap).isNull());  // undecodable
  EXPECT_TRUE(AfxLoadImageIn(Library(), 9999, ImageKind::Bitmap).isNull());
}

TEST_F(StdResources, MaskColourBecomesTransparentOnlyInMaskedLists) {
  CImageList masked;
  ASSERT_TRUE(masked.Create(2, 2, ILC_COLOR32 | ILC_MASK, 2, 1));
  EXPECT_EQ(masked.Add(Strip(), kMagenta), 0);  // the strip gives two images
  EXPECT_EQ(masked.GetImageCount(), 2);
  const QImage first = masked.GetPixmap(0).toImage();
  EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(first.pixel(1, 1)), 0);
  EXPECT_EQ(first.pixelColor(1, 0), QColor(0, 0xFF, 0));
  EXPECT_EQ(masked.GetPixmap(1).toImage().pixelColor(0, 0), QColor(0, 0, 0xFF));
  CImageList plain;
  ASSERT_TRUE(plain.Create(2, 2, ILC_COLOR32, 1, 1));
  plain.Add(Strip(), kMagenta);
  EXPECT_EQ(plain.GetPixmap(0).toImage().pixelColor(0, 0), QColor(0xFF, 0, 0xFF));
}

TEST_F(StdResources, ImagesComeFromResourcesByIdAndFailCleanly) {
  CImageList list;
  EXPECT_EQ(list.Add(QIcon()), -1);  // not created yet
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 1));
  EXPECT_EQ(list.AddIcon(2013), 0);
  EXPECT_EQ(list.AddBitmap(2011, kMagenta), 1);
  EXPECT_EQ(list.AddIcon(4242), -1);
  EXPECT_EQ(list.GetImageCount(), 2);
  const QImage icon = list.GetPixmap(0).toImage();
  EXPECT_EQ(icon.pixelColor(0, 0), QColor(0xFF, 0, 0));
  EXPECT_EQ(qAlpha(icon.pixel(8, 8)), 0);  // outside the small icon
  CImageList strip;
  ASSERT_TRUE(strip.Create(2011, 2, 1, kMagenta));
  EXPECT_EQ(strip.GetImageCount(), 2);
}

TEST_F(StdResources, MenuLoadsWalksAndGreysItems) {
  CMenu menu;
  EXPECT_FALSE(menu.GetSubMenu(0));
  ASSERT_TRUE(menu.LoadMenu(2000));
  CMenu* popup = menu.GetSubMenu(0);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->GetMenuItemID(3), 0xFFFFFFFFu);
  EXPECT_EQ(popup->GetMenuString(32773, MF_BYCOMMAND), "Delete");
  EXPECT_EQ(popup->EnableMenuItem(32773, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(popup->EnableMenuItem(32773, MF_GRAYED), MF_GRAYED);
  EXPECT_EQ(popup->GetMenuState(32773, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(menu.EnableMenuItem(32777, MF_GRAYED), MF_ENABLED);  // found in a sub-menu
  EXPECT_EQ(popup->EnableMenuItem(12345, MF_GRAYED), MF_ERROR);
  CMenu missing;
  EXPECT_FALSE(missing.LoadMenu(4242));
}

// Chooses the item with command `id` when a popup is tracked.
struct ScopedChoice {
  explicit ScopedChoice(UINT id, QPoint* seenAt = nullptr) {
    AfxSetPopupMenuHook([id, seenAt](QMenu& menu, QPoint at) {
      if (seenAt != nullptr) *seenAt = at;
      return AfxFindMenuAction(&menu, id);
    });
  }
  ~ScopedChoice() { AfxSetPopupMenuHook(nullptr); }
};

TEST_F(StdResources, TrackedPopupSendsTheChosenCommandToItsOwner) {
  NotifyRecorder owner;
  owner.CreateShown();
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(2000));
  CMenu* popup = menu.GetSubMenu(0);
  {
    QPoint at;
    ScopedChoice choose(32772, &at);
    EXPECT_TRUE(popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 120, 80, &owner));
    EXPECT_EQ(at, QPoint(120, 80));
  }
  ASSERT_EQ(owner.Codes(WM_COMMAND), std::vector<UINT>{0});
  EXPECT_EQ(owner.received[0].id, 32772u);
  popup->EnableMenuItem(32773, MF_GRAYED);
  {
    ScopedChoice choose(32773);  // grey: cannot be chosen
    popup->TrackPopupMenu(0, 0, 0, &owner);
  }
  {
    ScopedChoice choose(32777);  // in the sub-menu, returned instead of sent
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 32777);
  }
  EXPECT_EQ(owner.received.size(), 1u);
}

TEST(StdToolTips, ToolsShowTheirTextWhileActive) {
  NotifyRecorder parent;
  parent.CreateShown();
  CWnd button;
  ASSERT_TRUE(button.Create(nullptr, "b", WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 9));
  {
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&parent));
    EXPECT_FALSE(tips.IsWindowVisible());
    ASSERT_TRUE(tips.AddTool(&button, "Refresh"));
    EXPECT_EQ(button.GetSafeHwnd()->toolTip(), "Refresh");
    tips.AddTool(&button, "Reload");  // the same tool again: new text
    EXPECT_EQ(tips.GetToolCount(), 1);
    tips.Activate(FALSE);
    EXPECT_TRUE(button.GetSafeHwnd()->toolTip().isEmpty());
    tips.UpdateTipText("Refresh", &button);
    tips.Activate(TRUE);
    EXPECT_EQ(button.GetSafeHwnd()->toolTip(), "Refresh");
    EXPECT_EQ(tips.GetText(&button), "Refresh");
    EXPECT_FALSE(tips.AddTool(nullptr, "none"));
  }
  EXPECT_TRUE(button.GetSafeHwnd()->toolTip().isEmpty());  // gone with the control
}

}  // namespace

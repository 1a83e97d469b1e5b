#include <gtest/gtest.h>

#include <QListWidget>
#include <algorithm>

#include "ControlsTestSupport.h"
#include "controls/ImageListBox.h"

namespace {

constexpr COLORREF kIconColour = RGB(255, 0, 0);

int Darkest(const QImage& image) {
  int darkest = 255;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
  }
  return darkest;
}

// The list as the main form has it: made by the template, taken over by id.
TEST(ImageListBoxTest, DisabledListDrawsEveryLineGreyedAndNoneHighlighted) {
  OwnerWindow owner;
  owner.CreateShown();
  owner.MakeFormControls();
  CImageListBox list;
  ASSERT_TRUE(list.SubclassDlgItem(2030, &owner));
  CImageList icons;
  icons.Create(16, 16, ILC_COLOR32, 1, 1);
  icons.Add(SolidPicture(kIconColour), CLR_NONE);
  list.SetItemImageList(&icons);
  for (const char* text : {"one", "two", "three"}) list.AddItem(text, 0);
  list.SetCurSel(1);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const QImage enabled = Snapshot(list.GetSafeHwnd());
  list.EnableWindow(FALSE);
  const QImage disabled = Snapshot(list.GetSafeHwnd());

  CRect selected;
  ASSERT_EQ(list.GetItemRect(1, &selected), LB_OKAY);
  const int right = static_cast<QListWidget*>(list.GetSafeHwnd())->viewport()->geometry().right();
  EXPECT_EQ(AfxImagePixel(enabled, right - 2, selected.top + 3), highlight);  // whole width
  EXPECT_GT(CountPixels(enabled, kIconColour), 0);
  EXPECT_EQ(CountPixels(disabled, highlight), 0);
  EXPECT_EQ(CountPixels(disabled, kIconColour), 0);  // icons greyed
  // Ink on every line, none of it darker than the grey text colour.
  const int grey = qGray(ToQColor(GetSysColor(COLOR_GRAYTEXT)).rgb());
  CRect r;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(list.GetItemRect(i, &r), LB_OKAY);
    const QRect text(r.left + 22, r.top, right - r.left - 22, r.Height());
    EXPECT_GE(Darkest(disabled.copy(text)), grey - 8) << i;
    EXPECT_LT(Darkest(disabled.copy(text)), 250) << i;
    EXPECT_LT(Darkest(enabled.copy(text)), grey - 8) << i;
  }
}

}  // namespace

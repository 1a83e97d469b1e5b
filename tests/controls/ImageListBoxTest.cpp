#include <gtest/gtest.h>

#include <QListWidget>
#include <algorithm>
#include <string>
#include <vector>

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
class ImageListBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    owner.MakeFormControls();
    ASSERT_TRUE(list.SubclassDlgItem(2030, &owner));
  }

  OwnerWindow owner;
  CImageListBox list;
};

// Lines sort as they come, several at once land where one at a time would (texts alike in
// their given order), each keeps its image, and removal frees the records.
TEST_F(ImageListBoxTest, AddItemSortsStablyAndRemovalFreesRecords) {
  EXPECT_EQ(list.AddItem("beta", 1), 0);
  EXPECT_EQ(list.AddItem("Alpha", 2), 0);
  EXPECT_EQ(list.AddItem("gamma", 3), 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetItemImage(i), std::vector<int>({2, 1, 3})[i]);
  EXPECT_EQ(list.DeleteString(1), 2);
  EXPECT_EQ(list.GetRecordCount(), 2);
  list.ResetContent();
  EXPECT_EQ(list.GetRecordCount(), 0);
  list.AddItem("again", 5);
  list.AddItems(std::vector<std::string>{"b", "A", "B", "again", "a"}, 6);
  std::vector<std::string> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetText(i));
  EXPECT_EQ(lines, (std::vector<std::string>{"A", "a", "again", "again", "b", "B"}));
  EXPECT_EQ(list.GetItemImage(5), 6);
  list.DestroyWindow();
  EXPECT_EQ(list.GetRecordCount(), 0);
  CImageListBox unmade;  // no window: an error and no record
  EXPECT_EQ(unmade.AddItem("x", 0), LB_ERR);
  EXPECT_EQ(unmade.GetRecordCount(), 0);
}

TEST_F(ImageListBoxTest, DisabledListDrawsEveryLineGreyedAndNoneHighlighted) {
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

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QListWidget>
#include <string>

#include "ControlsTestSupport.h"
#include "controls/ImageListBox.h"

namespace {

constexpr UINT kListId = 2030;
constexpr COLORREF kIconColour = RGB(255, 0, 0);

int Darkest(const QImage& image) {
  int darkest = 255;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
  }
  return darkest;
}

class ImageListBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    ASSERT_TRUE(
        list.Create(WS_VISIBLE | WS_BORDER | LBS_SORT, CRect(10, 10, 210, 250), &owner, kListId));
  }
  void UseIcons(int size) {
    icons.Create(size, size, ILC_COLOR32, 1, 1);
    icons.Add(SolidPicture(kIconColour, size), CLR_NONE);
    list.SetItemImageList(&icons);
  }
  int Height(int index) {
    QApplication::processEvents();
    CRect r;
    EXPECT_EQ(list.GetItemRect(index, &r), LB_OKAY);
    return r.Height();
  }
  int LineHeight() const { return QFontMetrics(list.GetSafeHwnd()->font()).height(); }

  OwnerWindow owner;
  CImageListBox list;
  CImageList icons;
};

TEST_F(ImageListBoxTest, LineHeightFollowsWrappedTextAndNeverUndercutsTheIcon) {
  const std::string longText(60, 'w');
  const std::string words = "several short words that wrap over more than one line of the list";
  struct Case {
    int iconSize;  // 0: no image list
    std::string text;
    int minLines;
  };
  const Case cases[] = {{0, "short", 1},  {0, words, 2},  {16, "short", 1},
                        {32, "short", 1}, {32, words, 2}, {0, "tab\tbed", 1}};
  for (const Case& c : cases) {
    list.ResetContent();
    if (c.iconSize > 0) UseIcons(c.iconSize);
    const int index = list.AddItem(c.text.c_str(), 0);
    ASSERT_EQ(index, 0);
    const int textHeight = std::max(c.minLines * LineHeight(), c.iconSize + 4);
    const int height = Height(index);
    EXPECT_GE(height, textHeight + 4) << c.text << " icon " << c.iconSize;
    if (c.iconSize > 0) {
      EXPECT_GE(height, c.iconSize + 8) << c.text;
    }
    if (c.minLines == 1 && c.iconSize + 4 >= LineHeight()) {
      EXPECT_EQ(height, c.iconSize + 8) << c.text;
    } else if (c.minLines == 1 && c.iconSize == 0) {
      EXPECT_EQ(height, LineHeight() + 4) << c.text;
    }
    list.SetItemImageList(nullptr);
  }
}

TEST_F(ImageListBoxTest, AddItemSortsLinesAndGivesEachItsImage) {
  EXPECT_EQ(list.AddItem("beta", 1), 0);
  EXPECT_EQ(list.AddItem("Alpha", 2), 0);
  EXPECT_EQ(list.AddItem("gamma", 3), 2);
  EXPECT_EQ(list.GetText(1), "beta");
  const int images[] = {2, 1, 3};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetItemImage(i), images[i]) << i;
  EXPECT_EQ(list.GetRecordCount(), 3);
  EXPECT_EQ(list.GetItemImage(3), -1);

  CImageListBox unmade;  // no window: an error and no record
  EXPECT_EQ(unmade.AddItem("x", 0), LB_ERR);
  EXPECT_EQ(unmade.GetRecordCount(), 0);
}

TEST_F(ImageListBoxTest, RemovingLinesFreesTheirRecords) {
  for (const char* text : {"a", "b", "c"}) list.AddItem(text, 0);
  EXPECT_EQ(list.DeleteString(1), 2);
  EXPECT_EQ(list.GetRecordCount(), 2);
  list.ResetContent();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetRecordCount(), 0);
  list.AddItem("again", 5);
  EXPECT_EQ(list.GetItemImage(0), 5);
  list.DestroyWindow();
  EXPECT_EQ(list.GetRecordCount(), 0);
}

TEST_F(ImageListBoxTest, DisabledListDrawsEveryLineGreyedAndNoneHighlighted) {
  UseIcons(16);
  for (const char* text : {"one", "two", "three"}) list.AddItem(text, 0);
  list.SetCurSel(1);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);

  const QImage enabled = Snapshot(list.GetSafeHwnd());
  EXPECT_GT(CountPixels(enabled, highlight), 0);  // the selection shows while enabled
  EXPECT_GT(CountPixels(enabled, kIconColour), 0);
  CRect selected;
  ASSERT_EQ(list.GetItemRect(1, &selected), LB_OKAY);
  const int lastColumn =
      static_cast<QListWidget*>(list.GetSafeHwnd())->viewport()->geometry().right();
  EXPECT_EQ(AfxImagePixel(enabled, lastColumn - 2, selected.top + 3), highlight);  // whole width

  list.EnableWindow(FALSE);
  const QImage disabled = Snapshot(list.GetSafeHwnd());
  EXPECT_EQ(CountPixels(disabled, highlight), 0);
  EXPECT_EQ(CountPixels(disabled, kIconColour), 0);  // icons greyed
  EXPECT_EQ(CountPixels(disabled, GetSysColor(COLOR_WINDOWTEXT)), 0);
  // Text drawn in the grey text colour: ink on every line, none darker than that grey.
  const int grey = qGray(ToQColor(GetSysColor(COLOR_GRAYTEXT)).rgb());
  CRect line;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(list.GetItemRect(i, &line), LB_OKAY);
    const QImage row = disabled.copy(line.left + 22, line.top, line.Width() - 22, line.Height());
    EXPECT_GT(row.width() * row.height(), CountPixels(row, GetSysColor(COLOR_WINDOW))) << i;
    EXPECT_GE(Darkest(row), grey - 8) << "line " << i;
    const QImage lit = enabled.copy(line.left + 22, line.top, line.Width() - 22, line.Height());
    EXPECT_LT(Darkest(lit), grey - 8) << "line " << i;
  }
}

}  // namespace

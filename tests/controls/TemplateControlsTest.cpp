#include <gtest/gtest.h>

#include <QFontMetrics>
#include <algorithm>

#include "ControlsTestSupport.h"
#include "controls/ImageListBox.h"
#include "controls/TreeComboBox.h"
#include "framework/ControlFactory.h"
#include "framework/Resources.h"
#include "framework/controls/ControlTypes.h"
#include "framework/gdi/SystemMetrics.h"

namespace {

// The two controls as the main form's template makes them, then subclassed by id the
// way the view takes them over.
class TemplateControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    DialogResource form;
    DialogItem listItem;
    listItem.windowClass = "LISTBOX";
    listItem.id = 2030;
    listItem.cx = 120;
    listItem.cy = 140;
    listItem.style = WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWVARIABLE |
                     LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    DialogItem comboItem;
    comboItem.windowClass = "COMBOBOX";
    comboItem.id = 2031;
    comboItem.y = 150;
    comboItem.cx = 110;
    comboItem.cy = 100;
    comboItem.style = WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    form.items = {listItem, comboItem};
    AfxCreateDialogControls(owner.GetSafeHwnd(), form);
    ASSERT_TRUE(list.SubclassDlgItem(2030, &owner));
    ASSERT_TRUE(combo.SubclassDlgItem(2031, &owner));
  }

  OwnerWindow owner;
  CImageListBox list;
  CTreeComboBox combo;
};

TEST_F(TemplateControlsTest, SubclassedListMeasuresItsLinesByText) {
  list.AddItem("x", 0);
  list.AddItem("y many words that wrap many times in a narrow list box of this form", 0);
  QApplication::processEvents();
  CRect shortLine;
  CRect longLine;
  ASSERT_EQ(list.GetItemRect(0, &shortLine), LB_OKAY);
  ASSERT_EQ(list.GetItemRect(1, &longLine), LB_OKAY);
  const int lineHeight = QFontMetrics(list.GetSafeHwnd()->font()).height();
  EXPECT_EQ(shortLine.Height(), lineHeight + 4);
  EXPECT_GE(longLine.Height(), 3 * lineHeight + 4);
  EXPECT_EQ(std::count(owner.requests.begin(), owner.requests.end(), WM_MEASUREITEM), 2);
}

TEST_F(TemplateControlsTest, SubclassedComboGetsItsHeightsAndFrame) {
  combo.AddItem(CTreeComboBox::kTopLevel, 0, "Work");
  combo.SetCurSel(0);
  EXPECT_EQ(combo.GetItemHeight(0), 18);
  EXPECT_EQ(combo.GetItemHeight(-1), 16);
  const QImage picture = Snapshot(combo.GetSafeHwnd());
  const int right = picture.width() - 1;
  const int bottom = picture.height() - 1;
  EXPECT_EQ(AfxImagePixel(picture, 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(AfxImagePixel(picture, right, bottom), GetSysColor(COLOR_BTNHIGHLIGHT));
  // The drop button's raised edge, inside the outer frame.
  const int buttonLeft = right - GetSystemMetrics(SM_CXHTHUMB);
  EXPECT_EQ(AfxImagePixel(picture, buttonLeft, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(AfxImagePixel(picture, right - 1, bottom - 1), GetSysColor(COLOR_BTNSHADOW));
}

}  // namespace

#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/TreeComboBox.h"
#include "framework/gdi/SystemMetrics.h"

namespace {

constexpr int kTop = CTreeComboBox::kTopLevel;

// The group picker as the main form has it: made by the template, taken over by id.
class TreeComboBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    owner.MakeFormControls();
    ASSERT_TRUE(combo.SubclassDlgItem(2031, &owner));
  }
  // Entry `index` drawn into a picture 200 by 18, as the list draws it.
  QImage Draw(int index, UINT state) {
    return AfxPaintToImage(200, 18, [&](CDC& dc) {
      DRAWITEMSTRUCT request;
      request.itemID = static_cast<UINT>(index);
      request.itemState = state;
      request.rcItem = CRect(0, 0, 200, 18);
      request.hDC = &dc;
      combo.DrawItem(&request);
    });
  }

  OwnerWindow owner;
  CTreeComboBox combo;
};

// A child lands after its parent's last descendant, whatever was added after the parent.
TEST_F(TreeComboBoxTest, ChildrenLandAfterTheParentsLastDescendant) {
  const struct {
    int parent;
    const char* text;
    int position;
  } steps[] = {{kTop, "A", 0}, {kTop, "B", 1}, {0, "A1", 1},
               {0, "A2", 2},   {1, "A1a", 2},  {0, "A3", 4}};
  for (const auto& s : steps) EXPECT_EQ(combo.AddItem(s.parent, 0, s.text), s.position) << s.text;
  const struct {
    const char* text;
    int level, parent;
  } listed[] = {{"A", 0, kTop}, {"A1", 1, 0}, {"A1a", 2, 1},
                {"A2", 1, 0},   {"A3", 1, 0}, {"B", 0, kTop}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(combo.GetLBText(i), listed[i].text);
    EXPECT_EQ(combo.GetItemLevel(i), listed[i].level) << i;
    EXPECT_EQ(combo.GetItemParentId(i), listed[i].parent) << i;
  }
  EXPECT_EQ(combo.AddItem(77, 0, "orphan"), CB_ERR);
  EXPECT_EQ(combo.GetCount(), 6);
}

TEST_F(TreeComboBoxTest, SelectedEntryFramesItsIconRedAndBlueAndItsTextBlack) {
  combo.AddIcon(HICON(SolidPicture(RGB(0, 160, 0))));
  combo.AddItem(kTop, 0, "Top");
  combo.AddItem(0, 0, "Child");  // level 1: icon box from x 20 to 38, text box from 40
  struct Pixel {
    int x, y;
    COLORREF colour;
  };
  const COLORREF red = 0x8080FF, blue = 0xFF0000, black = 0;  // icon box, then text box
  const Pixel expected[] = {
      {20, 0, red},    {20, 10, red},    {38, 16, blue},
      {38, 5, blue},   {40, 8, black},   {199, 8, black},
      {120, 0, black}, {120, 16, black}, {190, 4, GetSysColor(COLOR_HIGHLIGHT)}};
  const QImage selected = Draw(1, ODS_SELECTED);
  for (const Pixel& p : expected) {
    EXPECT_EQ(AfxImagePixel(selected, p.x, p.y), p.colour) << p.x << "," << p.y;
  }

  const QImage plain = Draw(1, 0);
  EXPECT_EQ(CountPixels(plain, 0x8080FF), 0);
  EXPECT_EQ(AfxImagePixel(plain, 190, 4), GetSysColor(COLOR_WINDOW));

  // The control paints its own frame over the field: shadow top-left, raised drop button.
  const QImage field = Snapshot(combo.GetSafeHwnd());
  const int right = field.width() - 1;
  EXPECT_EQ(AfxImagePixel(field, 0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(AfxImagePixel(field, right - GetSystemMetrics(SM_CXHTHUMB), 1),
            GetSysColor(COLOR_BTNHIGHLIGHT));

  combo.EnableWindow(FALSE);
  const QImage disabled = Draw(1, ODS_SELECTED);
  EXPECT_EQ(CountPixels(disabled, 0x8080FF), 0);
  EXPECT_EQ(AfxImagePixel(disabled, 190, 4), RGB(0xC0, 0xC0, 0xC0));
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "controls/TreeComboBox.h"

namespace {

constexpr UINT kComboId = 2031;
constexpr COLORREF kLightRed = 0x8080FF;
constexpr COLORREF kBlue = 0xFF0000;

class TreeComboBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    ASSERT_TRUE(
        combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 130, 200), &owner, kComboId));
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < combo.GetCount(); ++i) texts.push_back(combo.GetLBText(i));
    return texts;
  }
  // Entry `index` drawn into a picture 200 by 18, as the list draws it.
  QImage Draw(int index, UINT state) {
    return AfxPaintToImage(200, 18, [&](CDC& dc) {
      DRAWITEMSTRUCT request;
      request.CtlType = ODT_COMBOBOX;
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

TEST_F(TreeComboBoxTest, ChildrenLandAfterTheParentsLastDescendant) {
  const WORD top = CTreeComboBox::kTopLevel;
  struct Step {
    WORD parent;
    const char* text;
    int position;
  };
  const Step steps[] = {{top, "A", 0}, {top, "B", 1}, {0, "A1", 1},
                        {0, "A2", 2},  {1, "A1a", 2}, {0, "A3", 4}};
  for (const Step& s : steps) EXPECT_EQ(combo.AddItem(s.parent, 0, s.text), s.position) << s.text;
  EXPECT_EQ(Texts(), (std::vector<std::string>{"A", "A1", "A1a", "A2", "A3", "B"}));
  const std::vector<int> levels{0, 1, 2, 1, 1, 0};
  const std::vector<int> parents{top, 0, 1, 0, 0, top};
  for (int i = 0; i < combo.GetCount(); ++i) {
    EXPECT_EQ(combo.GetItemLevel(i), levels[i]) << i;
    EXPECT_EQ(combo.GetItemParentId(i), parents[i]) << i;
  }
  EXPECT_EQ(combo.AddItem(77, 0, "orphan"), CB_ERR);
  EXPECT_EQ(combo.GetCount(), 6);
  combo.ResetContent();
  EXPECT_EQ(combo.GetRecordCount(), 0);
}

TEST_F(TreeComboBoxTest, EntriesAreEighteenPixelsAndTheFieldSixteen) {
  combo.AddItem(CTreeComboBox::kTopLevel, 0, "A");
  EXPECT_EQ(combo.GetItemHeight(0), 18);
  EXPECT_EQ(combo.GetItemHeight(-1), 16);
}

TEST_F(TreeComboBoxTest, DroppedListWidensForDeepAndLongEntries) {
  combo.AddItem(CTreeComboBox::kTopLevel, 0, "Group");
  const int shallow = combo.CalcDroppedWidth();
  combo.AddItem(0, 0, "Group");  // the same text one level deeper
  EXPECT_EQ(combo.CalcDroppedWidth(), shallow + 8);

  int parent = 1;
  for (int level = 2; level < 12; ++level)
    parent = combo.AddItem(static_cast<WORD>(parent), 0, "A rather long group name");
  combo.ShowDropDown(TRUE);
  QApplication::processEvents();
  EXPECT_EQ(combo.GetDroppedWidth(), combo.CalcDroppedWidth());
  CRect r;
  combo.GetClientRect(&r);
  EXPECT_GT(combo.GetDroppedWidth(), r.Width());
  combo.ShowDropDown(FALSE);
}

TEST_F(TreeComboBoxTest, SelectedEntryFramesItsIconRedAndBlueAndItsTextBlack) {
  combo.AddIcon(HICON(SolidPicture(RGB(0, 160, 0))));
  combo.AddItem(CTreeComboBox::kTopLevel, 0, "Top");
  combo.AddItem(0, 0, "Child");  // level 1: icon box from x 20 to 38, text box from 40
  const QImage selected = Draw(1, ODS_SELECTED);
  EXPECT_EQ(AfxImagePixel(selected, 20, 0), kLightRed);
  EXPECT_EQ(AfxImagePixel(selected, 20, 10), kLightRed);
  EXPECT_EQ(AfxImagePixel(selected, 38, 16), kBlue);
  EXPECT_EQ(AfxImagePixel(selected, 38, 5), kBlue);
  EXPECT_EQ(AfxImagePixel(selected, 40, 8), RGB(0, 0, 0));
  EXPECT_EQ(AfxImagePixel(selected, 199, 8), RGB(0, 0, 0));
  EXPECT_EQ(AfxImagePixel(selected, 120, 0), RGB(0, 0, 0));
  EXPECT_EQ(AfxImagePixel(selected, 190, 4), GetSysColor(COLOR_HIGHLIGHT));

  const QImage plain = Draw(1, 0);
  EXPECT_EQ(CountPixels(plain, kLightRed), 0);
  EXPECT_EQ(CountPixels(plain, GetSysColor(COLOR_HIGHLIGHT)), 0);
  EXPECT_EQ(AfxImagePixel(plain, 190, 4), GetSysColor(COLOR_WINDOW));

  combo.EnableWindow(FALSE);
  const QImage disabled = Draw(1, ODS_SELECTED);
  EXPECT_EQ(CountPixels(disabled, kLightRed), 0);
  EXPECT_EQ(AfxImagePixel(disabled, 190, 4), RGB(0xC0, 0xC0, 0xC0));
}

}  // namespace

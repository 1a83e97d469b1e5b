#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <set>
#include <utility>

#include "framework/app/ModuleState.h"
#include "framework/dialogbase/CDialog.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/StdControlsTestSupport.h"

namespace {

constexpr UINT kPageId = 9300;
constexpr int kName = 10, kRich = 11, kGrey = 12, kBlack = 13, kWrap = 14, kEdit = 15;
constexpr LONG kChild = WS_CHILD | WS_VISIBLE;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// What the widget shows now, painted through its own paint path.
QImage Snapshot(QWidget* widget) {
  QApplication::processEvents();
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int CountPixels(const QImage& image, COLORREF colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += AfxImagePixel(image, x, y) == colour;
  }
  return count;
}

char g_library;
HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&g_library); }

const ResourceTable kTable{
    .strings = {},
    .menus = {},
    .dialogs = {MakeDialog(
        kPageId, "", 200, 120, WS_CHILD,
        {{"STATIC", "&Name:", kName, 5, 5, 60, 10, kChild | SS_LEFT},
         {"STATIC", "<b>rich</b>", kRich, 70, 5, 80, 10, kChild | SS_LEFT},
         {"STATIC", "", kGrey, 0, 100, 200, 20, kChild | SS_GRAYRECT},
         {"STATIC", "", kBlack, 150, 30, 40, 20, kChild | SS_BLACKRECT},
         {"BUTTON", "Filter the titles of this application by a part of their text", kWrap, 5, 30,
          90, 30, kChild | BS_AUTOCHECKBOX | BS_MULTILINE},
         {"EDIT", "typed", kEdit, 5, 70, 90, 12, kChild | WS_BORDER}})},
    .images = {},
};

// A page that answers like the statistics page: white, with black text on a transparent
// background; its edit gets a yellow field.
class WhitePage : public CDialog {
 public:
  std::set<std::pair<UINT, int>> asked;  // (kind, id of the asking window)

  CBrush* OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    asked.insert({nCtlColor, pWnd == this ? 0 : pWnd->GetDlgCtrlID()});
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
    return nCtlColor == CTLCOLOR_EDIT ? &m_yellow : &m_white;
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map{CDialog::GetMessageMap(), {msg::CtlColor(&WhitePage::OnCtlColor)}};
    return &map;
  }

 private:
  CBrush m_white{kWhite};
  CBrush m_yellow{kYellow};
};

class ColourRequest : public testing::Test {
 protected:
  void SetUp() override {
    owner.CreateShown();
    AfxResourceHandleGuard guard(Library());
    ASSERT_TRUE(page.Create(kPageId, &owner));
    page.ShowWindow(SW_SHOW);
    shot = Snapshot(page.GetSafeHwnd());
  }
  QRect Rect(int id) const { return page.GetDlgItem(id)->GetSafeHwnd()->geometry(); }
  COLORREF At(QPoint p) const { return AfxImagePixel(shot, p.x(), p.y()); }
  // The rows of `area` that hold dark (text) pixels.
  std::set<int> DarkRows(const QRect& area) const {
    std::set<int> rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.red() < 80 && c.green() < 80 && c.blue() < 80) rows.insert(y);
      }
    }
    return rows;
  }

  ModuleResources resources{Library(), kTable};
  NotifyRecorder owner;
  WhitePage page;
  QImage shot;
};

TEST_F(ColourRequest, APageAnswersForItselfItsStaticsCheckBoxesAndEdits) {
  const std::set<std::pair<UINT, int>> expected{{CTLCOLOR_DLG, 0},
                                                {CTLCOLOR_STATIC, kName},
                                                {CTLCOLOR_STATIC, kRich},
                                                {CTLCOLOR_STATIC, kWrap},
                                                {CTLCOLOR_EDIT, kEdit}};
  EXPECT_EQ(page.asked, expected);  // the rectangles have colours of their own
  EXPECT_EQ(At(QPoint(Rect(kWrap).right() + 8, Rect(kWrap).center().y())), kWhite);
  // Statics: white behind black text, nothing of the grey face colour.
  const QRect name = Rect(kName);
  EXPECT_EQ(CountPixels(shot.copy(name), GetSysColor(COLOR_3DFACE)), 0);
  EXPECT_FALSE(DarkRows(name).empty());
  EXPECT_EQ(At(Rect(kEdit).center() + QPoint(Rect(kEdit).width() / 2 - 4, 0)), kYellow);
  // The rectangles are filled; a multiline check box wraps.
  EXPECT_EQ(At(Rect(kGrey).center()), GetSysColor(COLOR_BACKGROUND));
  EXPECT_EQ(At(Rect(kBlack).center()), GetSysColor(COLOR_WINDOWFRAME));
  const std::set<int> rows = DarkRows(Rect(kWrap).adjusted(20, 0, 0, 0));
  ASSERT_FALSE(rows.empty());
  const int lineHeight = page.GetDlgItem(kWrap)->GetSafeHwnd()->fontMetrics().height();
  EXPECT_GT(*rows.rbegin() - *rows.begin(), lineHeight);  // more than one line of text
}

TEST_F(ColourRequest, StaticTextFollowsTheAccessKeyRuleAndIsNeverRich) {
  auto* label = static_cast<QLabel*>(page.GetDlgItem(kRich)->GetSafeHwnd());
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  const std::pair<const char*, const char*> cases[] = {
      {"&Name:", "Name:"}, {"a && b", "a & b"}, {"<b>x</b>", "<b>x</b>"}, {"end&", "end"}};
  EXPECT_EQ(static_cast<QLabel*>(page.GetDlgItem(kName)->GetSafeHwnd())->text(), "Name:");
  for (const auto& [given, shown] : cases) {
    page.SetDlgItemText(kRich, given);
    EXPECT_EQ(label->text().toStdString(), shown) << given;
    EXPECT_EQ(page.GetDlgItemText(kRich), given);
  }
}

// Without a handler a window answers with the system colours of the kind.
TEST(ColourRequestDefault, UnansweredRequestsGetTheSystemColours) {
  TestWnd wnd;
  ASSERT_TRUE(wnd.CreateTopLevel());
  for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORDLG}) {
    CDC dc;
    const auto* brush =
        reinterpret_cast<CBrush*>(wnd.SendMessage(message, reinterpret_cast<WPARAM>(&dc), 0));
    const int face = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_3DFACE;
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->GetColor(), GetSysColor(face));
    EXPECT_EQ(dc.GetBkColor(), GetSysColor(face));
    EXPECT_EQ(dc.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
  }
}

}  // namespace

#include "view/QuickInfoPage.h"

#include "framework/dialogbase/CDataExchange.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/GdiConstants.h"
#include "res/ResourceIds.h"

namespace {

constexpr std::array<int, 3> kBarIds{IDC_QI_MONTH_BAR, IDC_QI_WEEK_BAR, IDC_QI_TODAY_BAR};
constexpr std::array<int, 3> kLineIds{IDC_QI_MONTH_TEXT, IDC_QI_WEEK_TEXT, IDC_QI_TODAY_TEXT};

}  // namespace

CQuickInfoPage::CQuickInfoPage() = default;

BOOL CQuickInfoPage::Create(CWnd* pParentWnd) {
  return CTabPage::Create(IDD_QUICKINFO_PAGE, pParentWnd);
}

const MessageMap* CQuickInfoPage::GetMessageMap() const {
  static const MessageMap map{CTabPage::GetMessageMap(),
                              {
                                  msg::Size(&CQuickInfoPage::OnSize),
                                  msg::CtlColor(&CQuickInfoPage::OnCtlColor),
                              }};
  return &map;
}

void CQuickInfoPage::DoDataExchange(CDataExchange* pDX) {
  CTabPage::DoDataExchange(pDX);
  for (std::size_t i = 0; i < kBarIds.size(); ++i) DDX_Control(pDX, kBarIds[i], m_bars[i]);
}

void CQuickInfoPage::ShowApplication(const AppEntry& entry, const PeriodTotals& groupTotals) {
  FillRows({entry.MonthTime, entry.WeekTime, entry.TodayTime}, groupTotals);
  SetDlgItemText(IDC_QI_FILENAME, entry.Name);
  SetDlgItemText(IDC_QI_FILEPATH, entry.Path);
}

void CQuickInfoPage::ShowGroup(const PeriodTotals& own, const PeriodTotals& reference) {
  FillRows(own, reference);
  SetDlgItemText(IDC_QI_FILENAME, "");
  SetDlgItemText(IDC_QI_FILEPATH, "");
}

void CQuickInfoPage::FillRows(const PeriodTotals& numerators, const PeriodTotals& references) {
  FillRow(0, numerators.month, references.month);
  FillRow(1, numerators.week, references.week);
  FillRow(2, numerators.today, references.today);
}

void CQuickInfoPage::FillRow(std::size_t row, int64_t numerator, int64_t reference) {
  const StatisticsLine line = FormatStatisticsLine(numerator, reference);
  CProgressCtrl& bar = m_bars[row];
  if (bar.IsWindow()) {
    bar.SetRange(0, 100);
    bar.SetPos(line.position);
  }
  SetDlgItemText(kLineIds[row], line.text);
}

CBrush* CQuickInfoPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  CTabPage::OnCtlColor(pDC, pWnd, nCtlColor);
  // White all over; the labels and statistics lines in black over it.
  const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
  if (id >= IDC_QI_MONTH_TEXT && id <= IDC_QI_TODAY_LABEL) {
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
  }
  return &m_whiteBrush;
}

void CQuickInfoPage::OnSize(UINT nType, int cx, int cy) {
  CTabPage::OnSize(nType, cx, cy);
  struct Place {
    int id, x, y, height;
    int widthLess;  // the width is cx minus this
  };
  static constexpr Place kPlaces[] = {
      {IDC_QI_FILENAME, 75, 19, 20, 110},  {IDC_QI_FILEPATH, 75, 42, 20, 110},
      {IDC_QI_MONTH_BAR, 17, 97, 12, 30},  {IDC_QI_WEEK_BAR, 17, 152, 12, 30},
      {IDC_QI_TODAY_BAR, 17, 205, 12, 30},
  };
  for (const Place& p : kPlaces) {
    if (CWnd* control = GetDlgItem(p.id)) control->MoveWindow(p.x, p.y, cx - p.widthLess, p.height);
  }
}

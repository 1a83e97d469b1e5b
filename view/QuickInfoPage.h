#pragma once

#include <array>

#include "accounting/Periods.h"
#include "framework/dialogbase/CTabPage.h"
#include "framework/gdi/GdiObjects.h"
#include "framework/stdcontrols/CProgressCtrl.h"
#include "tree/GroupTree.h"

class CDLLDocumentView;

// "Quick Info": the selected application's or group's time this month, this week and
// today, each as a time, a share of a reference total and a bar. White all over.
class CQuickInfoPage : public CTabPage {
 public:
  CQuickInfoPage();

  BOOL Create(CWnd* pParentWnd);
  void SetView(CDLLDocumentView* pView) { m_pView = pView; }

  // The entry's own times as shares of its group's totals; its name and path below.
  void ShowApplication(const AppEntry& entry, const PeriodTotals& groupTotals);
  // A group's totals as shares of `reference` (its parent's, or all groups'); no file.
  void ShowGroup(const PeriodTotals& own, const PeriodTotals& reference);

 protected:
  const MessageMap* GetMessageMap() const override;
  void DoDataExchange(CDataExchange* pDX) override;

  void OnSize(UINT nType, int cx, int cy);
  CBrush* OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

 private:
  void FillRows(const PeriodTotals& numerators, const PeriodTotals& references);
  void FillRow(std::size_t row, int64_t numerator, int64_t reference);

  CDLLDocumentView* m_pView = nullptr;
  std::array<CProgressCtrl, 3> m_bars;  // month, week, today
  CBrush m_whiteBrush{RGB(255, 255, 255)};
};

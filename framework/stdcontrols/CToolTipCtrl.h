#pragma once

#include <QPointer>
#include <string>
#include <vector>

#include "framework/stdcontrols/CStdControl.h"

// Tool tips for windows: each tool is a window (its whole area) with a text, shown by
// Qt's own tool tips on that window while the control is active. Destroying the control
// removes its tips.
class CToolTipCtrl : public CStdControl {
  // The generic window's Create stays out of reach: each kind has its own.
  using CWnd::Create;

 public:
  static const CRuntimeClass classCToolTipCtrl;
  const CRuntimeClass* GetRuntimeClass() const override;

  CToolTipCtrl() = default;
  ~CToolTipCtrl() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  // A tool on `pWnd`; a second tool on the same window replaces the first's text.
  BOOL AddTool(CWnd* pWnd, const char* lpszText, const RECT* lpRectTool = nullptr,
               UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(const char* lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  std::string GetText(CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  int GetToolCount() const;

  void Activate(BOOL bActivate);
  BOOL IsActive() const { return m_active ? TRUE : FALSE; }
  int SetMaxTipWidth(int iWidth);
  // Qt follows the mouse over every tool itself; a relayed button press hides a tip
  // that is showing, as a click does.
  void RelayEvent(MSG* pMsg);

 protected:
  QWidget* CreateWidget(const CREATESTRUCT& cs, QWidget* parent) override;

 private:
  struct Tool {
    QPointer<QWidget> widget;
    UINT_PTR id = 0;
    std::string text;
  };
  Tool* FindTool(CWnd* pWnd, UINT_PTR nIDTool);
  const Tool* FindTool(CWnd* pWnd, UINT_PTR nIDTool) const;
  void Apply(const Tool& tool) const;

  std::vector<Tool> m_tools;
  bool m_active = true;
  int m_maxWidth = -1;
};

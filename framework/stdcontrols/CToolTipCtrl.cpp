#include "framework/stdcontrols/CToolTipCtrl.h"

#include <QToolTip>
#include <QWidget>

const CRuntimeClass CToolTipCtrl::classCToolTipCtrl{"CToolTipCtrl", &CStdControl::classCStdControl,
                                                    nullptr};
const CRuntimeClass* CToolTipCtrl::GetRuntimeClass() const { return &classCToolTipCtrl; }

CToolTipCtrl::~CToolTipCtrl() {
  for (const Tool& tool : m_tools) {
    if (tool.widget) tool.widget->setToolTip(QString());
  }
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CWnd::CreateEx(0, "tooltips_class32", nullptr, dwStyle | WS_CHILD, CRect(), pParentWnd, 0);
}

QWidget* CToolTipCtrl::CreateWidget(const CREATESTRUCT&, QWidget* parent) {
  if (parent == nullptr) return nullptr;
  auto* widget = new QWidget(parent);  // a handle only: the tips are Qt's
  widget->setVisible(false);
  return widget;
}

CToolTipCtrl::Tool* CToolTipCtrl::FindTool(CWnd* pWnd, UINT_PTR nIDTool) {
  QWidget* widget = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
  for (Tool& tool : m_tools) {
    if (tool.widget == widget && tool.id == nIDTool) return &tool;
  }
  return nullptr;
}

const CToolTipCtrl::Tool* CToolTipCtrl::FindTool(CWnd* pWnd, UINT_PTR nIDTool) const {
  return const_cast<CToolTipCtrl*>(this)->FindTool(pWnd, nIDTool);
}

void CToolTipCtrl::Apply(const Tool& tool) const {
  if (tool.widget) {
    tool.widget->setToolTip(m_active ? QString::fromUtf8(tool.text.c_str()) : QString());
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* lpszText, const RECT*, UINT_PTR nIDTool) {
  if (!IsWindow() || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return FALSE;
  for (auto it = m_tools.begin(); it != m_tools.end();) {
    it = it->widget ? it + 1 : m_tools.erase(it);  // tools of destroyed windows go
  }
  Tool* tool = FindTool(pWnd, nIDTool);
  if (tool == nullptr) {
    m_tools.push_back(Tool{pWnd->GetSafeHwnd(), nIDTool, {}});
    tool = &m_tools.back();
  }
  tool->text = lpszText != nullptr ? lpszText : "";
  Apply(*tool);
  return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  if (Tool* tool = FindTool(pWnd, nIDTool)) {
    if (tool->widget) tool->widget->setToolTip(QString());
    m_tools.erase(m_tools.begin() + (tool - m_tools.data()));
  }
}

void CToolTipCtrl::UpdateTipText(const char* lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  if (Tool* tool = FindTool(pWnd, nIDTool)) {
    tool->text = lpszText != nullptr ? lpszText : "";
    Apply(*tool);
  }
}

std::string CToolTipCtrl::GetText(CWnd* pWnd, UINT_PTR nIDTool) const {
  const Tool* tool = FindTool(pWnd, nIDTool);
  return tool != nullptr ? tool->text : std::string();
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(m_tools.size()); }

void CToolTipCtrl::Activate(BOOL bActivate) {
  m_active = bActivate != FALSE;
  for (const Tool& tool : m_tools) Apply(tool);
  if (!m_active) QToolTip::hideText();
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
  const int previous = m_maxWidth;
  m_maxWidth = iWidth;
  return previous;
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
  if (pMsg == nullptr) return;
  switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      QToolTip::hideText();
      break;
    default:
      break;
  }
}

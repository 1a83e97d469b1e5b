#include "framework/stdcontrols/CProgressCtrl.h"

#include <QProgressBar>
#include <algorithm>

namespace {
// The range and step as set; the bar's own range differs for an empty range.
constexpr const char* kLower = "tm_pb_lower";
constexpr const char* kUpper = "tm_pb_upper";
constexpr const char* kPos = "tm_pb_pos";
constexpr const char* kStep = "tm_pb_step";

int Prop(const QWidget* w, const char* name, int fallback) {
  const QVariant v = w->property(name);
  return v.isValid() ? v.toInt() : fallback;
}
}  // namespace

const CRuntimeClass CProgressCtrl::classCProgressCtrl{"CProgressCtrl",
                                                      &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CProgressCtrl::GetRuntimeClass() const { return &classCProgressCtrl; }

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("msctls_progress32", "", dwStyle, rect, pParentWnd, nID);
}

QWidget* CProgressCtrl::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("msctls_progress32", cs, parent);
}

void CProgressCtrl::SetRange32(int nLower, int nUpper) {
  auto* bar = As<QProgressBar>();
  if (bar == nullptr) return;
  bar->setProperty(kLower, nLower);
  bar->setProperty(kUpper, nUpper);
  // Qt shows a busy bar for an empty range; a progress control shows an empty one.
  bar->setRange(nLower, std::max(nUpper, nLower + 1));
  SetPos(GetPos());
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
  nLower = 0;
  nUpper = 100;
  if (auto* bar = As<QProgressBar>()) {
    nLower = Prop(bar, kLower, 0);
    nUpper = Prop(bar, kUpper, 100);
  }
}

int CProgressCtrl::SetPos(int nPos) {
  auto* bar = As<QProgressBar>();
  if (bar == nullptr) return 0;
  const int previous = GetPos();
  int lower = 0;
  int upper = 0;
  GetRange(lower, upper);
  const int pos = std::clamp(nPos, lower, std::max(lower, upper));
  bar->setProperty(kPos, pos);
  bar->setValue(upper > lower ? pos : lower);
  return previous;
}

int CProgressCtrl::GetPos() const {
  auto* bar = As<QProgressBar>();
  return bar != nullptr ? Prop(bar, kPos, bar->value() < 0 ? 0 : bar->value()) : 0;
}

int CProgressCtrl::OffsetPos(int nPos) { return SetPos(GetPos() + nPos); }

int CProgressCtrl::SetStep(int nStep) {
  auto* bar = As<QProgressBar>();
  if (bar == nullptr) return 0;
  const int previous = Prop(bar, kStep, 10);
  bar->setProperty(kStep, nStep);
  return previous;
}

int CProgressCtrl::StepIt() {
  auto* bar = As<QProgressBar>();
  if (bar == nullptr) return 0;
  // Stepping past the end wraps to the start, as a progress control does.
  int lower = 0;
  int upper = 0;
  GetRange(lower, upper);
  const int previous = GetPos();
  int next = previous + Prop(bar, kStep, 10);
  if (next > upper) next = lower + (next - upper);
  SetPos(next);
  return previous;
}

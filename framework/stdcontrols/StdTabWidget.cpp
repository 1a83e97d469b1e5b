#include "framework/stdcontrols/StdTabWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <algorithm>
#include <limits>
#include <vector>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/windows/CWnd.h"

namespace {
constexpr int kFrame = 2;         // the display area's border
constexpr int kShortestTab = 40;  // a cut tab still shows a few letters

QTabBar::Shape ShapeOf(DWORD style) {
  // TCS_RIGHT and TCS_BOTTOM are one bit; TCS_VERTICAL decides which it means.
  if ((style & TCS_VERTICAL) != 0) {
    return (style & TCS_RIGHT) != 0 ? QTabBar::RoundedEast : QTabBar::RoundedWest;
  }
  return (style & TCS_BOTTOM) != 0 ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
}
}  // namespace

void StdTabBar::SetFixedTabSize(QSize size) {
  m_fixed = size;
  updateGeometry();
  adjustSize();
  update();
}

QSize StdTabBar::tabSizeHint(int index) const {
  if (m_fixed.isValid() && !m_fixed.isEmpty()) return m_fixed;
  QSize natural = QTabBar::tabSizeHint(index);
  const bool across = shape() == QTabBar::RoundedNorth || shape() == QTabBar::RoundedSouth;
  if (across) natural.setWidth(std::min(natural.width(), WidestTab()));
  return natural;
}

int StdTabBar::WidestTab() const {
  // Every tab stays on the strip: when their captions are too long for it, the longest
  // are cut to one width (their captions end in an ellipsis) and the short ones stay whole.
  std::vector<int> widths;
  int total = 0;
  for (int i = 0; i < count(); ++i) {
    widths.push_back(QTabBar::tabSizeHint(i).width());
    total += widths.back();
  }
  int room = width();
  if (room <= 0 || total <= room) return std::numeric_limits<int>::max();
  std::sort(widths.begin(), widths.end());
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const int share = room / static_cast<int>(widths.size() - i);
    if (widths[i] > share) return std::max(share, kShortestTab);
    room -= widths[i];
  }
  return std::numeric_limits<int>::max();
}

QSize StdTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

StdTabWidget::StdTabWidget(QWidget* parent, DWORD style)
    : QWidget(parent), m_bar(new StdTabBar(this)) {
  m_bar->setDrawBase(false);
  m_bar->setExpanding(false);
  m_bar->setUsesScrollButtons(true);
  m_bar->setElideMode(Qt::ElideRight);
  m_bar->setShape(ShapeOf(style));
  m_bar->installEventFilter(this);
  connect(m_bar, &QTabBar::currentChanged, this, [this](int) {
    if (!m_byUser) return;
    m_byUser = false;
    NMHDR header;
    header.code = TCN_SELCHANGE;
    AfxSendNotify(this, header);
  });
}

bool StdTabWidget::Vertical() const {
  return m_bar->shape() == QTabBar::RoundedWest || m_bar->shape() == QTabBar::RoundedEast;
}

int StdTabWidget::StripThickness() const {
  if (m_bar->count() == 0) return 0;
  return Vertical() ? m_bar->sizeHint().width() : m_bar->sizeHint().height();
}

QMargins StdTabWidget::StripMargins() const {
  const int strip = StripThickness();
  switch (m_bar->shape()) {
    case QTabBar::RoundedSouth:
      return QMargins(0, 0, 0, strip);
    case QTabBar::RoundedWest:
      return QMargins(strip, 0, 0, 0);
    case QTabBar::RoundedEast:
      return QMargins(0, 0, strip, 0);
    default:
      return QMargins(0, strip, 0, 0);
  }
}

void StdTabWidget::Relayout() {
  const QSize hint = m_bar->sizeHint();
  if (Vertical()) {
    const bool right = m_bar->shape() == QTabBar::RoundedEast;
    m_bar->setGeometry(right ? width() - hint.width() : 0, 0, hint.width(), height());
  } else {
    const bool bottom = m_bar->shape() == QTabBar::RoundedSouth;
    m_bar->setGeometry(0, bottom ? height() - hint.height() : 0, width(), hint.height());
  }
  update();
}

QRect StdTabWidget::AdjustRect(bool larger, const QRect& outer) const {
  const QMargins margins = StripMargins() + QMargins(kFrame, kFrame, kFrame, kFrame);
  return larger ? outer.marginsAdded(margins) : outer.marginsRemoved(margins);
}

void StdTabWidget::SetCurrentByCode(int index) {
  m_byUser = false;
  m_bar->setCurrentIndex(index);
}

void StdTabWidget::RequestUserSelect(int index) {
  if (index < 0 || index >= m_bar->count() || index == m_bar->currentIndex()) return;
  NMHDR header;
  header.code = TCN_SELCHANGING;
  if (AfxSendNotify(this, header) != 0) return;  // the owner keeps the current tab
  m_byUser = true;
  m_bar->setCurrentIndex(index);
  m_byUser = false;
}

bool StdTabWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_bar) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      // A disabled control takes no input; Qt drops the event after the filters.
      if (!m_bar->isEnabled()) return false;
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      RequestUserSelect(m_bar->tabAt(mouse->position().toPoint()));
      return true;
    }
    case QEvent::KeyPress: {
      if (!m_bar->isEnabled()) return false;
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Left || key == Qt::Key_Right) {
        RequestUserSelect(m_bar->currentIndex() + (key == Qt::Key_Left ? -1 : 1));
        return true;
      }
      return false;
    }
    case QEvent::Wheel:
      return true;  // the wheel does not flip tabs
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      // The strip holds the focus for the control: its owner hears of it.
      if (CWnd* wnd = CWnd::FromHandle(this)) {
        wnd->SendMessage(event->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS);
      }
      return false;
    default:
      return false;
  }
}

void StdTabWidget::resizeEvent(QResizeEvent*) { Relayout(); }

void StdTabWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = rect().marginsRemoved(StripMargins());
  frame.shape = m_bar->shape();
  frame.tabBarSize = m_bar->size();
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

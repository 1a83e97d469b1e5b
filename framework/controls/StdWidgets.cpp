#include "framework/controls/StdWidgets.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QStyleOptionTabWidgetFrame>

#include "framework/CWnd.h"
#include "framework/ControlFactory.h"
#include "framework/WindowProps.h"
#include "framework/controls/CComboBox.h"
#include "framework/controls/CStdControl.h"
#include "framework/controls/StdTreeWidget.h"

namespace {
constexpr int kFrame = 2;  // the display area's border
}

void StdComboBox::showPopup() {
  if (auto* owner = dynamic_cast<CComboBox*>(CWnd::FromHandlePermanent(this))) owner->OnDropDown();
  AfxSendCommandNotify(this, CBN_DROPDOWN);
  view()->setMinimumWidth(DroppedWidth());
  QComboBox::showPopup();
}

void StdComboBox::hidePopup() {
  QComboBox::hidePopup();
  AfxSendCommandNotify(this, CBN_CLOSEUP);
}

void StdTabBar::SetFixedTabSize(QSize size) {
  m_fixed = size;
  updateGeometry();
  adjustSize();
  update();
}

QSize StdTabBar::tabSizeHint(int index) const {
  return m_fixed.isValid() && !m_fixed.isEmpty() ? m_fixed : QTabBar::tabSizeHint(index);
}

QSize StdTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

StdTabWidget::StdTabWidget(QWidget* parent, DWORD style)
    : QWidget(parent), m_bar(new StdTabBar(this)), m_bottom((style & TCS_BOTTOM) != 0) {
  m_bar->setDrawBase(false);
  m_bar->setExpanding(false);
  m_bar->setUsesScrollButtons(true);
  if (m_bottom) m_bar->setShape(QTabBar::RoundedSouth);
  m_bar->installEventFilter(this);
  connect(m_bar, &QTabBar::currentChanged, this, [this](int) {
    if (!m_byUser) return;
    m_byUser = false;
    NMHDR header;
    header.code = TCN_SELCHANGE;
    AfxSendNotify(this, header);
  });
}

int StdTabWidget::StripHeight() const {
  return m_bar->count() > 0 ? m_bar->sizeHint().height() : 0;
}

void StdTabWidget::Relayout() {
  const int h = std::max(StripHeight(), m_bar->sizeHint().height());
  m_bar->setGeometry(0, m_bottom ? height() - h : 0, width(), h);
  update();
}

QRect StdTabWidget::AdjustRect(bool larger, const QRect& outer) const {
  const int strip = StripHeight();
  const QMargins margins(kFrame, kFrame + (m_bottom ? 0 : strip), kFrame,
                         kFrame + (m_bottom ? strip : 0));
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
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      RequestUserSelect(m_bar->tabAt(mouse->position().toPoint()));
      return true;
    }
    case QEvent::KeyPress: {
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
  frame.rect = AdjustRect(true, AdjustRect(false, rect()));
  frame.rect.setTop(m_bottom ? 0 : StripHeight());
  frame.rect.setBottom(m_bottom ? height() - StripHeight() - 1 : height() - 1);
  frame.shape = m_bar->shape();
  frame.tabBarSize = m_bar->size();
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

namespace {

QWidget* MakeListBox(const DialogItem& item, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setUniformItemSizes((item.style & LBS_OWNERDRAWVARIABLE) == 0);
  QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list] {
    if (wndprops::Style(list) & LBS_NOTIFY) AfxSendCommandNotify(list, LBN_SELCHANGE);
  });
  QObject::connect(list, &QListWidget::itemDoubleClicked, list, [list] {
    if (wndprops::Style(list) & LBS_NOTIFY) AfxSendCommandNotify(list, LBN_DBLCLK);
  });
  return list;
}

QWidget* MakeComboBox(const DialogItem& item, QWidget* parent) {
  auto* combo = new StdComboBox(parent);
  combo->setEditable((item.style & CBS_TYPEMASK) != CBS_DROPDOWNLIST);
  combo->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                   [combo] { AfxSendCommandNotify(combo, CBN_SELCHANGE); });
  if (combo->isEditable()) {
    QObject::connect(combo, &QComboBox::editTextChanged, combo,
                     [combo] { AfxSendCommandNotify(combo, CBN_EDITCHANGE); });
  }
  return combo;
}

QWidget* MakeTree(const DialogItem& item, QWidget* parent) {
  return new StdTreeWidget(parent, static_cast<DWORD>(item.style));
}

QWidget* MakeTab(const DialogItem& item, QWidget* parent) {
  return new StdTabWidget(parent, static_cast<DWORD>(item.style));
}

QWidget* MakeProgress(const DialogItem& item, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  bar->setRange(0, 100);
  bar->setValue(0);
  if (item.style & PBS_VERTICAL) bar->setOrientation(Qt::Vertical);
  return bar;
}

// Makers live as long as the framework library is loaded.
[[maybe_unused]] const bool g_registered = (AfxRegisterStandardControls(), true);

}  // namespace

void AfxRegisterStandardControls() {
  AfxRegisterControlClass("LISTBOX", MakeListBox);
  AfxRegisterControlClass("COMBOBOX", MakeComboBox);
  AfxRegisterControlClass("SysTreeView32", MakeTree);
  AfxRegisterControlClass("SysTabControl32", MakeTab);
  AfxRegisterControlClass("msctls_progress32", MakeProgress);
}

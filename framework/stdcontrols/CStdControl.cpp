#include "framework/stdcontrols/CStdControl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPaintEvent>
#include <QPainter>
#include <QSet>
#include <QWidget>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/EntryDelegate.h"

namespace {

// Hands the widget's paint events to the control while owner painting is on.
class OwnerPaintFilter : public QObject {
 public:
  OwnerPaintFilter(QWidget* widget, std::function<BOOL(QPainter&, const CRect&)> paint)
      : m_widget(widget), m_paint(std::move(paint)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_widget || event->type() != QEvent::Paint) return false;
    const QRect r = static_cast<QPaintEvent*>(event)->rect();
    QPainter painter(m_widget);
    return m_paint(painter, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1)) != FALSE;
  }

 private:
  QWidget* m_widget;
  std::function<BOOL(QPainter&, const CRect&)> m_paint;
};

}  // namespace

const CRuntimeClass CStdControl::classCStdControl{"CStdControl", &CWnd::classCWnd, nullptr};
const CRuntimeClass* CStdControl::GetRuntimeClass() const { return &classCStdControl; }

CStdControl::CStdControl() = default;
CStdControl::~CStdControl() {
  // The widget may outlive this object: its entries go back to plain drawing.
  if (auto* delegate = static_cast<EntryDelegate*>(m_entryDelegate.data())) {
    delegate->SetOwner(nullptr, nullptr);
  }
}

QWidget* CStdControl::MakeControlWidget(const char* windowClass, const CREATESTRUCT& cs,
                                        QWidget* parent) {
  if (parent == nullptr) return nullptr;  // controls live inside a window
  DialogResource tmpl;
  DialogItem item;
  item.windowClass = windowClass;
  item.text = cs.lpszName != nullptr ? cs.lpszName : "";
  item.id = static_cast<int>(cs.hMenu);
  item.style = cs.style;
  item.exStyle = cs.dwExStyle;
  tmpl.items.push_back(item);
  const QList<QWidget*> before = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  const QSet<QWidget*> known(before.begin(), before.end());
  AfxCreateDialogControls(parent, tmpl);
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!known.contains(child)) return child;
  }
  return nullptr;
}

void CStdControl::EnableOwnerPaint(bool enable) {
  QWidget* widget = GetSafeHwnd();
  m_paintFilter.reset();
  if (!enable || widget == nullptr) return;
  m_paintFilter =
      std::make_unique<OwnerPaintFilter>(widget, [this](QPainter& painter, const CRect& dirty) {
        const AfxModuleContextGuard context = EnterModuleContext();
        return OnOwnerPaint(painter, dirty);
      });
  widget->installEventFilter(m_paintFilter.get());
  widget->update();
}

BOOL CStdControl::OnOwnerPaint(QPainter&, const CRect&) { return FALSE; }

QAbstractItemView* CStdControl::EntryView() const {
  if (auto* view = As<QAbstractItemView>()) return view;
  if (auto* combo = As<QComboBox>()) return combo->view();
  return nullptr;
}

void CStdControl::EnableOwnerDrawItems(bool enable) {
  QAbstractItemView* view = EntryView();
  if (view == nullptr) return;
  EntryDelegate* delegate = EntryDelegate::Of(view, GetSafeHwnd());
  if (enable) {
    delegate->SetOwner(
        [this](QPainter& painter, const QStyleOptionViewItem& option, int index) {
          const AfxModuleContextGuard context = EnterModuleContext();
          return OnOwnerPaintItem(painter, option, index) != FALSE;
        },
        [this](int index, int width) {
          const AfxModuleContextGuard context = EnterModuleContext();
          return OnOwnerMeasureItem(index, width);
        });
    m_entryDelegate = delegate;
  } else {
    delegate->SetOwner(nullptr, nullptr);
    m_entryDelegate = nullptr;
  }
  view->doItemsLayout();
  view->viewport()->update();
}

BOOL CStdControl::OnOwnerPaintItem(QPainter&, const QStyleOptionViewItem&, int) { return FALSE; }

int CStdControl::OnOwnerMeasureItem(int, int) { return 0; }

#include "framework/ownerdraw/OwnerDrawItems.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <vector>

#include "framework/gdi/CDC.h"
#include "framework/stdcontrols/ControlTypes.h"
#include "framework/stdcontrols/EntryDelegate.h"
#include "framework/windows/CWnd.h"
#include "framework/windows/WindowProps.h"

void COwnerDrawItems::DrawItem(LPDRAWITEMSTRUCT) {}

void COwnerDrawItems::MeasureItem(LPMEASUREITEMSTRUCT) {}

namespace {

// Offers `request` to the control's owner; what the owner leaves unanswered (result 0)
// goes back to the control's own object, as a reflected request. True when someone
// implementing the request was found.
bool SendOrReflect(QWidget* control, UINT message, void* request) {
  CWnd* wnd = CWnd::FromHandle(control);
  CWnd* owner = wnd != nullptr ? wnd->GetParent() : nullptr;
  const auto id = static_cast<WPARAM>(wndprops::Id(control));
  if (owner != nullptr && owner->SendMessage(message, id, reinterpret_cast<LPARAM>(request)) != 0) {
    return true;
  }
  CWnd* permanent = CWnd::FromHandlePermanent(control);
  auto* self = dynamic_cast<COwnerDrawItems*>(permanent);
  if (self == nullptr) return false;
  const AfxModuleContextGuard context = permanent->EnterModuleContext();
  if (message == WM_DRAWITEM) {
    self->DrawItem(static_cast<LPDRAWITEMSTRUCT>(request));
  } else {
    self->MeasureItem(static_cast<LPMEASUREITEMSTRUCT>(request));
  }
  return true;
}

ULONG_PTR EntryData(const QAbstractItemModel* model, int row) {
  return static_cast<ULONG_PTR>(model->index(row, 0).data(Qt::UserRole).toULongLong());
}

// Keeps the owner-draw state of one control; a child of the control's widget, so it
// goes with it.
class OwnerDrawRouter : public QObject {
 public:
  OwnerDrawRouter(QWidget* control, QAbstractItemView* view, UINT type, bool variable)
      : QObject(control), m_control(control), m_view(view), m_type(type), m_variable(variable) {
    setObjectName(QStringLiteral("tm_owner_draw"));
    // Measured heights follow their rows; a change of order measures afresh.
    QAbstractItemModel* model = view->model();
    auto forgetAll = [this] { m_heights.clear(); };
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, forgetAll);
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, forgetAll);
    connect(model, &QAbstractItemModel::rowsAboutToBeMoved, this, forgetAll);
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { Shift(first, last, true); });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { Shift(first, last, false); });
  }

  bool PaintEntry(QPainter& painter, const QStyleOptionViewItem& option, int row) {
    DRAWITEMSTRUCT request;
    request.CtlType = m_type;
    request.CtlID = static_cast<UINT>(wndprops::Id(m_control));
    request.itemID = static_cast<UINT>(row);
    request.itemAction = ODA_DRAWENTIRE;
    if (option.state & QStyle::State_Selected) request.itemState |= ODS_SELECTED;
    if (option.state & QStyle::State_HasFocus) request.itemState |= ODS_FOCUS;
    if (!(option.state & QStyle::State_Enabled) || !m_control->isEnabled()) {
      request.itemState |= ODS_DISABLED;
    }
    request.hwndItem = m_control;
    QRect r = option.rect;
    // A list box line spans the list's width, whatever width the view gave the entry.
    if (m_type == ODT_LISTBOX) r.setRight(std::max(r.left(), m_view->viewport()->width()) - 1);
    request.rcItem = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    request.itemData = EntryData(m_view->model(), row);
    CDC dc(&painter);
    request.hDC = &dc;
    return SendOrReflect(m_control, WM_DRAWITEM, &request);
  }

  // Fixed heights come from the control's entry height, not from a request.
  int MeasureEntry(int row) {
    if (!m_variable || row < 0) return 0;
    const auto at = static_cast<size_t>(row);
    if (at < m_heights.size() && m_heights[at] != kUnmeasured) return m_heights[at];
    MEASUREITEMSTRUCT request;
    request.CtlType = m_type;
    request.CtlID = static_cast<UINT>(wndprops::Id(m_control));
    request.itemID = static_cast<UINT>(row);
    request.itemWidth = static_cast<UINT>(std::max(0, m_view->viewport()->width()));
    request.itemHeight = static_cast<UINT>(m_view->fontMetrics().height());
    request.itemData = EntryData(m_view->model(), row);
    if (!SendOrReflect(m_control, WM_MEASUREITEM, &request)) return 0;
    const int height = static_cast<int>(std::min<UINT>(request.itemHeight, 0x7FFF));
    if (at >= m_heights.size()) m_heights.resize(at + 1, kUnmeasured);
    m_heights[at] = height;
    return height;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_control) return false;
    if (event->type() == QEvent::ApplicationPaletteChange ||
        event->type() == QEvent::PaletteChange) {
      if (CWnd* wnd = CWnd::FromHandlePermanent(m_control)) {
        wnd->SendMessage(ownerdraw::kSysColorChange);
      }
      return false;
    }
    auto* combo = qobject_cast<QComboBox*>(m_control.data());
    if (combo == nullptr || event->type() != QEvent::Paint) return false;
    QPainter painter(combo);
    AfxPaintOwnerDrawnCombo(combo, painter);
    return true;
  }

 private:
  static constexpr int kUnmeasured = -1;

  // Rows first..last came in (unmeasured) or are about to go; the rows behind move along.
  void Shift(int first, int last, bool inserted) {
    const auto from = static_cast<size_t>(std::max(first, 0));
    if (from >= m_heights.size()) return;
    const auto count = static_cast<size_t>(std::max(last - first + 1, 0));
    if (inserted) {
      m_heights.insert(m_heights.begin() + static_cast<std::ptrdiff_t>(from), count, kUnmeasured);
    } else {
      const size_t to = std::min(m_heights.size(), from + count);
      m_heights.erase(m_heights.begin() + static_cast<std::ptrdiff_t>(from),
                      m_heights.begin() + static_cast<std::ptrdiff_t>(to));
    }
  }

  QPointer<QWidget> m_control;
  QAbstractItemView* m_view;
  UINT m_type;
  bool m_variable;
  std::vector<int> m_heights;  // by row
};

OwnerDrawRouter* RouterOf(QWidget* control) {
  return control->findChild<OwnerDrawRouter*>(QStringLiteral("tm_owner_draw"),
                                              Qt::FindDirectChildrenOnly);
}

}  // namespace

bool AfxEnableOwnerDrawItems(QWidget* control, DWORD style) {
  if (control == nullptr) return false;
  auto* combo = qobject_cast<QComboBox*>(control);
  auto* list = qobject_cast<QListWidget*>(control);
  const LONG fixed = combo != nullptr ? CBS_OWNERDRAWFIXED : LBS_OWNERDRAWFIXED;
  const LONG variable = combo != nullptr ? CBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWVARIABLE;
  if ((combo == nullptr && list == nullptr) || (style & (fixed | variable)) == 0) return false;
  if (RouterOf(control) != nullptr) return true;

  QAbstractItemView* view = combo != nullptr ? combo->view() : list;
  auto* router = new OwnerDrawRouter(control, view, combo != nullptr ? ODT_COMBOBOX : ODT_LISTBOX,
                                     (style & variable) != 0);
  if (list != nullptr) {
    list->setUniformItemSizes((style & variable) == 0);
    // Lines wrap or clip at the list's edge, so only an explicit style scrolls sideways.
    if ((style & WS_HSCROLL) == 0) list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  const QPointer<OwnerDrawRouter> guard(router);
  EntryDelegate::Of(view, control)
      ->SetOwner(
          [guard](QPainter& painter, const QStyleOptionViewItem& option, int row) {
            return guard != nullptr && guard->PaintEntry(painter, option, row);
          },
          [guard](int row, int) { return guard != nullptr ? guard->MeasureEntry(row) : 0; });
  control->installEventFilter(router);
  control->update();
  view->doItemsLayout();
  view->viewport()->update();
  return true;
}

void AfxPaintOwnerDrawnCombo(QComboBox* combo, QPainter& painter) {
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = combo->isEditable();
  option.frame = combo->hasFrame();
  option.subControls = QStyle::SC_All;
  if (combo->view()->isVisible()) option.state |= QStyle::State_On;
  combo->style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, combo);

  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, combo);
  const int current = combo->currentIndex();
  DRAWITEMSTRUCT request;
  request.CtlType = ODT_COMBOBOX;
  request.CtlID = static_cast<UINT>(wndprops::Id(combo));
  request.itemID = current >= 0 ? static_cast<UINT>(current) : ODI_NONE;
  request.itemAction = ODA_DRAWENTIRE;
  request.itemState = ODS_COMBOBOXEDIT;
  if (combo->hasFocus()) request.itemState |= ODS_SELECTED | ODS_FOCUS;
  if (!combo->isEnabled()) request.itemState |= ODS_DISABLED;
  request.hwndItem = combo;
  request.rcItem = CRect(field.left(), field.top(), field.right() + 1, field.bottom() + 1);
  request.itemData = current >= 0 ? EntryData(combo->model(), current) : 0;
  bool drawn = false;
  {
    CDC dc(&painter);
    request.hDC = &dc;
    drawn = SendOrReflect(combo, WM_DRAWITEM, &request);
  }
  if (!drawn && current >= 0) {
    painter.drawText(field, Qt::AlignVCenter | Qt::AlignLeft, combo->currentText());
  }
}

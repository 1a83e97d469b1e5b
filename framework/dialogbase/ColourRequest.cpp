#include "framework/dialogbase/ColourRequest.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOptionButton>

#include "framework/gdi/CDC.h"
#include "framework/windows/CWnd.h"

namespace {

UINT RequestOf(const QWidget* widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    return edit->isReadOnly() || !edit->isEnabled() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  }
  if (const auto* edit = qobject_cast<const QPlainTextEdit*>(widget)) {
    return edit->isReadOnly() || !edit->isEnabled() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  }
  if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)) {
    return WM_CTLCOLORSTATIC;
  }
  return WM_CTLCOLORDLG;
}

bool IsEdit(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

// Changes the palette only when it differs: a change repaints, and this runs in a paint.
void SetColour(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
               const QColor& colour) {
  QPalette palette = widget->palette();
  bool changed = false;
  for (QPalette::ColorRole role : roles) {
    if (palette.color(QPalette::Active, role) == colour &&
        palette.color(QPalette::Inactive, role) == colour) {
      continue;
    }
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    changed = true;
  }
  if (changed) widget->setPalette(palette);
}

// Where the widget's text lies, for an opaque background behind it.
QRect TextRect(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    const int flags =
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
    return button->fontMetrics().boundingRect(contents, Qt::AlignLeft | Qt::AlignVCenter,
                                              button->text());
  }
  return {};
}

class ColourRequestFilter : public QObject {
 public:
  explicit ColourRequestFilter(QWidget* widget) : QObject(widget), m_widget(widget) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_widget || event->type() != QEvent::Paint) return false;
    Ask();
    return false;  // the widget paints itself over what was filled
  }

 private:
  void Ask() {
    CWnd* wnd = CWnd::FromHandle(m_widget);
    const UINT request = RequestOf(m_widget);
    CWnd* answering = request == WM_CTLCOLORDLG ? wnd : (wnd ? wnd->GetParent() : nullptr);
    if (answering == nullptr) return;
    CDC dc;
    const LRESULT answer = answering->SendMessage(request, reinterpret_cast<WPARAM>(&dc),
                                                  reinterpret_cast<LPARAM>(m_widget));
    const auto* brush = reinterpret_cast<const CBrush*>(answer);
    if (brush == nullptr) return;
    const QColor text = ToQColor(dc.GetTextColor());
    if (IsEdit(m_widget)) {
      SetColour(m_widget, {QPalette::Text}, text);
      if (!brush->IsNull()) SetColour(m_widget, {QPalette::Base}, ToQColor(brush->GetColor()));
      return;
    }
    SetColour(m_widget, {QPalette::WindowText, QPalette::ButtonText}, text);
    QPainter painter(m_widget);
    if (!brush->IsNull()) painter.fillRect(m_widget->rect(), ToQColor(brush->GetColor()));
    if (dc.GetBkMode() == OPAQUE) {
      painter.fillRect(TextRect(m_widget), ToQColor(dc.GetBkColor()));
    }
  }

  QWidget* m_widget;
};

}  // namespace

void AfxEnableColourRequests(QWidget* widget) {
  if (widget == nullptr) return;
  widget->installEventFilter(new ColourRequestFilter(widget));
}

LRESULT AfxDefaultColourAnswer(UINT message, CDC* dc) {
  const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  const int background = field ? COLOR_WINDOW : COLOR_3DFACE;
  if (dc != nullptr) {
    dc->SetTextColor(GetSysColor(message == WM_CTLCOLORBTN ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
    dc->SetBkColor(GetSysColor(background));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

#include "framework/windows/CaptionFit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QWidget>

#include "framework/stdcontrols/ControlTypes.h"
#include "framework/windows/WindowProps.h"

namespace {

constexpr char kEllipsis[] = "...";

// The room a caption has on `control`: a check box's or radio button's beside its mark.
QRect CaptionRoom(const QWidget* control) {
  if (const auto* button = qobject_cast<const QCheckBox*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
  }
  return control->rect();
}

bool Fits(const QWidget* control, const std::string& caption) {
  const QFontMetrics metrics(control->font());
  const QRect room = CaptionRoom(control);
  const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
  const bool wraps = (wndprops::Style(control) & BS_MULTILINE) != 0;
  const int flags = Qt::TextShowMnemonic | (wraps ? Qt::TextWordWrap : Qt::TextSingleLine);
  const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
  return needed.width() <= room.width() && (!wraps || needed.height() <= room.height());
}

}  // namespace

std::string EscapeAccessMarks(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    escaped += c;
    if (c == '&') escaped += '&';
  }
  return escaped;
}

std::string FitNameInCaption(HWND control, const std::string& name,
                             const std::function<std::string(const std::string&)>& caption) {
  if (control == nullptr || Fits(control, caption(name))) return name;
  const QString whole = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  auto shortened = [&whole](qsizetype length) {
    // Never between the two halves of a character outside the basic plane.
    if (length > 0 && whole[length - 1].isHighSurrogate()) --length;
    return whole.left(length).toStdString() + kEllipsis;
  };
  // The longest start that fits, by halving: a longer start never fits where a shorter
  // one does not.
  qsizetype low = 0;
  qsizetype high = whole.size() - 1;
  while (low < high) {
    const qsizetype middle = (low + high + 1) / 2;
    if (Fits(control, caption(shortened(middle)))) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return shortened(low);
}

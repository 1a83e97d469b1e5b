#include "framework/windows/WidgetText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "framework/messages/WinMessages.h"
#include "framework/windows/WindowProps.h"

namespace {

QString FromBytes(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }
std::string ToBytes(const QString& text) { return text.toUtf8().toStdString(); }

constexpr const char* kGivenText = "tm_text";

QString WithoutAccessMarks(const QString& in) {
  QString out;
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] != u'&') {
      out += in[i];
    } else if (i + 1 < in.size()) {
      out += in[++i];  // "&&" is one ampersand; "&x" is x
    }
  }
  return out;
}

}  // namespace

std::string GetWidgetText(const QWidget* w) {
  if (w == nullptr) return {};
  if (auto* edit = qobject_cast<const QLineEdit*>(w)) return ToBytes(edit->text());
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(w)) return ToBytes(plain->toPlainText());
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return ToBytes(button->text());
  if (auto* label = qobject_cast<const QLabel*>(w)) {
    const QVariant given = label->property(kGivenText);
    return ToBytes(given.isValid() ? given.toString() : label->text());
  }
  if (auto* group = qobject_cast<const QGroupBox*>(w)) return ToBytes(group->title());
  if (auto* combo = qobject_cast<const QComboBox*>(w)) return ToBytes(combo->currentText());
  if (auto* sub = qobject_cast<const QMdiSubWindow*>(w->parentWidget())) {
    return ToBytes(sub->windowTitle());
  }
  return ToBytes(w->windowTitle());
}

void SetWidgetText(QWidget* w, const std::string& bytes) {
  if (w == nullptr) return;
  const QString text = FromBytes(bytes);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    edit->setText(text);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    plain->setPlainText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    SetStaticText(label, bytes, (wndprops::Style(label) & SS_NOPREFIX) != 0);
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(w); combo != nullptr && combo->isEditable()) {
    combo->setEditText(text);
  } else {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->setWindowTitle(text);
    w->setWindowTitle(text);
  }
}

void SetStaticText(QLabel* label, const std::string& bytes, bool noPrefix) {
  const QString text = FromBytes(bytes);
  label->setTextFormat(Qt::PlainText);
  label->setProperty(kGivenText, text);
  label->setText(noPrefix ? text : WithoutAccessMarks(text));
}

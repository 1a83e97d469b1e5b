#include "framework/stdcontrols/CEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QValidator>
#include <algorithm>

namespace {
// What an edit holds when nobody set a limit.
constexpr int kNoLimit = 0x7FFFFFFE;

qsizetype Utf8Length(QStringView text) {
  qsizetype bytes = 0;
  for (const char32_t c : text.toUcs4())
    bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  return bytes;
}

// Text is handed on as UTF-8 bytes, so the limit counts bytes, as an 8-bit edit's does,
// and never keeps part of a character. What does not fit is dropped from just before
// the caret, where the text that was typed or pasted ends.
class ByteLimit : public QValidator {
 public:
  ByteLimit(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
  int Limit() const { return m_limit; }

  State validate(QString& input, int& pos) const override {
    qsizetype excess = Utf8Length(input) - m_limit;
    while (excess > 0 && !input.isEmpty()) {
      int end = pos > 0 ? pos : static_cast<int>(input.size());
      const int start =
          end >= 2 && input[end - 1].isLowSurrogate() && input[end - 2].isHighSurrogate() ? end - 2
                                                                                          : end - 1;
      excess -= Utf8Length(QStringView(input).mid(start, end - start));
      input.remove(start, end - start);
      if (pos > 0) pos = start;
    }
    return Acceptable;
  }

 private:
  int m_limit;
};
}  // namespace

const CRuntimeClass CEdit::classCEdit{"CEdit", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CEdit::GetRuntimeClass() const { return &classCEdit; }

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("EDIT", "", dwStyle, rect, pParentWnd, nID);
}

QWidget* CEdit::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("EDIT", cs, parent);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
  if (auto* line = As<QLineEdit>()) {
    const int length = static_cast<int>(line->text().size());
    if (nStartChar < 0) {
      line->deselect();
      return;
    }
    const int start = std::min(nStartChar, length);
    const int end = nEndChar < 0 ? length : std::min(nEndChar, length);
    // The caret goes to the end given last, as a drag from start to end leaves it.
    line->setSelection(start, end - start);
  } else if (auto* text = As<QPlainTextEdit>()) {
    QTextCursor cursor = text->textCursor();
    const int length = static_cast<int>(text->toPlainText().size());
    if (nStartChar < 0) {
      cursor.clearSelection();
    } else {
      cursor.setPosition(std::min(nStartChar, length));
      cursor.setPosition(nEndChar < 0 ? length : std::min(nEndChar, length),
                         QTextCursor::KeepAnchor);
    }
    text->setTextCursor(cursor);
  }
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  nStartChar = nEndChar = 0;
  if (auto* line = As<QLineEdit>()) {
    if (line->hasSelectedText()) {
      nStartChar = line->selectionStart();
      nEndChar = line->selectionEnd();
    } else {
      nStartChar = nEndChar = line->cursorPosition();
    }
  } else if (auto* text = As<QPlainTextEdit>()) {
    const QTextCursor cursor = text->textCursor();
    nStartChar = cursor.selectionStart();
    nEndChar = cursor.selectionEnd();
  }
}

DWORD CEdit::GetSel() const {
  int start = 0;
  int end = 0;
  GetSel(start, end);
  return static_cast<DWORD>(MAKELPARAM(static_cast<unsigned>(start), static_cast<unsigned>(end)));
}

void CEdit::ReplaceSel(const char* lpszNewText, BOOL) {
  const QString text = QString::fromUtf8(lpszNewText != nullptr ? lpszNewText : "");
  if (auto* line = As<QLineEdit>()) {
    line->insert(text);
  } else if (auto* edit = As<QPlainTextEdit>()) {
    edit->insertPlainText(text);
  }
}

void CEdit::LimitText(int nBytes) {
  auto* line = As<QLineEdit>();
  if (line == nullptr) return;
  const auto* old = dynamic_cast<const ByteLimit*>(line->validator());
  line->setValidator(nBytes > 0 ? new ByteLimit(nBytes, line) : nullptr);
  delete old;
}

UINT CEdit::GetLimitText() const {
  const auto* line = As<QLineEdit>();
  const auto* limit = line != nullptr ? dynamic_cast<const ByteLimit*>(line->validator()) : nullptr;
  return static_cast<UINT>(limit != nullptr ? limit->Limit() : kNoLimit);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
  if (auto* line = As<QLineEdit>()) {
    line->setReadOnly(bReadOnly != FALSE);
  } else if (auto* text = As<QPlainTextEdit>()) {
    text->setReadOnly(bReadOnly != FALSE);
  } else {
    return FALSE;
  }
  ModifyStyle(bReadOnly ? 0 : ES_READONLY, bReadOnly ? ES_READONLY : 0);
  return TRUE;
}

void CEdit::Clear() {
  if (auto* line = As<QLineEdit>()) line->del();
  if (auto* text = As<QPlainTextEdit>()) text->textCursor().removeSelectedText();
}

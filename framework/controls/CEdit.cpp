#include "framework/controls/CEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

namespace {
// What an edit holds when nobody set a limit.
constexpr int kNoLimit = 0x7FFFFFFE;
constexpr int kQtMaxLength = 32767;  // QLineEdit's own default
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

void CEdit::LimitText(int nChars) {
  if (auto* line = As<QLineEdit>()) line->setMaxLength(nChars <= 0 ? kNoLimit : nChars);
}

UINT CEdit::GetLimitText() const {
  auto* line = As<QLineEdit>();
  if (line == nullptr) return static_cast<UINT>(kNoLimit);
  return static_cast<UINT>(line->maxLength() == kQtMaxLength ? kNoLimit : line->maxLength());
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

#include "framework/dialogbase/MessageBox.h"

#include <QMessageBox>
#include <utility>
#include <vector>

#include "framework/app/CWinApp.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/windows/CWnd.h"

namespace {

std::vector<std::pair<QMessageBox::StandardButton, int>> Buttons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    default:
      return {{QMessageBox::Ok, IDOK}};
  }
}

QMessageBox::Icon Icon(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONWARNING:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int ShowOnScreen(CWnd* owner, const std::string& text, const std::string& caption, UINT type) {
  const auto buttons = Buttons(type);
  QMessageBox box(Icon(type), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::NoButton, owner != nullptr ? owner->GetSafeHwnd() : nullptr);
  QMessageBox::StandardButtons all;
  for (const auto& button : buttons) all |= button.first;
  box.setStandardButtons(all);
  const int pressed = box.exec();
  for (const auto& button : buttons) {
    if (pressed == button.first) return button.second;
  }
  // Closed without a button: Cancel where there is one, else the only answer.
  return (all & QMessageBox::Cancel) ? IDCANCEL : buttons.front().second;
}

}  // namespace

int AfxShowMessageBox(CWnd* owner, const char* text, const char* caption, UINT type) {
  std::string title;
  if (caption != nullptr) {
    title = caption;
  } else if (CWinApp* app = AfxGetApp()) {
    title = app->m_pszAppName;
  }
  ModalRequest request(nullptr, text != nullptr ? text : "", title, type);
  if (AfxCallModalHook(request)) {
    return request.AnswerGiven() != 0 ? request.AnswerGiven() : Buttons(type).front().second;
  }
  return ShowOnScreen(owner, request.Text(), title, type);
}

int AfxMessageBox(const char* text, UINT type, UINT) {
  return AfxShowMessageBox(AfxGetMainWnd(), text, nullptr, type);
}

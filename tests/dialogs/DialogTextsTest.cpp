#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <memory>
#include <vector>

#include "DialogsTestSupport.h"
#include "dialogs/MainSettings.h"
#include "dialogs/MoveToDlg.h"
#include "dialogs/NewGroupDlg.h"
#include "dialogs/PreDefGroups.h"
#include "framework/dialogbase/ModalHook.h"

namespace {

// The room a control leaves for its text: a check box loses its box and the gap.
int TextRoom(QWidget* control) {
  if (auto* check = qobject_cast<QCheckBox*>(control)) {
    return check->width() -
           (check->sizeHint().width() - check->fontMetrics().horizontalAdvance(check->text()));
  }
  return control->contentsRect().width();
}

QString TextOf(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  return {};
}

TEST(DialogTexts, EveryLabelAndButtonShowsItsWholeTextOnOneLine) {
  std::vector<std::unique_ptr<CDialog>> dialogs;
  dialogs.push_back(std::make_unique<CMoveToDlg>(GroupMap{}));
  dialogs.push_back(std::make_unique<CNewGroupDlg>(GroupMap{}));
  dialogs.push_back(std::make_unique<CMainSettings>());
  dialogs.push_back(std::make_unique<CPreDefGroups>());
  ModalSession session;
  for (const auto& dialog : dialogs) {
    session.Run(*dialog, [&](ModalRequest& request) {
      for (QWidget* control : request.Dialog()->GetSafeHwnd()->findChildren<QWidget*>()) {
        const QString text = TextOf(control);
        if (text.isEmpty()) continue;
        EXPECT_LE(control->fontMetrics().horizontalAdvance(text), TextRoom(control))
            << request.Caption() << ": " << text.toStdString();
      }
    });
  }
}

}  // namespace

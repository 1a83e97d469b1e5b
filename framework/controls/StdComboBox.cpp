#include "framework/controls/StdComboBox.h"

#include <QAbstractItemView>

#include "framework/CWnd.h"
#include "framework/ControlFactory.h"
#include "framework/controls/CComboBox.h"

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

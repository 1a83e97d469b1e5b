#include "framework/stdcontrols/StdComboBox.h"

#include <QAbstractItemView>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/CComboBox.h"
#include "framework/windows/CWnd.h"

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

// The widget makers of the standard control classes for dialog templates.
#include <QListWidget>
#include <QProgressBar>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/stdcontrols/CStdControl.h"
#include "framework/stdcontrols/StdComboBox.h"
#include "framework/stdcontrols/StdTabWidget.h"
#include "framework/stdcontrols/StdTreeWidget.h"
#include "framework/windows/WindowProps.h"

namespace {

QWidget* MakeListBox(const DialogItem& item, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setUniformItemSizes((item.style & LBS_OWNERDRAWVARIABLE) == 0);
  QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list] {
    if (wndprops::Style(list) & LBS_NOTIFY) AfxSendCommandNotify(list, LBN_SELCHANGE);
  });
  QObject::connect(list, &QListWidget::itemDoubleClicked, list, [list] {
    if (wndprops::Style(list) & LBS_NOTIFY) AfxSendCommandNotify(list, LBN_DBLCLK);
  });
  return list;
}

QWidget* MakeComboBox(const DialogItem& item, QWidget* parent) {
  auto* combo = new StdComboBox(parent);
  combo->setEditable((item.style & CBS_TYPEMASK) != CBS_DROPDOWNLIST);
  combo->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                   [combo] { AfxSendCommandNotify(combo, CBN_SELCHANGE); });
  if (combo->isEditable()) {
    QObject::connect(combo, &QComboBox::editTextChanged, combo,
                     [combo] { AfxSendCommandNotify(combo, CBN_EDITCHANGE); });
  }
  return combo;
}

QWidget* MakeTree(const DialogItem& item, QWidget* parent) {
  return new StdTreeWidget(parent, static_cast<DWORD>(item.style));
}

QWidget* MakeTab(const DialogItem& item, QWidget* parent) {
  return new StdTabWidget(parent, static_cast<DWORD>(item.style));
}

QWidget* MakeProgress(const DialogItem& item, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  bar->setRange(0, 100);
  bar->setValue(0);
  if (item.style & PBS_VERTICAL) bar->setOrientation(Qt::Vertical);
  return bar;
}

// Makers live as long as the framework library is loaded.
[[maybe_unused]] const bool g_registered = (AfxRegisterStandardControls(), true);

}  // namespace

void AfxRegisterStandardControls() {
  AfxRegisterControlClass("LISTBOX", MakeListBox);
  AfxRegisterControlClass("COMBOBOX", MakeComboBox);
  AfxRegisterControlClass("SysTreeView32", MakeTree);
  AfxRegisterControlClass("SysTabControl32", MakeTab);
  AfxRegisterControlClass("msctls_progress32", MakeProgress);
}

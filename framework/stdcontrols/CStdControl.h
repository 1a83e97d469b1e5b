#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "framework/stdcontrols/ControlTypes.h"
#include "framework/windows/CWnd.h"

class QObject;
class QAbstractItemView;
class QPainter;
class QStyleOptionViewItem;

// The common base of the standard controls: a window over one Qt widget that is made
// exactly as a dialog template makes a control of the same window class, so that a
// control from Create and one wrapped from a template (SubclassDlgItem, DDX_Control,
// Attach) behave alike. Every state the control keeps lives on its widget, so any
// wrapper of the widget sees it.
//
// Owner drawing: a subclass that paints the control itself calls EnableOwnerPaint()
// and overrides OnOwnerPaint; returning TRUE there replaces the widget's own painting.
// A list box or combo box that draws its entries calls EnableOwnerDrawItems() and
// overrides OnOwnerPaintItem and OnOwnerMeasureItem.
class CStdControl : public CWnd {
 public:
  static const CRuntimeClass classCStdControl;
  const CRuntimeClass* GetRuntimeClass() const override;

  CStdControl();
  ~CStdControl() override;

 protected:
  // The widget a template would make for a control of `windowClass` with these
  // parameters, or null when there is no parent to put it on.
  static QWidget* MakeControlWidget(const char* windowClass, const CREATESTRUCT& cs,
                                    QWidget* parent);

  // The widget as the Qt type the control works with, or null when it is another one.
  template <class W>
  W* As() const {
    return dynamic_cast<W*>(GetSafeHwnd());
  }

  void EnableOwnerPaint(bool enable = true);
  // Paints the control instead of the widget; `dirty` is the part to repaint.
  virtual BOOL OnOwnerPaint(QPainter& painter, const CRect& dirty);

  void EnableOwnerDrawItems(bool enable = true);
  // Paints entry `nIndex` in option.rect (option.state tells selected, focused and
  // enabled); TRUE when painted.
  virtual BOOL OnOwnerPaintItem(QPainter& painter, const QStyleOptionViewItem& option, int nIndex);
  // The height of entry `nIndex` drawn `nWidth` pixels wide, or 0 for the default.
  virtual int OnOwnerMeasureItem(int nIndex, int nWidth);
  // The list of entries: the list box itself or the combo box's drop-down list.
  QAbstractItemView* EntryView() const;

 private:
  std::unique_ptr<QObject> m_paintFilter;
  QPointer<QObject> m_entryDelegate;  // while it calls this object's hooks
};

// Registers the widget makers of the standard control classes for dialog templates
// (list box, combo box, tree view, tab control, progress bar). Runs when the framework
// library is loaded; calling it again does no harm.
void AfxRegisterStandardControls();

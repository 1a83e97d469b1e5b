#pragma once

#include <QWidget>
#include <memory>

#include "framework/CWnd.h"
#include "framework/controls/ControlTypes.h"

class QObject;
class QPainter;

// The common base of the standard controls: a window over one Qt widget that is made
// exactly as a dialog template makes a control of the same window class, so that a
// control from Create and one wrapped from a template (SubclassDlgItem, DDX_Control,
// Attach) behave alike. Every state the control keeps lives on its widget, so any
// wrapper of the widget sees it.
//
// Owner drawing: a subclass that paints the control itself calls EnableOwnerPaint()
// and overrides OnOwnerPaint; returning TRUE there replaces the widget's own painting.
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

 private:
  std::unique_ptr<QObject> m_paintFilter;
};

// Registers the widget makers of the standard control classes for dialog templates
// (list box, combo box, tree view, tab control, progress bar). Runs when the framework
// library is loaded; calling it again does no harm.
void AfxRegisterStandardControls();

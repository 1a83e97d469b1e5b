#pragma once

#include "framework/gdi/OwnerDraw.h"
#include "framework/stdcontrols/CButton.h"

// A dialog button that draws itself. Subclassing turns the control's type into
// BS_OWNERDRAW but keeps what the dialog manager relies on: the button type it was
// created with, and whether it is the dialog's default button (the one Enter presses).
// Every paint arrives as a draw request in DrawItem.
class COwnerDrawButton : public CButton {
 public:
  static const CRuntimeClass classCOwnerDrawButton;
  const CRuntimeClass* GetRuntimeClass() const override;

  // The type bits the control had when subclassed; a default push button counts as a
  // push button with the default flag on.
  UINT GetCreationType() const { return m_nCreationType; }
  // Whether the button is the default button of its dialog.
  bool IsDefault() const;

  // Draws the button; this base draws a plain push button with its caption.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  void PreSubclassWindow() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnOwnerPaint(QPainter& painter, const CRect& dirty) override;

 private:
  LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode();

  UINT m_nCreationType = BS_PUSHBUTTON;
  bool m_bDefault = false;
};

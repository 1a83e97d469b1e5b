#pragma once

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "framework/dialogbase/ControlFactory.h"
#include "framework/gdi/OwnerDraw.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/stdcontrols/ControlTypes.h"
#include "framework/windows/CWnd.h"

// A shown top-level window that owns the controls under test. It answers the owner-draw
// requests reaching it (TRUE) only when told to.
class OwnerWindow : public CWnd {
 public:
  bool answer = false;

  void CreateShown() {
    CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 320), nullptr,
             0);
    QApplication::processEvents();
  }
  // The application list (2030) and group picker (2031) as the main form's template
  // makes them, for the controls to take over by id.
  void MakeFormControls() {
    DialogResource form;
    form.items.push_back({"LISTBOX", "", 2030, 0, 0, 120, 140,
                          WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWVARIABLE |
                              LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT});
    form.items.push_back({"COMBOBOX", "", 2031, 0, 150, 80, 100,
                          WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS});
    AfxCreateDialogControls(GetSafeHwnd(), form);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && answer) return TRUE;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// What the widget shows now, painted through its own paint path.
inline QImage Snapshot(QWidget* widget) {
  QApplication::processEvents();
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int CountPixels(const QImage& image, COLORREF colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += AfxImagePixel(image, x, y) == colour;
  }
  return count;
}

inline QImage SolidPicture(COLORREF colour, int size = 16) {
  QImage picture(size, size, QImage::Format_ARGB32);
  picture.fill(ToQColor(colour));
  return picture;
}

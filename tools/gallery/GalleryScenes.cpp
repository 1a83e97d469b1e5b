#include "tools/gallery/GalleryScenes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "controls/ImageButton.h"
#include "controls/ImageListBox.h"
#include "controls/TabHost.h"
#include "controls/TreeComboBox.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/gdi/Colors.h"
#include "framework/gdi/Icon.h"
#include "framework/stdcontrols/CEdit.h"
#include "framework/stdcontrols/CStatic.h"
#include "res/ResourceIds.h"
#include "tools/gallery/GallerySheet.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kFirstId = 3000;

int NextId() {
  static int id = kFirstId;
  return ++id;
}

// One control of a dialog template, made on `owner` and placed in pixels.
int MakeControl(CWnd& owner, const char* windowClass, const char* text, LONG style,
                const CRect& rect) {
  const int id = NextId();
  DialogResource tmpl;
  DialogItem item;
  item.windowClass = windowClass;
  item.text = text;
  item.id = id;
  item.style = WS_CHILD | WS_VISIBLE | style;
  tmpl.items.push_back(item);
  AfxCreateDialogControls(owner.GetSafeHwnd(), tmpl);
  if (CWnd* control = owner.GetDlgItem(id)) control->MoveWindow(rect);
  return id;
}

QImage Picture(QWidget* widget) {
  QApplication::processEvents();
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// ---- Image buttons ----------------------------------------------------------------------

struct ButtonKind {
  const char* label;
  const char* caption;
  UINT bitmap;  // 0: caption only
  UINT styleFlags;
  UINT imageAlign;
  LONG type;
  CRect rect;
};

enum class ButtonState { Normal, Hover, Pressed, Disabled, Focused };

const ButtonKind kButtonKinds[] = {
    {"Flat, sized to image", "", IDB_REFRESH, CImageButton::kFlat | CImageButton::kSizeToContent, 0,
     BS_PUSHBUTTON, CRect(0, 0, 26, 24)},
    {"Flat, image centred", "", IDB_PREFERENCES, CImageButton::kFlat,
     CImageButton::kAlignHCenter | CImageButton::kAlignVCenter, BS_PUSHBUTTON, CRect(0, 0, 26, 24)},
    {"Not flat", "", IDB_COPY, 0, CImageButton::kAlignHCenter | CImageButton::kAlignVCenter,
     BS_PUSHBUTTON, CRect(0, 0, 32, 28)},
    {"Not flat, default", "", IDB_PASTE, 0,
     CImageButton::kAlignHCenter | CImageButton::kAlignVCenter, BS_DEFPUSHBUTTON,
     CRect(0, 0, 32, 28)},
    {"Caption, image right", "Move", IDB_MOVE, 0,
     CImageButton::kAlignRight | CImageButton::kAlignVCenter, BS_PUSHBUTTON, CRect(0, 0, 80, 28)},
    {"Flat with caption", "Remove", IDB_REMOVE, CImageButton::kFlat, CImageButton::kAlignVCenter,
     BS_PUSHBUTTON, CRect(0, 0, 80, 28)},
};

const std::pair<ButtonState, const char*> kButtonStates[] = {
    {ButtonState::Normal, "normal"},   {ButtonState::Hover, "hover"},
    {ButtonState::Pressed, "pressed"}, {ButtonState::Disabled, "disabled"},
    {ButtonState::Focused, "focused"},
};

QImage ButtonPicture(CWnd& owner, const ButtonKind& kind, ButtonState state) {
  const int id = MakeControl(owner, "BUTTON", kind.caption, kind.type | WS_TABSTOP, kind.rect);
  CImageButton button;
  if (!button.SubclassDlgItem(static_cast<UINT>(id), &owner)) return {};
  if (kind.bitmap != 0 && !button.SetBitmaps(kind.bitmap, kMagenta)) return {};
  button.SetImageAlign(kind.imageAlign);
  button.SetStyleFlags(kind.styleFlags);
  QWidget* widget = button.GetSafeHwnd();
  switch (state) {
    case ButtonState::Hover:
      Mouse(widget, QEvent::MouseMove, Qt::NoButton, {});
      break;
    case ButtonState::Pressed:
      Mouse(widget, QEvent::MouseMove, Qt::NoButton, {});
      Mouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
      break;
    case ButtonState::Disabled:
      button.EnableWindow(FALSE);
      break;
    case ButtonState::Focused:
      button.SetFocus();
      break;
    case ButtonState::Normal:
      break;
  }
  QApplication::processEvents();  // the posted redraw request
  const QImage picture = Picture(widget);
  ReleaseCapture();
  button.DestroyWindow();
  return picture;
}

// ---- Tab host pages ---------------------------------------------------------------------

// A page with a tinted background, so that its place inside the host shows.
class GalleryPage : public CWnd {
 public:
  bool Make(CWnd& owner, const char* title, QColor tint) {
    if (!CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 100, 80), &owner, 0)) return false;
    QWidget* widget = GetSafeHwnd();
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, tint);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return m_label.Create(title, WS_VISIBLE | SS_LEFT, CRect(6, 6, 120, 22), this) &&
           m_edit.Create(WS_VISIBLE | WS_BORDER, CRect(6, 26, 120, 46), this, 100);
  }

 private:
  CStatic m_label;
  CEdit m_edit;
};

QImage TabHostPicture(CWnd& owner, DWORD style, int selected) {
  const int id = NextId();
  CTabHost host;
  if (!host.Create(WS_VISIBLE | style, CRect(0, 0, 260, 170), &owner, static_cast<UINT>(id))) {
    return {};
  }
  const std::pair<const char*, QColor> pages[] = {{"Main", QColor(214, 230, 250)},
                                                  {"Quick Info", QColor(250, 232, 200)}};
  int index = 0;
  for (const auto& [title, tint] : pages) {
    auto page = std::make_unique<GalleryPage>();
    if (!page->Make(owner, title, tint)) return {};
    // The host owns the page from here and deletes it when it is destroyed.
    if (host.AddPage(title, index++, page.get(), 1) < 0) return {};
    page.release();
  }
  host.SetActivePage(selected);
  const QImage picture = Picture(host.GetSafeHwnd());
  host.DestroyWindow();
  return picture;
}

// ---- List box and combo box -------------------------------------------------------------

const char* const kApplications[] = {
    "Terminal",
    "Text editor with a long name that wraps over several lines in this narrow list",
    "Web browser",
    "Mail",
};

QImage ListPicture(CWnd& owner, CImageList& icons, int selected, bool enabled) {
  const int id = MakeControl(owner, "LISTBOX", "",
                             WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT |
                                 LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                             CRect(0, 0, 190, 190));
  CImageListBox list;
  if (!list.SubclassDlgItem(static_cast<UINT>(id), &owner)) return {};
  list.SetItemImageList(&icons);
  int image = 0;
  for (const char* text : kApplications) list.AddItem(text, image++ % 2);
  list.SetCurSel(selected);
  list.EnableWindow(enabled ? TRUE : FALSE);
  const QImage picture = Picture(list.GetSafeHwnd());
  list.DestroyWindow();
  return picture;
}

enum class ComboState { Closed, Selected, Dropped, Disabled };

QImage ComboPicture(CWnd& owner, ComboState state) {
  const int id = MakeControl(owner, "COMBOBOX", "",
                             WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(0, 0, 180, 22));
  CTreeComboBox combo;
  if (!combo.SubclassDlgItem(static_cast<UINT>(id), &owner)) return {};
  combo.AddIcon(AfxLoadIcon(IDI_GROUP));
  const int work = combo.AddItem(CTreeComboBox::kTopLevel, 0, "Work");
  const int customers = combo.AddItem(work, 0, "Customer projects");
  combo.AddItem(customers, 0, "Project Alpha");
  combo.AddItem(work, 0, "Meetings");
  combo.AddItem(CTreeComboBox::kTopLevel, 0, "Private");
  combo.AddItem(CTreeComboBox::kTopLevel, 0, "Other Applications");
  combo.SetCurSel(state == ComboState::Closed ? -1 : 2);
  QImage picture;
  if (state == ComboState::Dropped) {
    combo.ShowDropDown(TRUE);
    QApplication::processEvents();
    auto* widget = qobject_cast<QComboBox*>(combo.GetSafeHwnd());
    if (widget != nullptr && widget->view() != nullptr) {
      picture = Picture(widget->view()->window());
    }
    combo.ShowDropDown(FALSE);
  } else {
    combo.EnableWindow(state == ComboState::Disabled ? FALSE : TRUE);
    picture = Picture(combo.GetSafeHwnd());
  }
  combo.DestroyWindow();
  return picture;
}

bool AllMade(const std::vector<GallerySheet::Row>& rows) {
  for (const GallerySheet::Row& row : rows) {
    for (const GallerySheet::Cell& cell : row.cells) {
      if (cell.picture.isNull()) return false;
    }
  }
  return true;
}

}  // namespace

bool RenderImageButtons(CWnd& owner, GallerySheet& sheet) {
  QApplication::setActiveWindow(owner.GetSafeHwnd());  // so that a button can take the focus
  std::vector<GallerySheet::Row> rows;
  for (const ButtonKind& kind : kButtonKinds) {
    GallerySheet::Row row{kind.label, {}};
    for (const auto& [state, name] : kButtonStates) {
      row.cells.push_back({name, ButtonPicture(owner, kind, state)});
    }
    rows.push_back(std::move(row));
  }
  return AllMade(rows) && sheet.SaveSheet("image-buttons", rows, 3);
}

bool RenderImageListBox(CWnd& owner, GallerySheet& sheet) {
  CImageList icons;
  if (!icons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 1) || icons.AddIcon(IDI_GROUP) < 0 ||
      icons.AddIcon(IDI_APPLICATION_ENTRY) < 0) {
    return false;
  }
  std::vector<GallerySheet::Row> rows{
      {"Application list",
       {{"normal", ListPicture(owner, icons, -1, true)},
        {"selected", ListPicture(owner, icons, 3, true)},
        {"disabled", ListPicture(owner, icons, 3, false)}}},
  };
  return AllMade(rows) && sheet.SaveSheet("image-list-box", rows, 1);
}

bool RenderTreeComboBox(CWnd& owner, GallerySheet& sheet) {
  std::vector<GallerySheet::Row> rows{
      {"Group picker",
       {{"closed", ComboPicture(owner, ComboState::Closed)},
        {"selected", ComboPicture(owner, ComboState::Selected)},
        {"disabled", ComboPicture(owner, ComboState::Disabled)},
        {"dropped", ComboPicture(owner, ComboState::Dropped)}}},
  };
  return AllMade(rows) && sheet.SaveSheet("tree-combo-box", rows, 1);
}

bool RenderTabHosts(CWnd& owner, GallerySheet& sheet) {
  std::vector<GallerySheet::Row> rows{
      {"Tabs across",
       {{"top", TabHostPicture(owner, 0, 0)},
        {"top, second tab", TabHostPicture(owner, 0, 1)},
        {"bottom", TabHostPicture(owner, TCS_BOTTOM, 0)}}},
      {"Tabs beside",
       {{"left", TabHostPicture(owner, TCS_VERTICAL, 0)},
        {"right", TabHostPicture(owner, TCS_VERTICAL | TCS_RIGHT, 0)}}},
  };
  return AllMade(rows) && sheet.SaveSheet("tab-host", rows, 1);
}

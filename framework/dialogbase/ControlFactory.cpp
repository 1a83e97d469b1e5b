#include "framework/dialogbase/ControlFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabBar>
#include <QTreeWidget>

#include "framework/dialogbase/ColourRequest.h"
#include "framework/dialogbase/DialogUnits.h"
#include "framework/gdi/Colors.h"
#include "framework/stdcontrols/ControlTypes.h"
#include "framework/windows/CWnd.h"
#include "framework/windows/WidgetText.h"
#include "framework/windows/WindowProps.h"

namespace {

QString Upper(const std::string& name) { return QString::fromStdString(name).toUpper(); }

// A check box whose caption wraps (BS_MULTILINE): the indicator is the style's, the
// caption is drawn word-wrapped beside it, centred as a block.
class StdCheckBox : public QCheckBox {
 public:
  StdCheckBox(const QString& text, QWidget* parent, bool multiline)
      : QCheckBox(text, parent), m_multiline(multiline) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!m_multiline) {
      QCheckBox::paintEvent(event);
      return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    option.text = caption;
    const QRect room = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    style()->drawItemText(
        &painter, room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
        palette(), isEnabled(), caption, foregroundRole());
  }

 private:
  bool m_multiline;
};

QColor SysColour(int index) { return ToQColor(GetSysColor(index)); }

QWidget* MakeButton(const DialogItem& item, QWidget* parent) {
  const QString text = QString::fromUtf8(item.text != nullptr ? item.text : "");
  QAbstractButton* button = nullptr;
  switch (item.style & BS_TYPEMASK) {
    case BS_GROUPBOX: {
      auto* group = new QGroupBox(text, parent);
      // A group box is a frame behind its neighbours, not their container.
      group->setAttribute(Qt::WA_TransparentForMouseEvents);
      return group;
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      button = new StdCheckBox(text, parent, (item.style & BS_MULTILINE) != 0);
      AfxEnableColourRequests(button);
      break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      button = new QRadioButton(text, parent);
      AfxEnableColourRequests(button);
      break;
    default: {
      auto* push = new QPushButton(text, parent);
      push->setAutoDefault(false);
      push->setDefault((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      button = push;
      break;
    }
  }
  QObject::connect(button, &QAbstractButton::clicked,
                   [button] { AfxSendCommandNotify(button, BN_CLICKED); });
  return button;
}

QWidget* MakeEdit(const DialogItem& item, QWidget* parent) {
  if (item.style & ES_MULTILINE) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly((item.style & ES_READONLY) != 0);
    AfxEnableColourRequests(edit);
    QObject::connect(edit, &QPlainTextEdit::textChanged,
                     [edit] { AfxSendCommandNotify(edit, EN_CHANGE); });
    return edit;
  }
  auto* edit = new QLineEdit(parent);
  edit->setFrame(true);
  if (item.style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
  if (item.style & ES_NUMBER) {
    // Typing and pasting take digits only, with a leading minus: the numbers such a field
    // holds are signed. Text set by the program is not checked.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), edit));
  }
  edit->setReadOnly((item.style & ES_READONLY) != 0);
  AfxEnableColourRequests(edit);
  QObject::connect(edit, &QLineEdit::textChanged,
                   [edit] { AfxSendCommandNotify(edit, EN_CHANGE); });
  return edit;
}

QWidget* MakeStatic(const DialogItem& item, QWidget* parent) {
  switch (item.style & SS_TYPEMASK) {
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: {
      auto* frame = new QFrame(parent);
      const LONG type = item.style & SS_TYPEMASK;
      frame->setFrameShape(type == SS_ETCHEDHORZ   ? QFrame::HLine
                           : type == SS_ETCHEDVERT ? QFrame::VLine
                                                   : QFrame::Box);
      frame->setFrameShadow(QFrame::Sunken);
      return frame;
    }
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
      // Rectangles filled with the system colour of their kind.
      const LONG type = item.style & SS_TYPEMASK;
      auto* rect = new QFrame(parent);
      QPalette palette = rect->palette();
      palette.setColor(QPalette::Window, SysColour(type == SS_BLACKRECT  ? COLOR_WINDOWFRAME
                                                   : type == SS_GRAYRECT ? COLOR_BACKGROUND
                                                                         : COLOR_WINDOW));
      rect->setPalette(palette);
      rect->setAutoFillBackground(true);
      return rect;
    }
    default: {
      auto* label = new QLabel(parent);
      SetStaticText(label, item.text != nullptr ? item.text : "", (item.style & SS_NOPREFIX) != 0);
      AfxEnableColourRequests(label);
      const LONG type = item.style & SS_TYPEMASK;
      label->setAlignment((type == SS_CENTER  ? Qt::AlignHCenter
                           : type == SS_RIGHT ? Qt::AlignRight
                                              : Qt::AlignLeft) |
                          Qt::AlignTop);
      label->setWordWrap(type <= SS_RIGHT);
      return label;
    }
  }
}

// Plain stand-ins until a control library registers the real ones.
QWidget* MakeStandIn(const QString& cls, QWidget* parent) {
  if (cls == "LISTBOX") return new QListWidget(parent);
  if (cls == "COMBOBOX") return new QComboBox(parent);
  if (cls == "SYSTREEVIEW32") return new QTreeWidget(parent);
  if (cls == "SYSTABCONTROL32") return new QTabBar(parent);
  if (cls == "MSCTLS_PROGRESS32") return new QProgressBar(parent);
  return new QWidget(parent);
}

QMap<QString, ControlFactory>& Factories() {
  static QMap<QString, ControlFactory> factories{
      {"BUTTON", MakeButton},
      {"EDIT", MakeEdit},
      {"STATIC", MakeStatic},
  };
  return factories;
}

bool IsDropDownCombo(const DialogItem& item) {
  return Upper(item.windowClass != nullptr ? item.windowClass : "") == "COMBOBOX" &&
         (item.style & CBS_TYPEMASK) != CBS_SIMPLE;
}

QWidget* MakeControl(const DialogItem& item, QWidget* parent) {
  const QString cls = Upper(item.windowClass != nullptr ? item.windowClass : "");
  auto it = Factories().constFind(cls);
  if (it != Factories().constEnd()) {
    if (QWidget* made = (*it)(item, parent)) return made;
  }
  return MakeStandIn(cls, parent);
}

}  // namespace

void AfxRegisterControlClass(const std::string& className, ControlFactory factory) {
  Factories().insert(Upper(className), std::move(factory));
}

void AfxCreateDialogControls(QWidget* parent, const DialogResource& tmpl) {
  const CSize base = TemplateBaseUnits(tmpl.fontSize);
  QList<QWidget*> frames;
  for (const DialogItem& item : tmpl.items) {
    QWidget* control = MakeControl(item, parent);
    wndprops::SetId(control, item.id);
    wndprops::RecordModuleContext(control);
    wndprops::SetStyle(control, static_cast<DWORD>(item.style));
    wndprops::SetExStyle(control, item.exStyle);
    const CRect r = MapDialogRect(base, CRect(item.x, item.y, item.x + item.cx, item.y + item.cy));
    // A drop-down combo box's template height is that of its dropped list; the box
    // itself is one field high.
    const int height = IsDropDownCombo(item) ? control->sizeHint().height() : r.Height();
    control->setGeometry(r.left, r.top, r.Width(), height);
    control->setEnabled((item.style & WS_DISABLED) == 0);
    control->setVisible((item.style & WS_VISIBLE) != 0);
    if (qobject_cast<QGroupBox*>(control) != nullptr) frames.append(control);
  }
  for (QWidget* frame : frames) frame->lower();
}

void AfxSendCommandNotify(QWidget* control, UINT code) {
  CWnd* wnd = CWnd::FromHandle(control);
  CWnd* parent = wnd != nullptr ? wnd->GetParent() : nullptr;
  if (parent == nullptr) return;
  parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<UINT>(wnd->GetDlgCtrlID()), code),
                      reinterpret_cast<LPARAM>(control));
}

LRESULT AfxSendNotify(QWidget* control, NMHDR& header) {
  CWnd* wnd = CWnd::FromHandle(control);
  CWnd* parent = wnd != nullptr ? wnd->GetParent() : nullptr;
  if (parent == nullptr) return 0;
  header.hwndFrom = control;
  header.idFrom = static_cast<UINT_PTR>(wnd->GetDlgCtrlID());
  return parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

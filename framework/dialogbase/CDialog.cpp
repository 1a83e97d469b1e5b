#include "framework/dialogbase/CDialog.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cassert>

#include "framework/app/CWinApp.h"
#include "framework/dialogbase/ColourRequest.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/dialogbase/DialogUnits.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/resources/Resources.h"

namespace {

// The decorations a window manager puts around `window` (none before it is shown).
QMargins FrameMargins(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

// `start` moved as little as needed to keep a span of `length` inside [low, high].
int KeepInside(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length + 1));
}

}  // namespace

const CRuntimeClass CDialog::classCDialog{"CDialog", &CWnd::classCWnd, nullptr};
const CRuntimeClass* CDialog::GetRuntimeClass() const { return &classCDialog; }

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

const MessageMap* CDialog::GetMessageMap() const {
  static const MessageMap map{CWnd::GetMessageMap(),
                              {
                                  msg::Message(WM_INITDIALOG, &CDialog::HandleInitDialog),
                                  msg::Message(DM_GETDEFID, &CDialog::HandleGetDefId),
                                  msg::Message(DM_SETDEFID, &CDialog::HandleSetDefId),
                                  msg::Void(WM_CLOSE, &CDialog::HandleClose),
                                  msg::Command(IDOK, &CDialog::OnOK),
                                  msg::Command(IDCANCEL, &CDialog::OnCancel),
                              }};
  return &map;
}

QWidget* CDialog::CreateWidget(const CREATESTRUCT&, QWidget* parent) {
  auto* widget = m_asChild ? new QWidget(parent) : new QWidget(parent, Qt::Dialog);
  if (!m_asChild) widget->setWindowModality(Qt::ApplicationModal);
  AfxEnableColourRequests(widget);  // a dialog answers for its own background
  return widget;
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool asChild) {
  const DialogResource* tmpl = AfxFindDialog(m_nIDTemplate);
  if (tmpl == nullptr) return FALSE;
  m_asChild = asChild;
  const QFont font = DialogFont(tmpl->fontSize);
  const CSize base = TemplateBaseUnits(tmpl->fontSize);
  m_baseUnits = base;
  CRect rect =
      ::MapDialogRect(base, CRect(tmpl->x, tmpl->y, tmpl->x + tmpl->cx, tmpl->y + tmpl->cy));
  DWORD style = static_cast<DWORD>(tmpl->style) & ~static_cast<DWORD>(WS_VISIBLE);
  style = asChild ? (style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP) : style & ~WS_CHILD;
  if (!CreateEx(0, "#32770", tmpl->caption, style, rect, parent, 0)) return FALSE;
  if (!asChild) PlaceOverOwner(style);
  GetSafeHwnd()->setFont(font);  // the controls take it from their dialog
  AfxCreateDialogControls(GetSafeHwnd(), *tmpl);
  for (const DialogItem& item : tmpl->items) {
    const LONG type = item.style & BS_TYPEMASK;
    if (std::string_view(item.windowClass) == "BUTTON" && type == BS_DEFPUSHBUTTON) {
      m_defId = static_cast<UINT>(item.id);
    }
  }
  if (m_defId == 0 && GetDlgItem(IDOK) != nullptr) m_defId = IDOK;
  SendMessage(WM_INITDIALOG, 0, 0);
  if (GetSafeHwnd() != nullptr && (tmpl->style & WS_VISIBLE) != 0) ShowWindow(SW_SHOW);
  return GetSafeHwnd() != nullptr;
}

void CDialog::PlaceOverOwner(DWORD style) {
  QWidget* dialog = GetSafeHwnd();
  // Only the buttons the template asks for: a dialog is neither minimised nor maximised.
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  if (style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  dialog->setWindowFlags(flags);
  // The controls keep their template places, so the dialog keeps the template's size.
  if ((style & WS_THICKFRAME) == 0) dialog->setFixedSize(dialog->size());

  // Centred over the window it belongs to, framed as that window is, and kept inside
  // the free area of that window's screen.
  const QWidget* owner =
      dialog->parentWidget() != nullptr ? dialog->parentWidget()->window() : nullptr;
  const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QMargins frame = owner != nullptr ? FrameMargins(owner) : QMargins();
  QRect outer(QPoint(), dialog->size().grownBy(frame));
  outer.moveCenter(owner != nullptr && owner->isVisible() ? owner->frameGeometry().center()
                                                          : available.center());
  outer.moveTo(KeepInside(outer.left(), outer.width(), available.left(), available.right()),
               KeepInside(outer.top(), outer.height(), available.top(), available.bottom()));
  dialog->move(outer.topLeft());  // a window's position is that of its frame
}

int CDialog::DoModal() {
  assert(!m_inModal && "DoModal must not be re-entered");
  if (m_inModal) return -1;
  m_inModal = true;
  m_ended = false;
  m_nModalResult = -1;
  CWnd* parent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
  if (!CreateFromTemplate(parent, false)) {
    m_inModal = false;
    return -1;
  }
  if (!m_ended) {
    ShowWindow(SW_SHOW);
    ModalRequest request(this, "", GetWindowText(), 0);
    if (AfxCallModalHook(request)) {
      if (!m_ended) EndDialog(IDCANCEL);  // nobody is there to close it
    } else {
      QEventLoop loop;
      m_loop = &loop;
      loop.exec(QEventLoop::DialogExec);
      m_loop = nullptr;
    }
  }
  const int result = m_nModalResult;
  DestroyWindow();
  m_inModal = false;
  return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDTemplate = nIDTemplate;
  m_pParentWnd = pParentWnd;
  return CreateFromTemplate(pParentWnd, true);
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_ended = true;
  if (m_loop != nullptr) {
    m_loop->quit();
  } else if (!m_inModal) {
    ShowWindow(SW_HIDE);  // a modeless dialog only goes out of sight
  }
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the failing control has the focus; stay open
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT CDialog::HandleGetDefId(WPARAM, LPARAM) {
  return m_defId != 0 ? MAKELPARAM(m_defId, DC_HASDEFID) : 0;
}

LRESULT CDialog::HandleSetDefId(WPARAM wParam, LPARAM) {
  SetDefID(static_cast<UINT>(wParam));
  return TRUE;
}

void CDialog::HandleClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void CDialog::SetDefID(UINT nID) {
  auto mark = [this](UINT id, bool isDefault) {
    if (CWnd* item = GetDlgItem(static_cast<int>(id))) {
      if (auto* push = qobject_cast<QPushButton*>(item->GetSafeHwnd())) push->setDefault(isDefault);
    }
  };
  if (m_defId != 0) mark(m_defId, false);
  m_defId = nID;
  if (m_defId != 0) mark(m_defId, true);
}

DWORD CDialog::GetDefID() const { return m_defId != 0 ? MAKELPARAM(m_defId, DC_HASDEFID) : 0; }

void CDialog::MapDialogRect(RECT* rect) const {
  *rect = ::MapDialogRect(m_baseUnits.cx > 0 ? m_baseUnits : DialogBaseUnits(), *rect);
}

void CDialog::PressDefaultButton() {
  // Enter presses the focused push button, else the default one, else OK.
  UINT id = m_defId != 0 ? m_defId : IDOK;
  if (CWnd* focus = GetFocus()) {
    if (qobject_cast<QPushButton*>(focus->GetSafeHwnd()) != nullptr && focus->GetParent() == this) {
      id = static_cast<UINT>(focus->GetDlgCtrlID());
    }
  }
  CWnd* button = GetDlgItem(static_cast<int>(id));
  if (button != nullptr && !button->IsWindowEnabled()) return;
  SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
              reinterpret_cast<LPARAM>(button != nullptr ? button->GetSafeHwnd() : nullptr));
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  // Dialog keys belong to the top-level dialog; a child dialog (a page) passes them up.
  if (m_asChild || pMsg->message != WM_KEYDOWN) return FALSE;
  if (pMsg->wParam == VK_ESCAPE) {
    CWnd* cancel = GetDlgItem(IDCANCEL);
    if (cancel == nullptr || cancel->IsWindowEnabled()) {
      SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return TRUE;
  }
  if (pMsg->wParam == VK_RETURN) {
    PressDefaultButton();
    return TRUE;
  }
  return FALSE;
}

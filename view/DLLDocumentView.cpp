#include "view/DLLDocumentView.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "accounting/DLLDocument.h"
#include "dialogs/PassDlg.h"
#include "framework/app/CWinApp.h"
#include "framework/app/SystemServices.h"
#include "framework/core/Paths.h"
#include "framework/dialogbase/CDataExchange.h"
#include "framework/gdi/Icon.h"
#include "framework/messages/CCmdUI.h"
#include "framework/ownerdraw/DragImage.h"
#include "framework/resources/Resources.h"
#include "protocol/Messages.h"
#include "res/ResourceIds.h"

TM_IMPLEMENT_DYNCREATE(CDLLDocumentView, CFormView)

namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);

struct ToolButton {
  int id;
  UINT bitmap;
  const char* tooltip;  // null: none
};

// The upper row, the button beside the group picker, then the lower row.
constexpr std::size_t kUpperRowButtons = 6;
constexpr std::array<ToolButton, 15> kToolButtons{{
    {IDC_VIEW_PREDEFGROUPS, IDB_PREDEFINED_GROUPS, "Predefined groups"},
    {IDC_VIEW_PREFERENCES, IDB_PREFERENCES, "Preferences"},
    {IDC_VIEW_REPORTS, IDB_REPORTS, "Reports"},
    {IDC_VIEW_LOCK, IDB_LOCK, "Lock"},
    {IDC_VIEW_UNLOCK, IDB_UNLOCK, "UnLock"},
    {IDC_VIEW_HELP, IDB_HELP, "Help"},
    {IDC_VIEW_GROUP_BUTTON, IDB_GROUP_UP, nullptr},
    {IDC_VIEW_MODE_TO_TREE, IDB_VIEW_AS_TREE, nullptr},
    {IDC_VIEW_MODE_TO_LIST, IDB_VIEW_AS_LIST, "Change view mode"},
    {IDC_VIEW_REFRESH, IDB_REFRESH, "Refresh"},
    {IDC_VIEW_MOVETO, IDB_MOVE, "Move App to..."},
    {IDC_VIEW_COPY, IDB_COPY, "Copy application"},
    {IDC_VIEW_PASTE, IDB_PASTE, "Paste application"},
    {IDC_VIEW_NEWGROUP, IDB_NEW_GROUP, "Create new project/group"},
    {IDC_VIEW_REMOVE, IDB_REMOVE, "Remove"},
}};

// What the lock disables and the unlock enables again ("UnLock" and "Help" go the
// other way).
constexpr int kLockedControls[] = {
    IDC_VIEW_TREE,    IDC_VIEW_APP_LIST,     IDC_VIEW_MODE_TO_LIST, IDC_VIEW_MODE_TO_TREE,
    IDC_VIEW_MOVETO,  IDC_VIEW_COPY,         IDC_VIEW_PASTE,        IDC_VIEW_NEWGROUP,
    IDC_VIEW_REMOVE,  IDC_VIEW_REFRESH,      IDC_VIEW_GROUP_COMBO,  IDC_VIEW_GROUP_BUTTON,
    IDC_VIEW_TABHOST, IDC_VIEW_PREDEFGROUPS, IDC_VIEW_PREFERENCES,  IDC_VIEW_REPORTS,
    IDC_VIEW_LOCK};

// Wrong passwords in this process's life; after three each further one ends the attempt.
int g_failedUnlocks = 0;
constexpr int kUnlockTries = 3;

constexpr char kHelpFileName[] = "TaskMeter.chm";

constexpr int kNarrowestForm = 420;
constexpr int kLowestForm = 320;

// Posted at the initial update, so that a problem found while the document opened is
// told once the host has finished starting, not in the middle of it.
constexpr UINT WM_TELL_FILE_PROBLEMS = WM_APP + 1;

}  // namespace

CDLLDocumentView::CDLLDocumentView() : CFormView(IDD_DLLDOCUMENT_FORM) {}

CDLLDocumentView::~CDLLDocumentView() = default;

const MessageMap* CDLLDocumentView::GetMessageMap() const {
  using V = CDLLDocumentView;
  static const MessageMap map{
      CFormView::GetMessageMap(),
      {
          msg::Create(&V::OnCreate),
          msg::Size(&V::OnSize),
          msg::ContextMenu(&V::OnContextMenu),
          msg::Help(&V::OnHelpInfo),
          msg::Void(WM_DESTROY, &V::OnDestroy),
          msg::Command(ID_CONFIGURE_SETTINGS, &V::OnSettings),
          msg::Command(IDC_VIEW_PREFERENCES, &V::OnSettings),
          msg::Command(ID_CONFIGURE_PREDEFGROUPS, &V::OnPredefinedGroups),
          msg::Command(IDC_VIEW_PREDEFGROUPS, &V::OnPredefinedGroups),
          msg::Command(ID_REPORTS_MAKE, &V::OnReports),
          msg::Command(IDC_VIEW_REPORTS, &V::OnReports),
          msg::Command(ID_CONFIGURE_LOCKUNLOCK, &V::OnLockUnlock),
          msg::Control(BN_CLICKED, IDC_VIEW_LOCK, &V::OnLock),
          msg::Control(BN_CLICKED, IDC_VIEW_UNLOCK, &V::OnUnlock),
          msg::Control(BN_CLICKED, IDC_VIEW_HELP, &V::OnHelp),
          msg::UpdateCommandUI(ID_CONFIGURE_SETTINGS, &V::OnUpdateUnlockedOnly),
          msg::UpdateCommandUI(ID_CONFIGURE_PREDEFGROUPS, &V::OnUpdateUnlockedOnly),
          msg::UpdateCommandUI(ID_REPORTS_MAKE, &V::OnUpdateUnlockedOnly),
          msg::Control(BN_CLICKED, IDC_VIEW_MODE_TO_TREE, &V::OnSwitchViewMode),
          msg::Control(BN_CLICKED, IDC_VIEW_MODE_TO_LIST, &V::OnSwitchViewMode),
          msg::Notify(TVN_SELCHANGED, IDC_VIEW_TREE, &V::OnTreeSelChanged),
          msg::Control(CBN_SELCHANGE, IDC_VIEW_GROUP_COMBO, &V::OnGroupComboSelChange),
          msg::Control(LBN_SELCHANGE, IDC_VIEW_APP_LIST, &V::OnAppListSelChange),
          msg::Notify(NM_RCLICK, IDC_VIEW_TREE, &V::OnTreeRightClick),
          msg::Notify(TVN_KEYDOWN, IDC_VIEW_TREE, &V::OnTreeKeyDown),
          msg::Notify(TVN_BEGINDRAG, IDC_VIEW_TREE, &V::OnTreeBeginDrag),
          msg::Command(ID_POPUP_NEW, &V::OnNewGroup),
          msg::Command(IDC_VIEW_NEWGROUP, &V::OnNewGroup),
          msg::Command(ID_POPUP_DELETE, &V::OnDelete),
          msg::Command(IDC_VIEW_REMOVE, &V::OnDelete),
          msg::Command(ID_POPUP_COPY, &V::OnCopy),
          msg::Command(IDC_VIEW_COPY, &V::OnCopy),
          msg::Command(ID_POPUP_PASTE, &V::OnPaste),
          msg::Command(IDC_VIEW_PASTE, &V::OnPaste),
          msg::Command(ID_POPUP_MOVETO, &V::OnMoveTo),
          msg::Command(IDC_VIEW_MOVETO, &V::OnMoveTo),
          msg::Command(ID_POPUP_RENAME, &V::OnRename),
          msg::Control(BN_CLICKED, IDC_VIEW_REFRESH, &V::OnRefresh),
          msg::Mouse(WM_MOUSEMOVE, &V::OnMouseMove),
          msg::Mouse(WM_LBUTTONUP, &V::OnLButtonUp),
          msg::Timer(&V::OnTimer),
          msg::Message(WM_TELL_FILE_PROBLEMS, &V::OnTellFileProblems),
      }};
  return &map;
}

CDLLDocument* CDLLDocumentView::GetDocument() const {
  CDocument* doc = CFormView::GetDocument();
  if (doc == nullptr || !doc->IsKindOf(&CDLLDocument::classCDLLDocument)) return nullptr;
  return static_cast<CDLLDocument*>(doc);
}

int CDLLDocumentView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFormView::OnCreate(lpCreateStruct) == -1) return -1;
  m_popupMenu.LoadMenu(IDR_TREE_POPUP);
  // The document's load, which follows, reads the logs from the folder these name.
  if (CDLLDocument* doc = GetDocument()) doc->LoadPrefs();
  return 0;
}

void CDLLDocumentView::DoDataExchange(CDataExchange* pDX) {
  CFormView::DoDataExchange(pDX);
  for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
    DDX_Control(pDX, kToolButtons[i].id, m_buttons[i]);
  }
  DDX_Control(pDX, IDC_VIEW_TABHOST, m_tabHost);
  DDX_Control(pDX, IDC_VIEW_TREE, m_tree);
  DDX_Control(pDX, IDC_VIEW_APP_LIST, m_appList);
  DDX_Control(pDX, IDC_VIEW_GROUP_COMBO, m_groupPicker);
}

void CDLLDocumentView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  ResizeParentToFit(FALSE);
  // Narrower than this, the lower button row would slide under the tab host; lower, the
  // pages would cut their controls off.
  SetMinimumSize(CSize(kNarrowestForm, kLowestForm));
  ShowControl(IDC_VIEW_MODE_TO_TREE, false);
  ShowControl(IDC_VIEW_MODE_TO_LIST, false);
  m_bUnlocked = true;
  m_bPasteAllowed = false;
  EnableControl(IDC_VIEW_PASTE, false);  // nothing is copied yet

  if (m_tabHost.IsWindow() && m_associationPage.GetSafeHwnd() == nullptr) {
    m_associationPage.Create(this);
    m_tabHost.AddPage("Main", 0, &m_associationPage);
    m_quickInfoPage.Create(this);
    m_tabHost.AddPage("Quick Info", 1, &m_quickInfoPage);
  }

  for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
    const ToolButton& spec = kToolButtons[i];
    CImageButton& button = m_buttons[i];
    if (!button.IsWindow()) continue;
    button.SetBitmaps(spec.bitmap, kMaskColour, 0, kMaskColour, 0, kMaskColour, 0, kMaskColour);
    if (i < kUpperRowButtons) {
      // The upper row keeps its template size and centres its image.
      button.SetImageAlign(CImageButton::kAlignHCenter | CImageButton::kAlignVCenter);
      button.SetStyleFlags(CImageButton::kFlat);
    } else {
      // The lower row hugs its images; sizing shows every one of them.
      button.SetStyleFlags(CImageButton::kFlat | CImageButton::kSizeToContent);
    }
    if (spec.tooltip != nullptr) button.SetTooltipText(spec.tooltip, TRUE);
  }
  EnableControl(IDC_VIEW_UNLOCK, false);

  if (m_imageList.GetSafeHandle() == nullptr &&
      m_imageList.Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 1)) {
    m_imageList.AddIcon(IDI_GROUP);
    m_imageList.AddIcon(IDI_APPLICATION_ENTRY);
  }
  if (m_tree.IsWindow()) m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
  m_appList.SetItemImageList(&m_imageList);

  m_nReportMessage = RegisterReportRequestMessage();
  if (m_groupIconIndex < 0) m_groupIconIndex = m_groupPicker.AddIcon(AfxLoadIcon(IDI_GROUP));

  CDLLDocument* doc = GetDocument();
  const MainPrefs prefs = doc != nullptr ? doc->GetPrefs() : MainPrefs{};
  RefreshView(m_nViewMode);
  if (prefs.isPass) SetLocked(true);
  PostMessage(WM_TELL_FILE_PROBLEMS, 0, 0);

  // The frame may already have its final size: lay the form out for the first paint.
  CRect client;
  GetClientRect(&client);
  if (!client.IsRectEmpty()) OnSize(SIZE_RESTORED, client.Width(), client.Height());
}

void CDLLDocumentView::OnSize(UINT nType, int cx, int cy) {
  CFormView::OnSize(nType, cx, cy);
  const int h = cx / 2;
  const struct {
    int id, x, y, width, height;
  } places[] = {
      {IDC_VIEW_TOP_LINE, 0, 0, cx, 3},
      {IDC_VIEW_TOOLBAR_LINE, 0, 33, cx, 2},
      {IDC_VIEW_GROUPBOX, 7, 40, h - 5, cy - 50},
      {IDC_VIEW_TREE, 15, 63, h - 20, cy - 113},
      {IDC_VIEW_BUTTONS_LINE, 8, cy - 45, h - 7, 2},
      {IDC_VIEW_LOOKIN_LABEL, 15, 60, 40, 20},
      {IDC_VIEW_GROUP_COMBO, 58, 56, h - 90, 18},
      {IDC_VIEW_GROUP_BUTTON, h - 27, 55, 24, 22},
      {IDC_VIEW_APP_LIST, 15, 83, h - 20, cy - 133},
      {IDC_VIEW_MODE_TO_TREE, 18, cy - 38, 25, 23},
      {IDC_VIEW_MODE_TO_LIST, 18, cy - 38, 25, 23},
      {IDC_VIEW_REFRESH, 45, cy - 38, 26, 24},
      {IDC_VIEW_MOVETO, 72, cy - 38, 26, 24},
      {IDC_VIEW_COPY, 99, cy - 38, 26, 24},
      {IDC_VIEW_PASTE, 126, cy - 38, 26, 24},
      {IDC_VIEW_NEWGROUP, 153, cy - 38, 26, 24},
      {IDC_VIEW_REMOVE, 180, cy - 38, 25, 23},
      {IDC_VIEW_TABHOST, h + 10, 40, h - 15, cy - 50},
  };
  for (const auto& p : places) {
    if (CWnd* control = GetDlgItem(p.id)) control->MoveWindow(p.x, p.y, p.width, p.height);
  }
  if (!m_tabHost.IsWindow()) return;
  for (CWnd* page :
       {static_cast<CWnd*>(&m_associationPage), static_cast<CWnd*>(&m_quickInfoPage)}) {
    if (page->IsWindow()) page->MoveWindow(3, 25, h - 22, cy - 80);
  }
}

void CDLLDocumentView::OnContextMenu(CWnd*, CPoint) {
  // Consumed: the tree's right-click menu is the view's only popup.
}

BOOL CDLLDocumentView::OnHelpInfo(HELPINFO* pHelpInfo) {
  OnHelp();
  return CFormView::OnHelpInfo(pHelpInfo);
}

void CDLLDocumentView::OnDestroy() {
  StopAutoExpand();
  CFormView::OnDestroy();
}

void CDLLDocumentView::OnReports() { RequestReport(m_nReportMessage); }

void CDLLDocumentView::OnUpdateUnlockedOnly(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bUnlocked); }

void CDLLDocumentView::OnHelp() {
  const std::string helpFile = GetExecutableDirectory() + kHelpFileName;
  std::error_code error;
  if (std::filesystem::is_regular_file(helpFile, error)) {
    ShellExecute(GetDesktopWindow(), "open", helpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  // No help file here (there never is on a fresh install): the host shows its own page.
  if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, ID_HELP_CONTENT, 0);
}

void CDLLDocumentView::OnLockUnlock() {
  if (m_bUnlocked) {
    OnLock();
  } else {
    OnUnlock();
  }
}

void CDLLDocumentView::OnLock() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return;
  if (!doc->GetPrefs().isPass) {
    // Nothing to lock with: offer the place where a password is set.
    OpenSettings(true);
    return;
  }
  SetLocked(true);
}

void CDLLDocumentView::OnUnlock() {
  if (AskPassword()) SetLocked(false);
}

bool CDLLDocumentView::AskPassword() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return false;
  for (;;) {
    const MainPrefs prefs = doc->GetPrefs();
    CPassDlg prompt(this);
    if (prompt.DoModal() != IDOK) return false;
    if (prompt.m_strPassword == prefs.Pass) return true;
    ++g_failedUnlocks;
    MessageBox("Password isn't correct, try again.", nullptr, MB_OK);
    if (g_failedUnlocks >= kUnlockTries) return false;
  }
}

void CDLLDocumentView::SetLocked(bool locked) {
  for (int id : kLockedControls) EnableControl(id, !locked);
  m_bPasteAllowed = !locked;
  m_bDeleteAllowed = !locked;
  EnableControl(IDC_VIEW_UNLOCK, locked);
  EnableControl(IDC_VIEW_HELP, !locked);
  m_bUnlocked = !locked;
}

LRESULT CDLLDocumentView::OnTellFileProblems(WPARAM, LPARAM) {
  TellFileProblems();
  return 0;
}

void CDLLDocumentView::TellFileProblems() {
  CDLLDocument* doc = GetDocument();
  if (doc == nullptr) return;
  std::vector<FileProblem> current;
  for (FileProblem problem : {doc->GetPrefsFileProblem(), doc->GetTreeFileProblem()}) {
    if (problem) current.push_back(std::move(problem));
  }
  // Noted before the boxes open: another notice may come while one is shown.
  const std::vector<FileProblem> told = std::exchange(m_toldProblems, current);
  for (const FileProblem& problem : current) {
    if (std::find(told.begin(), told.end(), problem) != told.end()) continue;
    MessageBox(DescribeFileProblem(problem).c_str(), "TaskMeter", MB_OK | MB_ICONWARNING);
  }
}

void CDLLDocumentView::EnableControl(int id, bool enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable ? TRUE : FALSE);
}

void CDLLDocumentView::ShowControl(int id, bool show) {
  if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

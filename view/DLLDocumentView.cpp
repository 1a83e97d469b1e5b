#include "view/DLLDocumentView.h"

#include "accounting/DLLDocument.h"
#include "framework/CCmdUI.h"
#include "framework/CDataExchange.h"
#include "framework/Resources.h"
#include "framework/gdi/Icon.h"
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

}  // namespace

CDLLDocumentView::CDLLDocumentView() : CFormView(IDD_DLLDOCUMENT_FORM) {}

const MessageMap* CDLLDocumentView::GetMessageMap() const {
  static const MessageMap map{
      CFormView::GetMessageMap(),
      {
          msg::Create(&CDLLDocumentView::OnCreate),
          // The menu item and the upper-row button: a button click is a command too.
          msg::Command(ID_REPORTS_MAKE, &CDLLDocumentView::OnReports),
          msg::Command(IDC_VIEW_REPORTS, &CDLLDocumentView::OnReports),
          msg::UpdateCommandUI(ID_REPORTS_MAKE, &CDLLDocumentView::OnUpdateReports),
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
  m_popupMenu = AfxFindMenu(IDR_TREE_POPUP);
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
  DDX_Control(pDX, IDC_VIEW_APP_LIST, m_appList);
  DDX_Control(pDX, IDC_VIEW_GROUP_COMBO, m_groupPicker);
}

void CDLLDocumentView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  ResizeParentToFit(FALSE);
  m_bUnlocked = true;
  SetUpControls();
  m_nReportMessage = RegisterReportRequestMessage();
}

void CDLLDocumentView::SetUpControls() {
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
  if (CWnd* unlock = GetDlgItem(IDC_VIEW_UNLOCK)) unlock->EnableWindow(FALSE);

  if (m_imageList.GetSafeHandle() == nullptr &&
      m_imageList.Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 1)) {
    m_imageList.AddIcon(IDI_GROUP);
    m_imageList.AddIcon(IDI_APPLICATION_ENTRY);
  }
  m_appList.SetItemImageList(&m_imageList);
  if (m_groupIconIndex < 0) m_groupIconIndex = m_groupPicker.AddIcon(AfxLoadIcon(IDI_GROUP));
  ShowTreeMode();
}

void CDLLDocumentView::ShowTreeMode() {
  // The form opens in tree mode: the tree and the list-view button show, the group
  // picker, the application list and the tree-view button wait for list mode.
  static constexpr int kListModeOnly[] = {IDC_VIEW_LOOKIN_LABEL, IDC_VIEW_GROUP_COMBO,
                                          IDC_VIEW_GROUP_BUTTON, IDC_VIEW_APP_LIST,
                                          IDC_VIEW_MODE_TO_TREE};
  static constexpr int kTreeModeOnly[] = {IDC_VIEW_TREE, IDC_VIEW_MODE_TO_LIST};
  for (int id : kListModeOnly) {
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(SW_HIDE);
  }
  for (int id : kTreeModeOnly) {
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(SW_SHOW);
  }
}

void CDLLDocumentView::OnReports() { RequestReport(m_nReportMessage); }

void CDLLDocumentView::OnUpdateReports(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bUnlocked); }

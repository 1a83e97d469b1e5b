#include "view/AssociationPage.h"

#include <algorithm>

#include "controls/TabHost.h"
#include "framework/dialogbase/CDataExchange.h"
#include "framework/gdi/CDC.h"
#include "framework/gdi/GdiConstants.h"
#include "framework/windows/CaptionFit.h"
#include "res/ResourceIds.h"
#include "view/DLLDocumentView.h"

namespace {

constexpr int kFilterControls[] = {IDC_ASSOC_FILTER_CHECK, IDC_ASSOC_ACTIVATE_LABEL,
                                   IDC_ASSOC_RESTORE_NAME, IDC_ASSOC_TITLE_FILTER};

constexpr UINT_PTR kRenameTimer = 1;
constexpr UINT kRenameStepMilliseconds = 50;
constexpr int kMostRenameSteps = 10;  // half a second

int CharacterCount(const std::string& utf8) {
  int count = 0;
  for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

CAssociationPage::CAssociationPage() = default;

BOOL CAssociationPage::Create(CWnd* pParentWnd) {
  return CTabPage::Create(IDD_ASSOCIATION_PAGE, pParentWnd);
}

const MessageMap* CAssociationPage::GetMessageMap() const {
  static const MessageMap map{
      CTabPage::GetMessageMap(),
      {
          msg::Size(&CAssociationPage::OnSize),
          msg::CtlColor(&CAssociationPage::OnCtlColor),
          msg::Control(BN_CLICKED, IDC_ASSOC_RESTORE_NAME, &CAssociationPage::OnRestoreName),
          msg::Control(EN_CHANGE, IDC_ASSOC_SHOWAS, &CAssociationPage::OnEdited),
          msg::Control(EN_CHANGE, IDC_ASSOC_TITLE_FILTER, &CAssociationPage::OnEdited),
          msg::Control(BN_CLICKED, IDC_ASSOC_FILTER_CHECK, &CAssociationPage::OnEdited),
          msg::Timer(&CAssociationPage::OnTimer),
      }};
  return &map;
}

void CAssociationPage::DoDataExchange(CDataExchange* pDX) {
  CTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ASSOC_SHOWAS, m_showAs);
}

void CAssociationPage::BeginRename() {
  StopRename();
  if (!m_showAs.IsWindow()) return;
  m_showAs.SetFocus();
  m_renameLength = CharacterCount(m_showAs.GetWindowText());
  m_renameSteps = std::min(m_renameLength, kMostRenameSteps);
  m_renameStep = 0;
  if (m_renameSteps > 0) SetTimer(kRenameTimer, kRenameStepMilliseconds);
}

void CAssociationPage::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kRenameTimer || m_renameSteps == 0) {
    CTabPage::OnTimer(nIDEvent);
    return;
  }
  ++m_renameStep;
  // This step's share of the name, rounded up: the last step selects all of it.
  const int count = (m_renameLength * m_renameStep + m_renameSteps - 1) / m_renameSteps;
  m_showAs.SetSel(0, count);  // scrolls the caret into view
  if (m_renameStep >= m_renameSteps) StopRename();
}

void CAssociationPage::StopRename() {
  if (m_renameSteps != 0) KillTimer(kRenameTimer);
  m_renameSteps = 0;
}

BOOL CAssociationPage::OnInitDialog() {
  CTabPage::OnInitDialog();
  m_filterCaption = GetDlgItemText(IDC_ASSOC_FILTER_CHECK);
  return TRUE;
}

void CAssociationPage::FillHeader(const std::string& text) {
  SetDlgItemText(IDC_ASSOC_SHOWAS, text);
  // A name is a caption here: an "&" in it is shown, not taken for an access key. The
  // tab strip cuts a long one short itself.
  if (auto* host = dynamic_cast<CTabHost*>(GetParent())) {
    host->SetPageTitle(0, EscapeAccessMarks(text).c_str());
  }
  SetFilterCaption(text);
}

void CAssociationPage::SetFilterCaption(const std::string& text) {
  // The name goes between the caption's two double quotes, cut short with "..." where
  // the whole caption would not fit in the check box.
  auto caption = [this](const std::string& name) {
    std::string filled = m_filterCaption;
    const std::size_t open = filled.find('"');
    const std::size_t close = open == std::string::npos ? open : filled.find('"', open + 1);
    if (close != std::string::npos)
      filled.replace(open + 1, close - open - 1, EscapeAccessMarks(name));
    return filled;
  };
  CWnd* check = GetDlgItem(IDC_ASSOC_FILTER_CHECK);
  if (check == nullptr) return;
  check->SetWindowText(caption(FitNameInCaption(check->GetSafeHwnd(), text, caption)));
}

void CAssociationPage::ShowFilterControls(bool show) {
  for (int id : kFilterControls) {
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
  }
}

void CAssociationPage::FillApplication(const AppEntry& entry) {
  // A nameless application is shown as "[program]"; what there is to edit is empty.
  if (entry.ShowAs.empty() && IsApplicationEntry(entry)) SetDlgItemText(IDC_ASSOC_SHOWAS, "");
  SetDlgItemText(IDC_ASSOC_TITLE_FILTER, entry.TitleFilter);
  CheckDlgButton(IDC_ASSOC_FILTER_CHECK, entry.isCheckTitleFilter ? BST_CHECKED : BST_UNCHECKED);
  StoreEntry(entry);
}

void CAssociationPage::FillGroup(const std::string& name) {
  SetDlgItemText(IDC_ASSOC_TITLE_FILTER, "");
  CheckDlgButton(IDC_ASSOC_FILTER_CHECK, BST_UNCHECKED);
  AppEntry group;
  group.ShowAs = name;
  StoreEntry(group);
}

void CAssociationPage::StoreEntry(const AppEntry& entry) {
  StopRename();
  m_entry = entry;
  for (int id : {IDC_ASSOC_APPLY, IDC_ASSOC_DISCARD}) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(FALSE);
  }
}

bool CAssociationPage::Differs() const {
  return GetDlgItemText(IDC_ASSOC_SHOWAS) != m_entry.ShowAs ||
         GetDlgItemText(IDC_ASSOC_TITLE_FILTER) != m_entry.TitleFilter ||
         (IsDlgButtonChecked(IDC_ASSOC_FILTER_CHECK) == BST_CHECKED) != m_entry.isCheckTitleFilter;
}

void CAssociationPage::UpdateButtons() {
  const BOOL enable = Differs() ? TRUE : FALSE;
  for (int id : {IDC_ASSOC_APPLY, IDC_ASSOC_DISCARD}) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable);
  }
}

void CAssociationPage::OnEdited() {
  StopRename();  // the user's own editing takes over
  UpdateButtons();
}

void CAssociationPage::OnRestoreName() {
  // The edit's change notification runs the difference rule.
  SetDlgItemText(IDC_ASSOC_SHOWAS, m_entry.Name);
}

void CAssociationPage::OnCancel() {
  SetDlgItemText(IDC_ASSOC_SHOWAS, m_entry.ShowAs);
  SetDlgItemText(IDC_ASSOC_TITLE_FILTER, m_entry.TitleFilter);
  CheckDlgButton(IDC_ASSOC_FILTER_CHECK, m_entry.isCheckTitleFilter ? BST_CHECKED : BST_UNCHECKED);
  UpdateButtons();
}

void CAssociationPage::OnOK() {
  m_entry.ShowAs = GetDlgItemText(IDC_ASSOC_SHOWAS);
  m_entry.TitleFilter = GetDlgItemText(IDC_ASSOC_TITLE_FILTER);
  m_entry.isCheckTitleFilter = IsDlgButtonChecked(IDC_ASSOC_FILTER_CHECK) == BST_CHECKED;
  if (m_pView != nullptr) m_pView->ApplyAssociation();
}

CBrush* CAssociationPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  CTabPage::OnCtlColor(pDC, pWnd, nCtlColor);
  const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
  if (id == IDC_ASSOC_SHOWAS_LABEL || id == IDC_ASSOC_ACTIVATE_LABEL ||
      id == IDC_ASSOC_FILTER_CHECK) {
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkMode(TRANSPARENT);
  }
  return &m_whiteBrush;
}

void CAssociationPage::OnSize(UINT nType, int cx, int cy) {
  CTabPage::OnSize(nType, cx, cy);
  const struct {
    int id, x, y, width, height;
  } places[] = {
      {IDC_ASSOC_APPLY, cx - 135, cy - 23, 65, 23}, {IDC_ASSOC_DISCARD, cx - 66, cy - 23, 65, 23},
      {IDC_ASSOC_BUTTON_BAR, 0, cy - 24, cx, 25},   {IDC_ASSOC_LINE, 0, 60, cx, 2},
      {IDC_ASSOC_SHOWAS, 90, 10, cx - 100, 20},     {IDC_ASSOC_TITLE_FILTER, 37, 140, cx - 47, 20},
  };
  for (const auto& p : places) {
    if (CWnd* control = GetDlgItem(p.id)) control->MoveWindow(p.x, p.y, p.width, p.height);
  }
}

#include "dialogs/MainSettings.h"

#include <array>
#include <cstdint>
#include <vector>

#include "framework/dialogbase/CDataExchange.h"
#include "framework/messages/MessageMap.h"
#include "protocol/Messages.h"
#include "res/ResourceIds.h"
#include "storage/FileProblem.h"

namespace {

struct Page {
  const char* title;
  std::vector<int> controls;
};

// The pages in list order, each with the controls it shows. The minimum-percent row is
// on none: its value only passes through the dialog.
const std::array<Page, 5> kPages = {{
    {"Main Options", {IDC_SET_LOAD_ON_STARTUP}},
    {"Collection",
     {IDC_SET_PAUSE_INACTIVE, IDC_SET_IDLE_TIME, IDC_SET_IDLE_UNIT, IDC_SET_PAUSE_SCREENSAVER}},
    {"Filter",
     {IDC_SET_ENABLE_FILTER, IDC_SET_MIN_SECONDS_LABEL, IDC_SET_MIN_SECONDS,
      IDC_SET_MIN_SECONDS_UNIT}},
    {"Interface", {IDC_SET_LANGUAGE_LABEL, IDC_SET_LANGUAGE, IDC_SET_ANIMATED_ICON}},
    {"Security", {IDC_SET_ENABLE_PASSWORD, IDC_SET_CHANGE_PASSWORD}},
}};
constexpr int kSecurityPage = 4;

constexpr std::array<int, 5> kPasswordFields = {IDC_SET_NEW_PASSWORD_LABEL, IDC_SET_CONFIRM_LABEL,
                                                IDC_SET_NEW_PASSWORD, IDC_SET_CONFIRM,
                                                IDC_SET_SAVE_PASSWORD};

// Every control that belongs to some page (or to none, like the percent row).
std::vector<int> PageControls() {
  std::vector<int> ids{IDC_SET_LANGUAGE, IDC_SET_SAVE_PASSWORD};
  for (int id = IDC_SET_LOAD_ON_STARTUP; id <= IDC_SET_CONFIRM; ++id) ids.push_back(id);
  return ids;
}

struct CheckField {
  int id;
  bool MainPrefs::*field;
};
const std::array<CheckField, 5> kChecks = {{
    {IDC_SET_LOAD_ON_STARTUP, &MainPrefs::LoadOnStartup},
    {IDC_SET_PAUSE_INACTIVE, &MainPrefs::bPauseTimeTrackingOnUserInActive},
    {IDC_SET_PAUSE_SCREENSAVER, &MainPrefs::bPauseTimeTrackingOnScreenSaverActive},
    {IDC_SET_ENABLE_FILTER, &MainPrefs::bEnableFilter},
    {IDC_SET_ANIMATED_ICON, &MainPrefs::bAnimatedIconInSysTray},
}};

struct NumberField {
  int id;
  int32_t MainPrefs::*field;
};
const std::array<NumberField, 3> kNumbers = {{
    {IDC_SET_IDLE_TIME, &MainPrefs::IdleTime},
    {IDC_SET_MIN_SECONDS, &MainPrefs::iShowpProgrUsedMoreSec},
    {IDC_SET_MIN_PERCENT, &MainPrefs::iShowpProgrUsedMorePercent},
}};

}  // namespace

CMainSettings::CMainSettings(CWnd* pParent) : CDialog(IDD_MAINSETTINGS, pParent) {}

const MessageMap* CMainSettings::GetMessageMap() const {
  static const MessageMap map{
      CDialog::GetMessageMap(),
      {
          msg::Control(LBN_SELCHANGE, IDC_SET_PAGES, &CMainSettings::OnPageSelChange),
          msg::Control(BN_CLICKED, IDC_SET_ENABLE_FILTER, &CMainSettings::OnEnableFilterClicked),
          msg::Control(BN_CLICKED, IDC_SET_ENABLE_PASSWORD,
                       &CMainSettings::OnEnablePasswordClicked),
          msg::Control(BN_CLICKED, IDC_SET_CHANGE_PASSWORD,
                       &CMainSettings::OnChangePasswordClicked),
          msg::Control(EN_CHANGE, IDC_SET_NEW_PASSWORD, &CMainSettings::OnNewPasswordChange),
          msg::Control(EN_CHANGE, IDC_SET_CONFIRM, &CMainSettings::OnNewPasswordChange),
          msg::Control(BN_CLICKED, IDC_SET_SAVE_PASSWORD, &CMainSettings::OnSavePasswordClicked),
      }};
  return &map;
}

void CMainSettings::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SET_PAGES, m_pages);
  DDX_Control(pDX, IDC_SET_LANGUAGE, m_language);
  DDX_Control(pDX, IDC_SET_NEW_PASSWORD, m_newPassword);
  DDX_Control(pDX, IDC_SET_CONFIRM, m_confirmPassword);
}

BOOL CMainSettings::OnInitDialog() {
  CDialog::OnInitDialog();
  ReadMainPrefs(GetMainPrefsPath(), m_prefs);  // a missing file leaves the initial values
  FillPageList();
  SwitchPage();
  m_language.AddString("English");
  // A longer password would be cut in the file and never unlock again.
  m_newPassword.LimitText(static_cast<int>(kMaxPassLength));
  m_confirmPassword.LimitText(static_cast<int>(kMaxPassLength));
  LoadControls();
  return TRUE;
}

BOOL CMainSettings::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    const CWnd* focus = GetFocus();
    const HWND field = focus != nullptr ? focus->GetSafeHwnd() : nullptr;
    if (field != nullptr &&
        (field == m_newPassword.GetSafeHwnd() || field == m_confirmPassword.GetSafeHwnd())) {
      // OK here would switch protection on with the password last saved, or none.
      CWnd* save = GetDlgItem(IDC_SET_SAVE_PASSWORD);
      if (save != nullptr && save->IsWindowEnabled()) OnSavePasswordClicked();
      return TRUE;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CMainSettings::FillPageList() {
  for (const Page& page : kPages) m_pages.AddString(page.title);
  m_pages.SetCurSel(m_bSecurityFirst ? kSecurityPage : 0);
}

void CMainSettings::LoadControls() {
  for (const CheckField& check : kChecks) {
    CheckDlgButton(check.id, m_prefs.*check.field ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(IDC_SET_ENABLE_PASSWORD, m_prefs.isPass ? BST_CHECKED : BST_UNCHECKED);
  for (const NumberField& number : kNumbers) {
    SetDlgItemInt(number.id, static_cast<UINT>(m_prefs.*number.field), TRUE);
  }
  EnableFilterEdits(m_prefs.bEnableFilter);
  if (m_prefs.isPass) GetDlgItem(IDC_SET_CHANGE_PASSWORD)->EnableWindow(TRUE);
}

void CMainSettings::ReadControls() {
  for (const CheckField& check : kChecks) {
    m_prefs.*check.field = IsDlgButtonChecked(check.id) == BST_CHECKED;
  }
  // The fields take only digits and a leading minus; empty, or a lone minus, reads as 0.
  for (const NumberField& number : kNumbers) {
    m_prefs.*number.field = static_cast<int32_t>(GetDlgItemInt(number.id, nullptr, TRUE));
  }
}

void CMainSettings::OnPageSelChange() { SwitchPage(); }

void CMainSettings::SwitchPage() {
  const int selected = m_pages.GetCurSel();
  if (selected < 0) return;
  const std::string title = m_pages.GetText(selected);
  SetDlgItemText(IDC_SET_PAGE_TITLE, title);
  for (int id : PageControls()) GetDlgItem(id)->ShowWindow(SW_HIDE);
  for (const Page& page : kPages) {
    if (title != page.title) continue;
    for (int id : page.controls) GetDlgItem(id)->ShowWindow(SW_SHOW);
  }
}

void CMainSettings::EnableFilterEdits(bool enable) {
  GetDlgItem(IDC_SET_MIN_SECONDS)->EnableWindow(enable);
  GetDlgItem(IDC_SET_MIN_PERCENT)->EnableWindow(enable);
}

void CMainSettings::OnEnableFilterClicked() {
  EnableFilterEdits(IsDlgButtonChecked(IDC_SET_ENABLE_FILTER) == BST_CHECKED);
}

void CMainSettings::OnEnablePasswordClicked() {
  m_prefs.isPass = IsDlgButtonChecked(IDC_SET_ENABLE_PASSWORD) == BST_CHECKED;
  GetDlgItem(IDC_SET_CHANGE_PASSWORD)->EnableWindow(m_prefs.isPass);
  if (!m_prefs.isPass) ShowPasswordFields(false);
}

void CMainSettings::OnChangePasswordClicked() { ShowPasswordFields(true); }

void CMainSettings::ShowPasswordFields(bool show) {
  for (int id : kPasswordFields) GetDlgItem(id)->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CMainSettings::OnNewPasswordChange() { GetDlgItem(IDC_SET_SAVE_PASSWORD)->EnableWindow(TRUE); }

void CMainSettings::OnSavePasswordClicked() {
  const std::string password = GetDlgItemText(IDC_SET_NEW_PASSWORD);
  if (password != GetDlgItemText(IDC_SET_CONFIRM)) {
    MessageBox("The passwords don't match!", "Message", MB_OK);
    return;
  }
  GetDlgItem(IDC_SET_SAVE_PASSWORD)->EnableWindow(FALSE);
  m_prefs.Pass = password;
}

void CMainSettings::OnOK() {
  ReadControls();
  const std::string path = GetMainPrefsPath();
  if (!WriteMainPrefs(path, m_prefs)) {
    // The dialog stays open with the user's choices: Cancel gives up, OK tries again.
    const FileProblem problem{FileProblemCode::NotSaved, OptionsFile::Settings, path, {}};
    MessageBox(DescribeFileProblem(problem).c_str(), "TaskMeter", MB_OK | MB_ICONWARNING);
    return;
  }
  AnnouncePrefsChanged();
  CDialog::OnOK();
}

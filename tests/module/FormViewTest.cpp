#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <set>
#include <utility>

#include "accounting/DLLDocument.h"
#include "framework/CFormView.h"
#include "framework/DialogUnits.h"
#include "framework/Resources.h"
#include "framework/WinMessages.h"
#include "res/ResourceIds.h"
#include "tests/module/ModuleHost.h"

namespace fs = std::filesystem;

namespace {

using FormViewTest = OpenModuleTest;

TEST_F(FormViewTest, ViewIsAFormOnTemplate101WithEveryControlAtItsPlace) {
  auto* formView = dynamic_cast<CFormView*>(view);
  ASSERT_NE(formView, nullptr);
  EXPECT_EQ(formView->GetTemplateId(), IDD_DLLDOCUMENT_FORM);
  const DialogResource* form = FindDialogIn(TheModule().instance, IDD_DLLDOCUMENT_FORM);
  ASSERT_NE(form, nullptr);
  // The lower row and the button beside the group picker hug their images, and a closed
  // drop-down list shows only its selection field: those keep only their corner.
  const std::set<int> cornerOnly{
      IDC_VIEW_GROUP_BUTTON, IDC_VIEW_MODE_TO_TREE, IDC_VIEW_MODE_TO_LIST, IDC_VIEW_REFRESH,
      IDC_VIEW_MOVETO,       IDC_VIEW_COPY,         IDC_VIEW_PASTE,        IDC_VIEW_NEWGROUP,
      IDC_VIEW_REMOVE,       IDC_VIEW_GROUP_COMBO};
  int numbered = 0;
  for (const DialogItem& item : form->items) {
    if (item.id == IDC_STATIC) continue;
    SCOPED_TRACE(item.id);
    ++numbered;
    CWnd* control = view->GetDlgItem(item.id);
    ASSERT_NE(control, nullptr);
    CRect placed;
    control->GetWindowRect(&placed);
    view->ScreenToClient(&placed);
    const CRect expected =
        MapDialogRect(DialogBaseUnits(), CRect(item.x, item.y, item.x + item.cx, item.y + item.cy));
    EXPECT_EQ(placed.TopLeft(), expected.TopLeft());
    if (cornerOnly.count(item.id) == 0) {
      EXPECT_EQ(placed, expected);
    }
  }
  EXPECT_EQ(numbered, 24);
}

TEST_F(FormViewTest, FormOpensInTreeModeWithTheLowerRowSizedToItsImages) {
  const std::pair<int, bool> cases[] = {{IDC_VIEW_TREE, true},
                                        {IDC_VIEW_REFRESH, true},
                                        {IDC_VIEW_GROUP_COMBO, false},
                                        {IDC_VIEW_APP_LIST, false},
                                        {IDC_VIEW_MODE_TO_TREE, false}};
  for (const auto& [id, shown] : cases) {
    EXPECT_EQ(view->GetDlgItem(id)->GetWidget()->isVisibleTo(view->GetWidget()), shown) << id;
  }
  // 16 by 16 images and no caption: image + 6 each way.
  CRect refresh;
  view->GetDlgItem(IDC_VIEW_REFRESH)->GetWindowRect(&refresh);
  EXPECT_EQ(refresh.Size(), CSize(22, 22));
  EXPECT_FALSE(view->GetDlgItem(IDC_VIEW_UNLOCK)->IsWindowEnabled());
}

TEST(PreferencesTest, PreferencesAreReadBeforeTheLoadSoTheirFolderIsScanned) {
  HostFixture host;
  HostFixture::WriteLog(host.Data(), "dbapp");
  HostFixture::WriteLog(host.Home(), "homeapp");  // beside the executable: a decoy
  const struct {
    bool writePrefs;
    fs::path scanned;
    const char* app;
  } cases[] = {
      {true, host.Data(), "dbapp"},
      // Without a preferences file the data folder is unknown and the executable's
      // folder stays current: that is where the scan looks.
      {false, host.Home(), "homeapp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.app);
    host.WriteOptions(host.Data());
    if (!c.writePrefs) fs::remove(host.Home() / "options" / "mainpref.ini");
    // The document class lives in the library; the test's own copy of the accounting
    // code reads it, which is safe because both are built from the same sources.
    CDocument* opened = host.OpenModuleDocument();
    ASSERT_NE(opened, nullptr);
    ASSERT_STREQ(opened->GetRuntimeClass()->m_lpszClassName, "CDLLDocument");
    auto* doc = static_cast<CDLLDocument*>(opened);
    EXPECT_EQ(doc->GetScannedFolder(), fs::canonical(c.scanned).string() + "/");
    const auto other = doc->GetGroupMap().find(kOtherApplications);
    ASSERT_NE(other, doc->GetGroupMap().end());
    ASSERT_EQ(other->second.size(), 1u);
    EXPECT_EQ(other->second[0].Name, c.app);
    EXPECT_GT(other->second[0].TodayTime, 0);
  }
}

}  // namespace

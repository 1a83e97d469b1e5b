#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <set>

#include "accounting/DLLDocument.h"
#include "framework/CFormView.h"
#include "framework/DialogUnits.h"
#include "framework/Resources.h"
#include "res/ResourceIds.h"
#include "storage/ViewOptionsFile.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/module/ModuleHost.h"

namespace fs = std::filesystem;

namespace {

class FormViewTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(TheModule().entry, nullptr) << TheModule().error; }

  // The document class lives in the library; the test's own copy of the accounting code
  // reads it, which is safe because both are built from the same sources.
  static CDLLDocument* AsModuleDocument(CDocument* doc) {
    if (doc == nullptr) return nullptr;
    if (std::string(doc->GetRuntimeClass()->m_lpszClassName) != "CDLLDocument") return nullptr;
    return static_cast<CDLLDocument*>(doc);
  }

  HostFixture host;
};

// The lower row and the button beside the group picker hug their images.
bool SizedToImage(int id) {
  static const std::set<int> kSized{
      IDC_VIEW_GROUP_BUTTON, IDC_VIEW_MODE_TO_TREE, IDC_VIEW_MODE_TO_LIST,
      IDC_VIEW_REFRESH,      IDC_VIEW_MOVETO,       IDC_VIEW_COPY,
      IDC_VIEW_PASTE,        IDC_VIEW_NEWGROUP,     IDC_VIEW_REMOVE};
  return kSized.count(id) != 0;
}

TEST_F(FormViewTest, ViewIsAFormOnTemplate101WithEveryControlAtItsPlace) {
  CDocument* doc = host.OpenDocument(host.AddModuleTemplate());
  ASSERT_NE(doc, nullptr);
  auto* view = dynamic_cast<CFormView*>(HostFixture::ViewOf(doc));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetTemplateId(), IDD_DLLDOCUMENT_FORM);
  const DialogResource* form = FindDialogIn(TheModule().instance, IDD_DLLDOCUMENT_FORM);
  ASSERT_NE(form, nullptr);
  // Every numbered control of the form: the upper row and its lines, the group box with
  // tree, picker and list, the lower row, and the tab host.
  const int ids[] = {
      IDC_VIEW_TOP_LINE,     IDC_VIEW_PREDEFGROUPS, IDC_VIEW_PREFERENCES,  IDC_VIEW_REPORTS,
      IDC_VIEW_LOCK,         IDC_VIEW_UNLOCK,       IDC_VIEW_HELP,         IDC_VIEW_TOOLBAR_LINE,
      IDC_VIEW_GROUPBOX,     IDC_VIEW_TREE,         IDC_VIEW_LOOKIN_LABEL, IDC_VIEW_GROUP_COMBO,
      IDC_VIEW_GROUP_BUTTON, IDC_VIEW_APP_LIST,     IDC_VIEW_BUTTONS_LINE, IDC_VIEW_MODE_TO_TREE,
      IDC_VIEW_MODE_TO_LIST, IDC_VIEW_REFRESH,      IDC_VIEW_MOVETO,       IDC_VIEW_COPY,
      IDC_VIEW_PASTE,        IDC_VIEW_NEWGROUP,     IDC_VIEW_REMOVE,       IDC_VIEW_TABHOST,
  };
  const CSize base = DialogBaseUnits();
  for (int id : ids) {
    SCOPED_TRACE(id);
    const auto item = std::find_if(form->items.begin(), form->items.end(),
                                   [id](const DialogItem& i) { return i.id == id; });
    ASSERT_NE(item, form->items.end());
    CWnd* control = view->GetDlgItem(id);
    ASSERT_NE(control, nullptr);
    CRect placed;
    control->GetWindowRect(&placed);
    view->ScreenToClient(&placed);
    const CRect expected =
        MapDialogRect(base, CRect(item->x, item->y, item->x + item->cx, item->y + item->cy));
    if (SizedToImage(id)) {
      // Sized to their images without moving: the corner stays at its template place.
      EXPECT_EQ(placed.TopLeft(), expected.TopLeft());
    } else if (id == IDC_VIEW_GROUP_COMBO) {
      // A drop-down list's template height is that of its open list; closed, it shows
      // only its selection field.
      EXPECT_EQ(placed.TopLeft(), expected.TopLeft());
      EXPECT_EQ(placed.Width(), expected.Width());
    } else {
      EXPECT_EQ(placed, expected);
    }
  }
}

TEST_F(FormViewTest, FormOpensInTreeModeWithTheLowerRowSizedToItsImages) {
  CDocument* doc = host.OpenDocument(host.AddModuleTemplate());
  ASSERT_NE(doc, nullptr);
  CWnd* view = HostFixture::ViewOf(doc);
  ASSERT_NE(view, nullptr);
  const auto shown = [view](int id) {
    CWnd* control = view->GetDlgItem(id);
    return control != nullptr && control->GetWidget()->isVisibleTo(view->GetWidget());
  };
  for (int id : {IDC_VIEW_TREE, IDC_VIEW_MODE_TO_LIST, IDC_VIEW_REFRESH, IDC_VIEW_REMOVE}) {
    EXPECT_TRUE(shown(id)) << id;
  }
  for (int id : {IDC_VIEW_LOOKIN_LABEL, IDC_VIEW_GROUP_COMBO, IDC_VIEW_GROUP_BUTTON,
                 IDC_VIEW_APP_LIST, IDC_VIEW_MODE_TO_TREE}) {
    EXPECT_FALSE(shown(id)) << id;
  }
  // 16 by 16 images and no caption: image + 6 each way.
  CRect refresh;
  view->GetDlgItem(IDC_VIEW_REFRESH)->GetWindowRect(&refresh);
  EXPECT_EQ(refresh.Width(), 22);
  EXPECT_EQ(refresh.Height(), 22);
  EXPECT_FALSE(view->GetDlgItem(IDC_VIEW_UNLOCK)->IsWindowEnabled());
}

TEST_F(FormViewTest, PreferencesAreReadBeforeTheLoadSoTheirFolderIsScanned) {
  HostFixture::WriteLog(host.Data(), "dbapp", 3);
  HostFixture::WriteLog(host.Home(), "homeapp", 3);  // beside the executable: a decoy
  const struct {
    const char* name;
    bool writePrefs;
    fs::path scanned;
    const char* app;
  } cases[] = {
      {"preferences name the data folder", true, host.Data(), "dbapp"},
      // Without a preferences file the data folder is unknown and the executable's
      // folder stays current: that is where the scan looks.
      {"no preferences file", false, host.Home(), "homeapp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.WriteOptions(host.Data());
    if (!c.writePrefs) fs::remove(host.Home() / "options" / "mainpref.ini");
    CDLLDocument* doc = AsModuleDocument(host.OpenDocument(host.AddModuleTemplate()));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetScannedFolder(), fs::canonical(c.scanned).string() + "/");
    const auto other = doc->GetGroupMap().find(kOtherApplications);
    ASSERT_NE(other, doc->GetGroupMap().end());
    ASSERT_EQ(other->second.size(), 1u);
    EXPECT_EQ(other->second[0].Name, c.app);
    EXPECT_GT(other->second[0].TodayTime, 0);
    EXPECT_EQ(doc->GetAllTotals().today, other->second[0].TodayTime);
    // The load wrote the tree back with what it found.
    GroupMap saved;
    ViewOptionsFile((host.Home() / "options" / "viewopt.xml").string()).Load(saved);
    ASSERT_EQ(saved.count(kOtherApplications), 1u);
    EXPECT_EQ(saved.at(kOtherApplications).at(0).Name, c.app);
  }
}

TEST_F(FormViewTest, OpenedWindowRendersToAPicture) {
  host.WriteOptions(host.Data());
  HostFixture::WriteLog(host.Data(), "editor", 5);
  CDocument* doc = host.OpenDocument(host.AddModuleTemplate());
  ASSERT_NE(doc, nullptr);
  QWidget* window = host.mainFrame->GetSafeHwnd();
  window->show();
  PumpEvents(50);
  const QPixmap picture = window->grab();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), window->size() * picture.devicePixelRatio());
  // The form is inside the main window: the tree's white face differs from the empty
  // client area in the window's far corner.
  CWnd* tree = HostFixture::ViewOf(doc)->GetDlgItem(IDC_VIEW_TREE);
  ASSERT_NE(tree, nullptr);
  const QPoint inTree = tree->GetSafeHwnd()->mapTo(window, tree->GetSafeHwnd()->rect().center());
  const QImage image = picture.toImage();
  EXPECT_NE(image.pixel(inTree * picture.devicePixelRatio()),
            image.pixel(image.width() - 3, image.height() - 3));
  const fs::path file = fs::path(TASKMETER_MODULE_PICTURES) / "module_form.png";
  EXPECT_TRUE(picture.save(QString::fromStdString(file.string())));
  EXPECT_TRUE(fs::exists(file));
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "accounting/DLLDocument.h"
#include "tests/module/ModuleHost.h"

namespace fs = std::filesystem;

namespace {

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

#include <sys/stat.h>

#include "framework/core/FileIO.h"
#include "framework/core/Paths.h"
#include "host/FirstStart.h"
#include "storage/MainPrefs.h"
#include "tests/host/HostTestSupport.h"
#include "tools/common/SampleHome.h"

namespace {

namespace fs = std::filesystem;

// The defaults as the preferences file spells them, written out independently.
const char* const kDefaultPrefs =
    "db path=\r\n"
    "idle time=300\r\n"
    "last/current open db file=\r\n"
    "Language=English\r\n"
    "LoadOnStartup=0\r\n"
    "bPauseTimeTrackingOnUserInActive=1\r\n"
    "bPauseTimeTrackingOnScreenSaverActive=1\r\n"
    "bEnableFilter=0\r\n"
    "iShowpProgrUsedMoreSec=60\r\n"
    "iShowpProgrUsedMorePercent=1\r\n"
    "bAnimatedIconInSysTray=1\r\n"
    "Pass=\r\n"
    "isPass=0\r\n";

TEST(FirstStart, CreatesTheThreeFilesAnInstallerWould) {
  ScopedHome home;
  std::string error;
  ASSERT_EQ(PrepareOptionsFolder(home.Options().string(), error), FirstStartResult::Created)
      << error;
  EXPECT_EQ(ReadBytes(home.Options() / "mainpref.ini"), kDefaultPrefs);
  EXPECT_EQ(ReadBytes(home.Options() / "viewopt.xml"), "<Options/>\r\n");
  EXPECT_EQ(ReadBytes(home.Options() / "predefgroups.xml"), SamplePredefinedGroupsText());
  // Only the owner may read the preferences: they may carry the password.
  struct stat info {};
  ASSERT_EQ(stat((home.Options() / "mainpref.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);
  // They read back as the defaults, the empty data folder standing for the default one.
  MainPrefs read;
  read.IdleTime = -1;
  ASSERT_TRUE(ReadMainPrefs((home.Options() / "mainpref.ini").string(), read));
  MainPrefs expected;
  expected.DbPath = GetDefaultDataFolder();
  EXPECT_EQ(read, expected);
}

// A start that failed half way (a full disk) is made good by the next: what is missing
// is made, and nothing that is there (a file, a folder, a broken link) is replaced.
TEST(FirstStart, EveryStartMakesWhatIsMissingAndKeepsWhatIsThere) {
  ScopedHome home;
  std::string error;
  SetWriteFailureAfterBytesForTesting(0);
  EXPECT_EQ(PrepareOptionsFolder(home.Options().string(), error), FirstStartResult::Failed);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_TRUE(fs::is_empty(home.Options()));  // no half-written file left
  home.Write("options/viewopt.xml", "<Options><Group/></Options>");
  fs::create_directory(home.Options() / "predefgroups.xml");
  EXPECT_EQ(PrepareOptionsFolder(home.Options().string(), error), FirstStartResult::Created);
  EXPECT_EQ(ReadBytes(home.Options() / "mainpref.ini"), kDefaultPrefs);
  EXPECT_EQ(ReadBytes(home.Options() / "viewopt.xml"), "<Options><Group/></Options>");
  EXPECT_TRUE(fs::is_directory(home.Options() / "predefgroups.xml"));
  fs::remove(home.Options() / "mainpref.ini");
  fs::create_symlink(home.Path() / "nowhere", home.Options() / "mainpref.ini");
  EXPECT_EQ(PrepareOptionsFolder(home.Options().string(), error), FirstStartResult::AlreadySetUp);
  EXPECT_TRUE(fs::is_symlink(home.Options() / "mainpref.ini"));
  EXPECT_EQ(std::distance(fs::directory_iterator(home.Options()), {}), 3);
}

TEST(FirstStart, FailsClearlyWhereTheFolderCannotBeMade) {
  ScopedHome home;
  home.Write("blocker", "a file where a folder should go");
  std::string error;
  EXPECT_EQ(PrepareOptionsFolder((home.Path() / "blocker/options").string(), error),
            FirstStartResult::Failed);
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(home.Path() / "blocker"), "a file where a folder should go");
}

class FirstStartHost : public HostFixture {};

TEST_F(FirstStartHost, TheHostSetsUpTheHomeBeforeTheModuleLoads) {
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  EXPECT_TRUE(m_app->CreatedOptions());
  EXPECT_EQ(ReadBytes(m_home.Options() / "mainpref.ini"), kDefaultPrefs);
  EXPECT_EQ(ReadBytes(m_home.Options() / "viewopt.xml"), "<Options/>\r\n");
  m_app.reset();
  ASSERT_TRUE(Start(StandinModulePath())) << m_error;
  EXPECT_FALSE(m_app->CreatedOptions());
}

}  // namespace

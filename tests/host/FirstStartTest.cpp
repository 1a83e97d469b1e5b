#include <sys/stat.h>

#include "framework/core/FileIO.h"
#include "host/FirstStart.h"
#include "tests/host/HostTestSupport.h"
#include "tools/common/SampleHome.h"

namespace {

namespace fs = std::filesystem;

// The defaults as the preferences file spells them, written out independently.
const char* const kDefaultPrefs =
    "db path=\r\nidle time=300\r\nlast/current open db file=\r\nLanguage=English\r\n"
    "LoadOnStartup=0\r\nbPauseTimeTrackingOnUserInActive=1\r\n"
    "bPauseTimeTrackingOnScreenSaverActive=1\r\nbEnableFilter=0\r\n"
    "iShowpProgrUsedMoreSec=60\r\niShowpProgrUsedMorePercent=1\r\n"
    "bAnimatedIconInSysTray=1\r\nPass=\r\nisPass=0\r\n";

TEST(FirstStart, CreatesTheThreeFilesAnInstallerWould) {
  ScopedHome home;
  const fs::path options = home.Options();
  ASSERT_EQ(*PrepareOptionsFolder(options.string()), FirstStartResult::Created);
  EXPECT_EQ(ReadBytes(options / "mainpref.ini"), kDefaultPrefs);
  EXPECT_EQ(ReadBytes(options / "viewopt.xml"), "<Options/>\r\n");
  EXPECT_EQ(ReadBytes(options / "predefgroups.xml"), SamplePredefinedGroupsText());
  // Only the owner may read the preferences: they may carry the password.
  struct stat info {};
  ASSERT_EQ(stat((options / "mainpref.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);
}

// A start that failed half way (a full disk) is made good by the next: what is missing
// is made, and nothing that is there (a file, a folder, a broken link) is replaced. A
// home where no folder can be made is told as such and left alone.
TEST(FirstStart, EveryStartMakesWhatIsMissingAndKeepsWhatIsThere) {
  ScopedHome home;
  const fs::path options = home.Options();
  SetWriteFailureAfterBytesForTesting(0);
  EXPECT_EQ(PrepareOptionsFolder(options.string()).GetStatus().Code(), ErrorCode::CannotWrite);
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_TRUE(fs::is_empty(options));  // no half-written file left
  home.Write("options/viewopt.xml", "<Options><Group/></Options>");
  fs::create_directory(options / "predefgroups.xml");
  EXPECT_EQ(*PrepareOptionsFolder(options.string()), FirstStartResult::Created);
  EXPECT_EQ(ReadBytes(options / "mainpref.ini"), kDefaultPrefs);
  EXPECT_EQ(ReadBytes(options / "viewopt.xml"), "<Options><Group/></Options>");
  EXPECT_TRUE(fs::is_directory(options / "predefgroups.xml"));
  fs::remove(options / "mainpref.ini");
  fs::create_symlink(home.Path() / "nowhere", options / "mainpref.ini");
  EXPECT_EQ(*PrepareOptionsFolder(options.string()), FirstStartResult::AlreadySetUp);
  EXPECT_TRUE(fs::is_symlink(options / "mainpref.ini"));
  EXPECT_EQ(std::distance(fs::directory_iterator(options), {}), 3);
  home.Write("blocker", "a file where a folder should go");
  const auto blocked = PrepareOptionsFolder((home.Path() / "blocker/options").string());
  EXPECT_EQ(blocked.GetStatus().Code(), ErrorCode::CannotCreate);
  EXPECT_NE(blocked.Message().find("cannot create"), std::string::npos) << blocked.Message();
  EXPECT_EQ(ReadBytes(home.Path() / "blocker"), "a file where a folder should go");
}

}  // namespace

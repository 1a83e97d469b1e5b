#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "AccountingTestSupport.h"
#include "accounting/DLLDocument.h"
#include "core/ScopedEnv.h"
#include "framework/core/CurrentDirectory.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A home folder of its own (options and data folders) for one test; the previous
// home and current directory come back afterwards.
class DocumentTest : public testing::Test {
 protected:
  DocumentTest() : oldHome_(std::getenv("TASKMETER_HOME")), oldCwd_(GetCurrentDirectory()) {
    fs::create_directories(Data());
    setenv("TASKMETER_HOME", home_.Path().c_str(), 1);
    MainPrefs prefs;
    prefs.DbPath = Data().string();
    home_.Write("options/mainpref.ini", MainPrefsText(prefs));
  }
  ~DocumentTest() override {
    setenv("TASKMETER_HOME", oldHome_.c_str(), 1);
    SetCurrentDirectory(oldCwd_);
  }

  fs::path Data() const { return home_.Path() / "data"; }
  fs::path TreePath() const { return home_.Path() / "options" / "viewopt.xml"; }
  // A day's log of `blocks` (at most nine) blocks of `app`, one minute each from 09:00.
  void WriteLog(const fs::path& folder, const std::string& name, const std::string& day,
                const std::string& app, int blocks) {
    auto at = [&](int minute) { return day + " 09 0" + std::to_string(minute) + " 00"; };
    std::string text;
    for (int i = 0; i < blocks; ++i) {
      text += LogBlockText({at(i), at(i + 1), app + " display", "title", app, "/usr/bin/" + app});
    }
    home_.Write((folder / name).lexically_relative(home_.Path()).string(), text);
  }

  TimeZoneGuard zone_{"Europe/Berlin"};
  FixedClockGuard clock_{LocalTime(2026, 7, 15, 12, 0, 0)};
  TempDir home_;
  std::string oldHome_;
  std::string oldCwd_;
};

TEST_F(DocumentTest, ATreeFileThatCannotBeOpenedIsLeftAlone) {
  fs::create_directories(TreePath());  // exists, but cannot be read as a file
  WriteLog(Data(), "2026-07-15.log", "07 15", "editor", 3);
  CDLLDocument doc;
  ASSERT_TRUE(doc.ReadPrefs());
  doc.LoadDocument();
  EXPECT_TRUE(doc.GetRecords().empty());
  EXPECT_TRUE(fs::is_directory(TreePath()));
}

// Other computers' folders as a sync tool leaves them: each computer's blocks paired on
// their own, files chosen by the dates in their names, leftovers and a torn tail
// skipped, this computer's own folder and a second way into one counted once.
TEST_F(DocumentTest, OtherComputersCountOnceEachAndAFolderMayGo) {
  const fs::path share = home_.Path() / "share";
  const fs::path computers = share / "Kestrel Works/TaskMeter/Computers";
  const fs::path laptop = computers / "laptop";
  ScopedEnv xdg("XDG_DATA_HOME", share.string());
  const GroupMap tree = {{"Work", {App("Ed", "editor"), App("Web", "browser"), App("M", "mail")}}};
  home_.Write("options/viewopt.xml", ViewOptionsText(tree));
  WriteLog(Data(), "2026-07-15.log", "07 15", "editor", 3);
  WriteLog(Data(), "2026-07-15.sync-conflict-20260715-101010-ABCDEFG.log", "07 15", "editor", 3);
  WriteLog(laptop, "2026-06-13.log", "06 13", "mail", 3);  // before the 31 days began
  WriteLog(laptop, "2026-06-14.log", "06 14", "mail", 2);  // on their first day
  std::ofstream(laptop / "2026-06-14.log", std::ios::app) << "06 14 10 00 00\n06 14 1";
  WriteLog(laptop, "2026-07-15.log", "07 15", "browser", 4);
  for (const char* leftover :
       {"2026-07 notes.log", "2026-07-14 (conflicted copy 2026-07-15 101010).log",
        "2026-07-15.sync-conflict-20260715-101010-ABCDEFG.log"}) {
    WriteLog(laptop, leftover, "07 15", "editor", 3);
  }
  WriteLog(computers / ".stversions", "2026-07-15.log", "07 15", "editor", 3);
  fs::create_directory_symlink(Data(), computers / "mine");
  fs::create_directory_symlink(laptop, computers / "twin");
  fs::create_directory_symlink(home_.Path() / "unmounted", computers / "gone");
  std::vector<std::string> skipped = {(computers / "gone/").string()};
  if (::geteuid() == 0) {  // only root can give a folder to another user
    WriteLog(computers / "theirs", "2026-07-15.log", "07 15", "editor", 3);
    ASSERT_EQ(::chown((computers / "theirs").c_str(), 65534, 65534), 0);
    skipped.push_back((computers / "theirs/").string());
  }
  CDLLDocument doc;
  ASSERT_TRUE(doc.ReadPrefs());
  const auto check = [&](size_t computerCount, int32_t browser, int32_t mail) {
    doc.LoadDocument();
    ASSERT_EQ(doc.GetComputers().size(), computerCount);
    EXPECT_TRUE(doc.GetComputers()[0].thisComputer);
    EXPECT_EQ(doc.GetRecordCount(0), 2u);
    std::vector<std::string> named;
    for (const SkippedComputerFolder& s : doc.GetSkippedComputers()) named.push_back(s.path);
    EXPECT_EQ(named, skipped);
    const AppList& work = doc.GetGroupMap().at("Work");
    EXPECT_EQ(std::vector<int32_t>({work[0].MonthTime, work[1].MonthTime, work[2].MonthTime}),
              std::vector<int32_t>({120, browser, mail}));
  };
  // The last mail block of June 14th is timed by the laptop's first of July 15th.
  ASSERT_NO_FATAL_FAILURE(check(2, 180, 60));
  EXPECT_EQ(doc.GetComputers()[1].name, "laptop");
  EXPECT_EQ(doc.GetRecordCount(1), 5u);
  const AppList laptopWork = doc.GetComputerTree(1).at("Work");
  EXPECT_EQ(laptopWork[0].MonthTime, 0);
  EXPECT_EQ(laptopWork[1].MonthTime, 180);

  fs::remove_all(laptop);
  skipped.push_back((computers / "twin/").string());
  check(1, 0, 0);
}

}  // namespace

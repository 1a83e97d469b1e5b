#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "AccountingTestSupport.h"
#include "accounting/DLLDocument.h"
#include "core/ScopedEnv.h"
#include "framework/core/Autostart.h"
#include "framework/core/CurrentDirectory.h"
#include "framework/core/Paths.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"
#include "tree/TreeOps.h"

namespace fs = std::filesystem;

namespace {

// A home folder of its own (options and data folders) for one test; the previous
// home and current directory come back afterwards.
class DocumentTest : public testing::Test {
 protected:
  DocumentTest() : oldHome_(std::getenv("TASKMETER_HOME")), oldCwd_(GetCurrentDirectory()) {
    fs::create_directories(Data());
    setenv("TASKMETER_HOME", home_.Path().c_str(), 1);
    WritePrefs(Data().string());
  }
  ~DocumentTest() override {
    setenv("TASKMETER_HOME", oldHome_.c_str(), 1);
    SetCurrentDirectory(oldCwd_);
  }

  fs::path Data() const { return home_.Path() / "data"; }
  fs::path TreePath() const { return home_.Path() / "options" / "viewopt.xml"; }
  void WritePrefs(const std::string& dbPath, bool loadOnStartup = false) {
    MainPrefs prefs;
    prefs.DbPath = dbPath;
    prefs.LoadOnStartup = loadOnStartup;
    home_.Write("options/mainpref.ini", MainPrefsText(prefs));
  }
  void WriteTree(const GroupMap& tree) {
    home_.Write("options/viewopt.xml", ViewOptionsText(tree));
  }
  GroupMap SavedTree() const {
    GroupMap tree;
    ViewOptionsFile(TreePath().string()).Load(tree);
    return tree;
  }
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
  std::unique_ptr<CDLLDocument> PreparedDocument() {
    auto doc = std::make_unique<CDLLDocument>();
    EXPECT_TRUE(doc->ReadPrefs());
    return doc;
  }

  TimeZoneGuard zone_{"Europe/Berlin"};
  FixedClockGuard clock_{LocalTime(2026, 7, 15, 12, 0, 0)};
  TempDir home_;
  std::string oldHome_;
  std::string oldCwd_;
};

TEST_F(DocumentTest, FirstRunCreatesAnEmptyTreeFileAndTheRefreshScans) {
  WriteLog(Data(), "2026-07-15.log", "07 15", "editor", 3);
  auto doc = PreparedDocument();
  doc->SetTitle("Untitled");
  ASSERT_TRUE(doc->OnNewDocument());
  EXPECT_EQ(doc->GetTitle(), "");
  EXPECT_TRUE(fs::exists(TreePath()));
  EXPECT_EQ(fs::file_size(TreePath()), 0u);
  EXPECT_TRUE(doc->GetGroupMap().empty());
  EXPECT_TRUE(doc->GetRecords().empty());

  doc->LoadDocument();
  ASSERT_EQ(doc->GetRecords().size(), 2u);
  const AppList& other = doc->GetGroupMap().at(kOtherApplications);
  ASSERT_EQ(other.size(), 1u);
  EXPECT_EQ(other[0].ShowAs, "editor display");
  EXPECT_EQ(other[0].TodayTime, 120);
  EXPECT_EQ(SavedTree().at(kOtherApplications).at(0).Name, "editor");
  EXPECT_EQ(doc->GetScannedFolder(), fs::canonical(Data()).string() + "/");
  EXPECT_EQ(GetCurrentDirectory(), doc->GetScannedFolder());
}

// Every refresh reads the saved tree again and counts afresh. Relative folders are taken
// from where the program started, so refreshes after the scan has moved the current
// directory find the same tree and logs.
TEST_F(DocumentTest, RefreshReadsTheSavedTreeAgainFromRelativeFolders) {
  WriteTree({{"Work", {App("Ed", "editor")}}});
  WriteLog(Data(), "2026-07-15.log", "07 15", "editor", 4);
  WritePrefs("data");
  ASSERT_TRUE(SetCurrentDirectory(home_.Path().parent_path().string()));
  setenv("TASKMETER_HOME", home_.Path().filename().c_str(), 1);
  auto doc = PreparedDocument();
  doc->LoadDocument();
  EXPECT_EQ(doc->GetGroupMap().at("Work")[0].MonthTime, 180);
  EXPECT_EQ(doc->GetScannedFolder(), fs::canonical(Data()).string() + "/");
  doc->GetGroupMap()["Unsaved"] = {App("X", "x")};
  doc->LoadDocument();
  EXPECT_EQ(doc->GetGroupMap().count("Unsaved"), 0u);
  doc->GetGroupMap()["Saved"] = {App("Ed", "editor")};
  ASSERT_TRUE(doc->SaveGroupMap());
  doc->LoadDocument();
  EXPECT_EQ(doc->GetGroupMap().at("Saved")[0].MonthTime, 180);
  EXPECT_EQ(doc->GetGroupMap().at("Work")[0].MonthTime, 180);  // fresh, not doubled
}

// Identical bytes are not written again: the file keeps its inode and time. A load
// that changes the tree still replaces the file whole (a new inode).
TEST_F(DocumentTest, ALoadThatChangesNothingLeavesTheTreeFileAlone) {
  WriteTree({});
  WriteLog(Data(), "2026-07-15.log", "07 15", "editor", 3);
  auto doc = PreparedDocument();
  doc->LoadDocument();  // "Other Applications" gets the editor
  const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, TreePath().c_str(), past, 0), 0);
  struct stat before {};
  ASSERT_EQ(stat(TreePath().c_str(), &before), 0);
  doc->LoadDocument();
  struct stat after {};
  ASSERT_EQ(stat(TreePath().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);

  WriteLog(Data(), "2026-07-15-b.log", "07 15", "browser", 3);
  doc->LoadDocument();
  ASSERT_EQ(stat(TreePath().c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);
  EXPECT_EQ(SavedTree().at(kOtherApplications).size(), 2u);
}

TEST_F(DocumentTest, ATreeFileThatCannotBeOpenedIsLeftAlone) {
  fs::create_directories(TreePath());  // exists, but cannot be read as a file
  WriteLog(Data(), "2026-07-15.log", "07 15", "editor", 3);
  auto doc = PreparedDocument();
  doc->LoadDocument();
  EXPECT_TRUE(doc->GetRecords().empty());
  EXPECT_TRUE(fs::is_directory(TreePath()));
}

TEST_F(DocumentTest, ScanFolderFollowsThePreferences) {
  WriteTree({});
  const fs::path home = home_.Path();
  WriteLog(home, "2026-07-15.log", "07 15", "homeapp", 2);
  WriteLog(Data(), "2026-07-15.log", "07 15", "dataapp", 2);
  const struct {
    std::string dbPath;
    fs::path scanned;
    const char* app;  // nullptr: no records
  } cases[] = {
      {Data().string(), Data(), "dataapp"},
      {(home / "missing").string(), home, "homeapp"},  // the executable directory stays
      {"", GetDefaultDataFolder(), nullptr},           // read as the default data folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dbPath);
    WritePrefs(c.dbPath);
    auto doc = PreparedDocument();
    doc->LoadDocument();
    EXPECT_EQ(doc->GetScannedFolder(), fs::canonical(c.scanned).string() + "/");
    if (c.app == nullptr) {
      EXPECT_TRUE(doc->GetRecords().empty());
    } else {
      ASSERT_EQ(doc->GetRecords().size(), 1u);
      EXPECT_EQ(doc->GetRecords()[0].AppName, c.app);
    }
  }
}

TEST_F(DocumentTest, CutoffByCreationTimeAndOrderByNameDate) {
  WriteTree({});
  const int64_t cutoff = ClockNow() - 31 * 86400;
  WriteLog(Data(), "2026-07-14.log", "07 14", "b", 2);  // found in any order
  WriteLog(Data(), "2026-07-13.log", "07 13", "a", 2);
  WriteLog(Data(), "2026-07-15.log", "07 15", "old", 2);
  CreationTimeGuard times([&](const std::string& path) {
    return path.ends_with("07-15.log")   ? cutoff - 1
           : path.ends_with("07-13.log") ? cutoff
                                         : cutoff + 9;
  });
  auto doc = PreparedDocument();
  doc->LoadDocument();
  const auto& records = doc->GetRecords();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].AppName, "a");
  EXPECT_EQ(records[1].AppName, "a");  // the 13th's last block, timed by the 14th's first
  EXPECT_EQ(records[1].StartTime, "07 14 09 00 00");
  EXPECT_EQ(records[2].AppName, "b");
}

TEST_F(DocumentTest, GroupTotalsSumSubGroupsAndNeverAddAGroup) {
  AppEntry carrier = App(kNoneName, kNoneName);
  carrier.SubGroups["Sub"] = {App("Ed", "editor"), App("Idle", "idle")};
  WriteTree({{"Work", {App("Mail", "mail"), carrier}}, {"Private", {App("Ed", "editor")}}});
  std::string text;
  // editor 10 min, idle 5 min, mail 1 min, then a closing block.
  text += LogBlockText({"07 15 08 00 00", "07 15 08 00 00", "E", "", "editor", "/e"});
  text += LogBlockText({"07 15 08 00 00", "07 15 08 10 00", "I", "", "idle", "/i"});
  text += LogBlockText({"07 15 08 10 00", "07 15 08 15 00", "M", "", "mail", "/m"});
  text += LogBlockText({"07 15 08 15 00", "07 15 08 16 00", "E", "", "editor", "/e"});
  home_.Write("data/2026-07-15.log", text);
  auto doc = PreparedDocument();
  doc->LoadDocument();
  const GroupMap before = doc->GetGroupMap();
  EXPECT_EQ(doc->GetGroupTotals({"Work"}), (PeriodTotals{660, 660, 660}));
  EXPECT_EQ(doc->GetGroupTotals({"Work", "Sub"}), (PeriodTotals{600, 600, 600}));
  EXPECT_EQ(doc->GetGroupTotals({"Private"}), (PeriodTotals{600, 600, 600}));
  EXPECT_EQ(doc->GetGroupTotals({"Nowhere"}), PeriodTotals{});
  EXPECT_EQ(doc->GetGroupTotals({"Work", "Nowhere"}), PeriodTotals{});
  EXPECT_EQ(doc->GetGroupTotals({"Private", "Sub"}), PeriodTotals{});
  EXPECT_EQ(doc->GetGroupTotals({}), PeriodTotals{});
  EXPECT_EQ(doc->GetGroupMap(), before);
  // The editor sits in two groups and counts in both; idle time counts nowhere.
  EXPECT_EQ(doc->GetAllTotals(), (PeriodTotals{1260, 1260, 1260}));
  // The idle entry holds its own time all the same.
  EXPECT_EQ(FindGroupList(doc->GetGroupMap(), {"Work", "Sub"})->at(1).MonthTime, 300);
  // Negative totals add nothing.
  doc->GetGroupMap()["Work"] = {App("Ed", "editor")};
  doc->GetGroupMap()["Work"][0].MonthTime = -5;
  doc->GetGroupMap()["Work"][0].WeekTime = 7;
  EXPECT_EQ(doc->GetGroupTotals({"Work"}), (PeriodTotals{0, 7, 0}));
}

TEST_F(DocumentTest, PreferencesWithAndWithoutTheAutostartStep) {
  fs::remove(GetAutostartEntryPath());
  WritePrefs(Data().string(), true);
  CDLLDocument doc;
  ASSERT_TRUE(doc.ReadPrefs());
  EXPECT_TRUE(doc.GetPrefs().LoadOnStartup);
  EXPECT_FALSE(fs::exists(GetAutostartEntryPath()));
  doc.LoadPrefs();
  EXPECT_TRUE(fs::exists(GetAutostartEntryPath()));
  WritePrefs(Data().string(), false);
  doc.LoadPrefs();
  EXPECT_FALSE(doc.GetPrefs().LoadOnStartup);
  EXPECT_FALSE(fs::exists(GetAutostartEntryPath()));
  fs::remove(home_.Path() / "options" / "mainpref.ini");
  EXPECT_FALSE(doc.ReadPrefs());
  EXPECT_EQ(doc.GetPrefs().DbPath, Data().string());  // kept from the last read
}

// Other computers' folders as a sync tool leaves them: each computer's blocks paired on
// their own, files chosen by the dates in their names, leftovers and a torn tail
// skipped, this computer's own folder and a second way into one counted once.
TEST_F(DocumentTest, OtherComputersCountOnceEachAndAFolderMayGo) {
  const fs::path share = home_.Path() / "share";
  const fs::path computers = share / "Kestrel Works/TaskMeter/Computers";
  const fs::path laptop = computers / "laptop";
  ScopedEnv xdg("XDG_DATA_HOME", share.string());
  WriteTree({{"Work", {App("Ed", "editor"), App("Web", "browser"), App("Mail", "mail")}}});
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
  auto doc = PreparedDocument();
  const auto check = [&](size_t computerCount, int32_t browser, int32_t mail) {
    doc->LoadDocument();
    ASSERT_EQ(doc->GetComputers().size(), computerCount);
    EXPECT_TRUE(doc->GetComputers()[0].thisComputer);
    EXPECT_EQ(doc->GetRecordCount(0), 2u);
    std::vector<std::string> named;
    for (const SkippedComputerFolder& s : doc->GetSkippedComputers()) named.push_back(s.path);
    EXPECT_EQ(named, skipped);
    const AppList& work = doc->GetGroupMap().at("Work");
    EXPECT_EQ(std::vector<int32_t>({work[0].MonthTime, work[1].MonthTime, work[2].MonthTime}),
              std::vector<int32_t>({120, browser, mail}));
  };
  // The last mail block of June 14th is timed by the laptop's first of July 15th.
  ASSERT_NO_FATAL_FAILURE(check(2, 180, 60));
  EXPECT_EQ(doc->GetComputers()[1].name, "laptop");
  EXPECT_EQ(doc->GetRecordCount(1), 5u);
  const GroupMap laptopTree = doc->GetComputerTree(1);
  const AppList& laptopWork = laptopTree.at("Work");
  EXPECT_EQ(laptopWork[0].MonthTime, 0);
  EXPECT_EQ(laptopWork[1].MonthTime, 180);

  fs::remove_all(laptop);
  skipped.push_back((computers / "twin/").string());
  check(1, 0, 0);
}

}  // namespace

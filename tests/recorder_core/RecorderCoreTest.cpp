// The recorder's blocks, its day files, its names and its timeline, without a desktop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accounting/LogReader.h"
#include "framework/core/Paths.h"
#include "host/toolkit/LocalTime.h"
#include "recorder/ActivityLogFolder.h"
#include "recorder/ActivityRecorder.h"
#include "recorder/ApplicationNamer.h"
#include "recorder/RecorderSettings.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

int64_t At(int year, int month, int day, int hour, int minute, int second) {
  return LocalToSeconds({year, month, day, hour, minute, second});
}

struct MemorySink : BlockSink {
  bool Append(const RecordedBlock& block) override {
    blocks.push_back(block);
    return true;
  }
  std::vector<RecordedBlock> blocks;
};

// What the module's reader takes from a file's bytes.
std::vector<std::vector<std::string>> ReaderBlocks(const std::string& bytes) {
  std::vector<std::vector<std::string>> blocks;
  ReadLogBlocks(bytes, [&](const LogBlockLines& b) {
    blocks.push_back({std::string(b.StartTime), std::string(b.EndTime), std::string(b.DisplayName),
                      std::string(b.WindowTitle), std::string(b.AppName), std::string(b.AppPath)});
  });
  return blocks;
}

TEST(RecorderLines, CutAtTheReadersLimitOnACharacterBoundary) {
  const std::string kEuro = "\xE2\x82\xAC";      // three bytes
  const std::string kClef = "\xF0\x9D\x84\x9E";  // four bytes
  struct Case {
    std::string text;
    size_t length;
  };
  const std::vector<Case> cases{
      {std::string(1025, 'a'), 1025},
      {std::string(1030, 'a'), 1025},
      {std::string(1024, 'a') + kEuro, 1024},  // would end inside the euro sign
      {std::string(1022, 'a') + kEuro + "b", 1025},
      {std::string(1023, 'a') + kClef, 1023},
      {std::string(1021, 'a') + kClef + "b", 1025},
      {std::string(1020, 'a') + std::string(10, '\x80'), 1025},  // not UTF-8: cut as it is
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SafeLogLine(c.text).size(), c.length) << c.text.size();
  }
  EXPECT_EQ(SafeLogLine("one\ntwo\r\nthree\r"), "one two  three ");
}

TEST(RecorderLines, BlockCarriesTheYearAndTheReaderTakesIt) {
  RecordedBlock block{At(2026, 3, 9, 8, 5, 1),
                      At(2026, 3, 10, 14, 45, 41),
                      {"Text Editor", "a\nb", "editor", "/usr/bin/editor"}};
  const std::string text = BlockText(block);
  EXPECT_EQ(text,
            "2026 03 09 08 05 01\n2026 03 10 14 45 41\nText Editor\na b\neditor\n"
            "/usr/bin/editor\n~~~\n");
  ASSERT_EQ(ReaderBlocks(text).size(), 1u);
  EXPECT_EQ(LogFileName(block.start), "2026-03-09.log");
}

// Each interval is credited to the subject of the block before it, so the recorder's
// blocks are checked as the pairs the module makes of them.
class RecorderTimeline : public testing::Test {
 protected:
  struct Interval {
    std::string subject;
    int64_t start, end;
  };
  std::vector<Interval> Intervals() const {
    std::vector<Interval> out;
    for (size_t i = 0; i + 1 < sink.blocks.size(); ++i) {
      out.push_back(
          {sink.blocks[i].subject.displayName, sink.blocks[i + 1].start, sink.blocks[i + 1].end});
    }
    return out;
  }
  const ActivitySubject editor{"Editor", "notes", "editor", "/bin/editor"};
  const ActivitySubject browser{"Browser", "news", "browser", "/bin/browser"};
  MemorySink sink;
  ActivityRecorder recorder{sink};
};

TEST_F(RecorderTimeline, SwitchesPausesAndStop) {
  const int64_t t = At(2026, 3, 10, 9, 0, 0);
  recorder.Begin(t, editor);
  recorder.Foreground(t + 10, editor);  // nothing changed: no block
  recorder.Foreground(t + 60, browser);
  recorder.Pause(t + 400, t + 100);      // input stopped at +100, seen at +400
  recorder.Foreground(t + 450, editor);  // followed, but not written while paused
  recorder.Resume(t + 500);
  recorder.Pause(t + 700, t + 650);
  recorder.End(t + 800);
  recorder.Foreground(t + 900, browser);  // after the end nothing is written
  const std::vector<Interval> expected{{"Editor", t, t + 60},
                                       {"Browser", t + 60, t + 100},
                                       {"Idle", t + 100, t + 500},
                                       {"Editor", t + 500, t + 650},
                                       {"Idle", t + 650, t + 800}};
  const auto got = Intervals();
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].subject, expected[i].subject) << i;
    EXPECT_EQ(got[i].start, expected[i].start) << i;
    EXPECT_EQ(got[i].end, expected[i].end) << i;
  }
  EXPECT_EQ(sink.blocks.front().start, sink.blocks.front().end);
  EXPECT_EQ(sink.blocks.back().subject, ActivitySubject::Stop());
}

TEST_F(RecorderTimeline, APauseNeverEndsBeforeTheRunningInterval) {
  const int64_t t = At(2026, 3, 10, 9, 0, 0);
  recorder.Begin(t, editor);
  recorder.Foreground(t + 50, browser);  // a program changed its caption; nobody typed
  recorder.Pause(t + 60, t + 10);
  EXPECT_EQ(sink.blocks.back().end, t + 50);
}

TEST_F(RecorderTimeline, MidnightClosesTheDayEvenWhenSeenLate) {
  const int64_t evening = At(2026, 12, 30, 23, 0, 0);
  recorder.Begin(evening, editor);
  recorder.Pause(At(2026, 12, 31, 1, 0, 0), At(2026, 12, 30, 23, 30, 0));
  // Two midnights pass before anything else happens (a machine asleep).
  recorder.Resume(At(2027, 1, 1, 8, 0, 0));
  std::vector<std::string> files;
  for (const RecordedBlock& block : sink.blocks) files.push_back(LogFileName(block.start));
  const std::vector<std::string> expected{"2026-12-30.log", "2026-12-30.log", "2026-12-30.log",
                                          "2026-12-31.log", "2026-12-31.log", "2027-01-01.log",
                                          "2027-01-01.log"};
  EXPECT_EQ(files, expected);
  for (const Interval& interval : Intervals()) {
    if (interval.end == interval.start) continue;  // the empty interval that opens a day
    EXPECT_EQ(LogFileName(interval.start), LogFileName(interval.end - 1))
        << interval.subject << " crosses a midnight";
  }
  EXPECT_EQ(sink.blocks.back().subject, editor);
}

class RecorderFolder : public testing::Test {
 protected:
  fs::path Folder() const { return dir.Path() / "db"; }
  TempDir dir{"taskmeter-recorder"};
};

TEST_F(RecorderFolder, OnlyOneRecorderWritesAFolder) {
  ActivityLogFolder first;
  ActivityLogFolder second;
  std::string error;
  ASSERT_EQ(first.Open(Folder().string(), error), FolderOpenResult::Opened);
  EXPECT_EQ(second.Open(Folder().string(), error), FolderOpenResult::Busy);
  EXPECT_NE(error.find("another TaskMeter"), std::string::npos);
  const fs::path file = dir.Write("not-a-folder", "x");
  EXPECT_EQ(second.Open((file / "db").string(), error), FolderOpenResult::Unwritable);
  first = ActivityLogFolder();
  EXPECT_EQ(second.Open(Folder().string(), error), FolderOpenResult::Opened);
}

// A host killed at any byte of its last block: the next start completes the torn block
// so that the reader drops it, and everything before and after is read.
TEST_F(RecorderFolder, EveryTornTailIsCompletedIntoADroppedBlock) {
  const int64_t t = At(2026, 3, 10, 9, 0, 0);
  const std::string kept = BlockText({t, t, {"Editor", "notes", "editor", "/bin/editor"}});
  const std::string torn = BlockText({t, t + 5, {"Browser", "news", "browser", "/bin/browser"}});
  const RecordedBlock next{t + 5, t + 9, {"Shell", "~", "sh", "/bin/sh"}};
  for (size_t cut = 0; cut < torn.size(); ++cut) {
    const fs::path file = Folder() / LogFileName(t);
    dir.Write(fs::relative(file, dir.Path()).string(), kept + torn.substr(0, cut));
    {
      ActivityLogFolder folder;
      std::string error;
      ASSERT_EQ(folder.Open(Folder().string(), error), FolderOpenResult::Opened) << error;
      ASSERT_TRUE(folder.Append(next)) << folder.LastError();
    }
    const auto blocks = ReaderBlocks(ReadBytes(file));
    // Cut right after the terminator's last tilde, the torn block is whole and kept.
    const bool whole = cut == torn.size() - 1;
    ASSERT_EQ(blocks.size(), whole ? 3u : 2u) << cut;
    EXPECT_EQ(blocks.front()[2], "Editor") << cut;
    EXPECT_EQ(blocks.back()[2], "Shell") << cut;
  }
}

TEST_F(RecorderFolder, ADeviceUnderADayFilesNameIsRefusedNotRead) {
  // /dev/zero would give bytes for ever to the check of its tail.
  ActivityLogFolder folder;
  std::string error;
  ASSERT_EQ(folder.Open(Folder().string(), error), FolderOpenResult::Opened);
  const int64_t t = At(2026, 3, 10, 9, 0, 0);
  fs::create_symlink("/dev/zero", Folder() / LogFileName(t));
  EXPECT_FALSE(folder.Append({t, t, {"A", "", "a", "/a"}}));
  EXPECT_NE(folder.LastError().find("not a regular file"), std::string::npos);
}

class RecorderNames : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("apps/org.example.Editor.desktop",
              "[Desktop Entry]\nName=Text Editor\nExec=editor %F\n[Desktop Action New]\n"
              "Name=New Window\n");
    dir.Write("apps/viewer.desktop",
              "[Desktop Entry]\nName=Picture Viewer\nExec=env A=1 "
              "\"/opt/viewer/bin/view\" %U\nStartupWMClass=Pix\n");
    dir.Write("apps/shadow.desktop", "[Desktop Entry]\nName=Shadowed\nHidden=true\n");
    dir.Write("more/viewer.desktop", "[Desktop Entry]\nName=Hidden by the first folder\n");
  }
  ApplicationNamer Namer() const {
    return ApplicationNamer(
        DesktopEntries::Scan({(dir.Path() / "apps").string(), (dir.Path() / "more").string()}));
  }
  TempDir dir{"taskmeter-names"};
};

TEST_F(RecorderNames, DisplayNamesComeFromTheDesktopThenTheClassThenTheProgram) {
  struct Case {
    WindowFacts window;
    ActivitySubject expected;
  };
  const std::vector<Case> cases{
      {{"t", "editor", "Editor", "/usr/bin/editor"},
       {"Text Editor", "t", "editor", "/usr/bin/editor"}},
      {{"t", "pix", "Pix", "/opt/viewer/bin/view"},
       {"Picture Viewer", "t", "view", "/opt/viewer/bin/view"}},
      {{"t", "x", "Other", "/usr/bin/view"}, {"Picture Viewer", "t", "view", "/usr/bin/view"}},
      {{"t", "term", "XTerm", "/usr/bin/xterm"}, {"XTerm", "t", "xterm", "/usr/bin/xterm"}},
      {{"t", "", "", "/usr/bin/bare"}, {"bare", "t", "bare", "/usr/bin/bare"}},
      {{"t", "ghost", "Ghost", ""}, {"Ghost", "t", "ghost", "wm-class:Ghost"}},
      {{"t", "", "", ""}, {"unknown", "t", "unknown", "wm-class:"}},
      {{"t", "", "", "", false}, {}},  // nothing in front
  };
  ApplicationNamer namer = Namer();
  for (const Case& c : cases) {
    EXPECT_EQ(namer.Name(c.window), c.expected) << c.window.wmClass << " " << c.window.programPath;
  }
}

TEST_F(RecorderNames, ADisplayNameWornByAnotherProgramOrAPauseIsMadeSpecific) {
  ApplicationNamer namer = Namer();
  namer.Reserve("Mail", "thunderbird");
  EXPECT_EQ(namer.Name({"", "e", "Editor", "/usr/bin/editor"}).displayName, "Text Editor");
  EXPECT_EQ(namer.Name({"", "e", "Editor", "/opt/other/gedit"}).displayName, "Text Editor (gedit)");
  EXPECT_EQ(namer.Name({"", "e", "Editor", "/usr/local/bin/editor"}).displayName, "Text Editor");
  EXPECT_EQ(namer.Name({"", "m", "Mail", "/usr/bin/mutt"}).displayName, "Mail (mutt)");
  EXPECT_EQ(namer.Name({"", "i", "Idle", "/usr/bin/idle"}).displayName, "Idle (idle)");
  EXPECT_EQ(namer.Name({"", "s", "Stop", ""}).displayName, "Stop (s)");
}

}  // namespace

namespace {

TEST(RecorderSettingsFromPrefs, FolderAndPausesAsTheModuleReadsThem) {
  MainPrefs prefs;
  prefs.DbPath = "logs";
  prefs.IdleTime = 90;
  prefs.bPauseTimeTrackingOnUserInActive = true;
  prefs.bPauseTimeTrackingOnScreenSaverActive = false;
  RecorderSettings settings = RecorderSettingsFrom(prefs, "/opt/tm/");
  EXPECT_EQ(settings.dataFolder, "/opt/tm/logs");
  EXPECT_EQ(settings.idleMilliseconds, 90000);
  EXPECT_FALSE(settings.pauseOnScreenSaver);
  prefs.DbPath = "/data/db/";
  prefs.IdleTime = 0;  // no idle pause, whatever the switch says
  settings = RecorderSettingsFrom(prefs, "/opt/tm/");
  EXPECT_EQ(settings.dataFolder, "/data/db/");
  EXPECT_EQ(settings.idleMilliseconds, std::nullopt);
  prefs.DbPath.clear();
  EXPECT_EQ(RecorderSettingsFrom(prefs, "/opt/tm/").dataFolder, GetDefaultDataFolder());
}

}  // namespace

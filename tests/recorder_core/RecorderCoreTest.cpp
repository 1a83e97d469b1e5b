// The recorder's blocks, its day files, its names and its timeline, without a desktop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "accounting/LogReader.h"
#include "framework/core/CivilTime.h"
#include "framework/core/Paths.h"
#include "recorder/ActivityLogFolder.h"
#include "recorder/ActivityRecorder.h"
#include "recorder/ApplicationNamer.h"
#include "recorder/ClockWatch.h"
#include "recorder/RecorderSettings.h"
#include "recorder/x11/X11Text.h"
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
      {std::string(1020, 'a') + std::string(10, '\x80'), 1023},  // each byte a U+FFFD
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SafeLogLine(c.text).size(), c.length) << c.text.size();
  }
  EXPECT_EQ(SafeLogLine("one\ntwo\r\nthree\r"), "one two  three ");
}

// Captions as windows give them, plain or in COMPOUND_TEXT, become valid UTF-8; under
// the C locale, as the tests run, since the decoding needs none.
TEST(RecorderLines, AreValidUtf8WithoutNul) {
  const auto bad = [](size_t n) {
    std::string replacements;
    while (n-- > 0) replacements += "\xEF\xBF\xBD";
    return replacements;
  };
  const std::string kJapan = "\xE6\x97\xA5\xE6\x9C\xAC";
  const std::vector<std::tuple<bool, std::string, std::string>> cases{
      {false, std::string("a\0b", 3), "ab"},
      {false, "caf\xE9!", "caf" + bad(1) + "!"},                       // Latin-1 taken for UTF-8
      {false, "\xC0\xAF\xED\xA0\x80", bad(5)},                         // overlong, surrogate
      {false, "\xF4\x90\x80\x80\xE2\x82", bad(6)},                     // past U+10FFFF, cut off
      {true, "\xE9\x1B-B\xB9\x1B-L\xBF", "\xC3\xA9\xC5\xA1\xD0\x9F"},  // Latin-1, 2, Cyrillic
      {true, "\x1B$)B\xC6\xFC\xCB\xDC \x1B(Bx\x1B$(BF|K\\", kJapan + " x" + kJapan},
      {true, "\x1B%G\xE2\x82\xAC\x1B%@\x1B%/1\x80\x89" + std::string("big5-0\x02\xA4\xA4"),
       "\xE2\x82\xAC\xE4\xB8\xAD"},                         // UTF-8, an extended segment
      {true, std::string("a\0b\x07\t\x9B]c", 8), "ab\tc"},  // controls, text direction
      {true, "\x1B-Zx\xE9\x1B$", "x" + bad(1)},             // a set nobody knows, cut off
  };
  for (const auto& [compound, text, utf8] : cases) {
    EXPECT_EQ(SafeLogLine(compound ? CompoundTextToUtf8(text) : text), utf8) << text;
  }
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
    bool operator==(const Interval&) const = default;
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
  const int64_t t = At(2026, 3, 10, 9, 0, 0);
  MemorySink sink;
  ActivityRecorder recorder{sink};
};

TEST_F(RecorderTimeline, SwitchesPausesAndStop) {
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
  EXPECT_TRUE(Intervals() == expected);
  EXPECT_EQ(sink.blocks.front().start, sink.blocks.front().end);
  EXPECT_EQ(sink.blocks.back().subject, ActivitySubject::Stop());
}

TEST_F(RecorderTimeline, APauseNeverEndsBeforeTheRunningInterval) {
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

// A program killed at any moment loses at most one checkpoint interval, and the
// checkpoints add nothing: each application's time is what it would be without them.
TEST_F(RecorderTimeline, CheckpointsBoundWhatACrashLosesAndChangeNoTotal) {
  recorder.SetCheckpointInterval(300);
  recorder.Begin(t, editor);
  EXPECT_EQ(recorder.NextDue(), t + 300);
  for (int64_t now = t; now <= t + 1000; now += 100) recorder.Tick(now);
  recorder.Foreground(t + 1050, browser);
  EXPECT_EQ(recorder.NextDue(), t + 1350);
  recorder.Tick(t + 1349);  // not yet
  recorder.Tick(recorder.NextDue());
  recorder.End(t + 1400);
  std::map<std::string, int64_t> totals;
  for (const Interval& interval : Intervals()) {
    EXPECT_LE(interval.end - interval.start, 300) << interval.subject << " " << interval.start;
    totals[interval.subject] += interval.end - interval.start;
  }
  EXPECT_EQ(totals, (std::map<std::string, int64_t>{{"Editor", 1050}, {"Browser", 350}}));
}

// Readings one after the other: the steady clocks tell time asleep and a set clock
// from time that passed, give or take the rounding of whole seconds.
TEST(RecorderClock, TellsSleepAndSetClocksFromTimePassing) {
  struct Case {
    const char* what;
    int64_t wall;
    SteadyClocks steady;
    ClockChange expected;
  };
  const std::vector<Case> cases{
      {"first reading", 1000, {0, 0}, {1000, 1000, 1000, 1000}},
      {"a minute", 1060, {60000, 60000}, {1060, 1060, 1060, 1060}},
      {"rounding", 1061, {61900, 61900}, {1061, 1061, 1061, 1061}},
      {"an hour asleep", 4661, {62900, 3662900}, {1062, 4662, 4661, 4661}},
      {"set back", 1000, {63900, 3663900}, {1000, 1000, 4662, 1000}},
      {"set forward", 5000, {64900, 3664900}, {5000, 5000, 1001, 5000}},
  };
  ClockWatch watch;
  for (const Case& c : cases) EXPECT_TRUE(watch.Read(c.wall, c.steady) == c.expected) << c.what;
}

class RecorderFolder : public testing::Test {
 protected:
  fs::path Folder() const { return dir.Path() / "db"; }
  const int64_t t = At(2026, 3, 10, 9, 0, 0);
  TempDir dir{"taskmeter-recorder"};
};

TEST_F(RecorderFolder, OnlyOneRecorderWritesAFolder) {
  ActivityLogFolder first;
  ActivityLogFolder second;
  ASSERT_TRUE(first.Open(Folder().string()));
  const Status busy = second.Open(Folder().string());
  EXPECT_EQ(busy.Code(), ErrorCode::Busy);
  EXPECT_NE(busy.Message().find("another TaskMeter"), std::string::npos);
  const fs::path file = dir.Write("not-a-folder", "x");
  EXPECT_EQ(second.Open((file / "db").string()).Code(), ErrorCode::CannotCreate);
  first = ActivityLogFolder();
  EXPECT_TRUE(second.Open(Folder().string()));
}

// A host killed at any byte of its last block: the next start completes the torn block
// so that the reader drops it, and everything before and after is read.
TEST_F(RecorderFolder, EveryTornTailIsCompletedIntoADroppedBlock) {
  const std::string kept = BlockText({t, t, {"Editor", "notes", "editor", "/bin/editor"}});
  const std::string torn = BlockText({t, t + 5, {"Browser", "news", "browser", "/bin/browser"}});
  const RecordedBlock next{t + 5, t + 9, {"Shell", "~", "sh", "/bin/sh"}};
  for (size_t cut = 0; cut < torn.size(); ++cut) {
    const fs::path file = Folder() / LogFileName(t);
    dir.Write(fs::relative(file, dir.Path()).string(), kept + torn.substr(0, cut));
    {
      ActivityLogFolder folder;
      const Status opened = folder.Open(Folder().string());
      ASSERT_TRUE(opened) << opened.Message();
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

// Sync tools and editors delete a file, or put a new one in its place by a rename.
TEST_F(RecorderFolder, ADayFileDeletedOrReplacedIsWrittenAtItsPath) {
  const fs::path file = Folder() / LogFileName(t);
  for (const bool replaced : {false, true}) {
    ActivityLogFolder folder;
    const Status opened = folder.Open(Folder().string());
    ASSERT_TRUE(opened) << opened.Message();
    ASSERT_TRUE(folder.Append({t, t, {"A", "", "a", "/a"}}));
    fs::remove(file);
    if (replaced) {
      fs::rename(dir.Write("elsewhere.log", BlockText({t, t, {"B", "", "b", "/b"}})), file);
    }
    ASSERT_TRUE(folder.Append({t, t + 5, {"C", "", "c", "/c"}}));
    const auto blocks = ReaderBlocks(ReadBytes(file));
    ASSERT_EQ(blocks.size(), replaced ? 2u : 1u);
    EXPECT_EQ(blocks.back()[2], "C");
    fs::remove(file);
  }
}

// Captions say what the user does: no other user may read them, nor take the folder's
// lock so that nothing is recorded. Folders that were there keep their mode.
TEST_F(RecorderFolder, WhatItCreatesOnlyItsUserMayReadOrLock) {
  fs::permissions(dir.Path(), fs::perms(0755));
  fs::create_directories(Folder());
  fs::permissions(Folder(), fs::perms(0755));
  {
    ActivityLogFolder folder;
    ASSERT_TRUE(folder.Open(Folder().string()));
    ASSERT_TRUE(folder.Append({t, t, {"Mail", "Inbox: Re: salary", "mail", "/mail"}}));
    ActivityLogFolder made;
    ASSERT_TRUE(made.Open((Folder() / "made").string()));
  }
  const auto mode = [](const fs::path& path) { return fs::status(path).permissions(); };
  EXPECT_EQ(mode(Folder()), fs::perms(0755));
  EXPECT_EQ(mode(Folder() / LogFileName(t)), fs::perms(0600));
  EXPECT_EQ(mode(Folder() / ActivityLogFolder::kLockFileName), fs::perms(0600));
  EXPECT_EQ(mode(Folder() / "made"), fs::perms(0700));
  if (::geteuid() != 0) GTEST_SKIP() << "another user is played through setpriv as root";
  const auto nobodyCan = [](const std::string& command) {
    const std::string nobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    return std::system((nobody + command + " >/dev/null 2>&1").c_str()) == 0;
  };
  ASSERT_TRUE(nobodyCan("true"));
  EXPECT_FALSE(nobodyCan("cat '" + (Folder() / LogFileName(t)).string() + "'"));
  EXPECT_FALSE(
      nobodyCan("flock -n '" + (Folder() / ActivityLogFolder::kLockFileName).string() + "' true"));
}

TEST_F(RecorderFolder, WhatCannotBeWrittenSaysWhyAndADeviceIsNotRead) {
  // sysfs takes no new folders, as a read-only mount does not; the lock file is then
  // missing too, but that is not why.
  ActivityLogFolder folder;
  const Status made = folder.Open("/sys/fs/taskmeter-db");
  const std::string& error = made.Message();
  EXPECT_EQ(made.Code(), ErrorCode::CannotCreate);
  EXPECT_EQ(error.rfind("cannot make the data folder /sys/fs/taskmeter-db: ", 0), 0u) << error;
  EXPECT_EQ(error.find("No such file"), std::string::npos) << error;
  // /dev/zero would give bytes for ever to the check of its tail.
  ASSERT_TRUE(folder.Open(Folder().string()));
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
    dir.Write("apps/python3.11.desktop", "[Desktop Entry]\nName=Python (v3.11)\nExec=python3.11\n");
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
      // Programs an interpreter runs are told apart by their window class.
      {{"t", "meldish", "Meldish", "/usr/bin/python3.11"},
       {"Meldish", "t", "Meldish", "runtime:python3.11:Meldish"}},
      {{"t", "notes", "Notesapp", "/usr/lib/jvm/bin/java"},
       {"Notesapp", "t", "Notesapp", "runtime:java:Notesapp"}},
      {{"t", "", "", "/usr/bin/python3.11"},
       {"Python (v3.11)", "t", "python3.11", "/usr/bin/python3.11"}},
      {{"t", "py", "Pyramid", "/usr/bin/pythonic"},
       {"Pyramid", "t", "pythonic", "/usr/bin/pythonic"}},
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

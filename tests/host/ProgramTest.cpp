#include <sys/wait.h>

#include <QImage>
#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "accounting/LogFormat.h"
#include "tests/host/HostTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Runs the taskmeter program itself after `prefix` (offscreen unless the prefix says
// otherwise) and gives its exit status; its output goes to `log`.
int RunProgram(const std::string& arguments, const fs::path& log,
               const std::string& prefix = "QT_QPA_PLATFORM=offscreen") {
  const std::string command =
      prefix + " '" + TASKMETER_PROGRAM + "' " + arguments + " >'" + log.string() + "' 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Program, FirstStartWithTheModuleBesideItDrawsItsWindow) {
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  ScopedHome home;
  const fs::path picture = home.Path() / "window.png", log = home.Path() / "run.log";
  const std::string shot = "--screenshot '" + picture.string() + "'";
  ASSERT_EQ(RunProgram(shot, log), 0) << ReadBytes(log);
  for (const char* file : {"mainpref.ini", "viewopt.xml", "predefgroups.xml"}) {
    EXPECT_TRUE(fs::is_regular_file(home.Options() / file)) << file;
  }
  const QImage image(QString::fromStdString(picture.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 780);  // the 800 by 600 offscreen screen, less the window's frame
  EXPECT_GE(image.height(), 580);
  EXPECT_NE(ReadBytes(log).find("Saved the main window"), std::string::npos);
  // Nobody answers the box that tells of a damaged tree: its text is printed instead.
  home.Write("options/viewopt.xml", "<Options><Group>");
  ASSERT_EQ(RunProgram(shot, log, "QT_QPA_PLATFORM=offscreen timeout 60"), 0);
  EXPECT_NE(ReadBytes(log).find("taskmeter: The groups in"), std::string::npos) << ReadBytes(log);
}

TEST(Program, ARelativeHomeStillSavesTheTreeAfterTheScan) {
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  ScopedHome home;
  // One block of "relapp" today, then a stop: new to the tree, so the load writes it.
  const int64_t now = std::time(nullptr);
  const std::string stamp = LogTimestamp(now, false);
  home.Write("db/" + LogFileName(now),
             LogBlockText({stamp, stamp, "relapp", "caption", "relapp", "/usr/bin/relapp"}) +
                 LogBlockText({stamp, stamp, "Stop", "", "Stop", ""}));
  home.Write("options/mainpref.ini", "db path=" + (home.Path() / "db/").string() + "\r\n");
  home.Write("options/viewopt.xml", "<Options/>");  // a first start would only make it
  const fs::path log = home.Path() / "run.log";
  ASSERT_EQ(RunProgram("--screenshot window.png", log,
                       "cd '" + home.Path().parent_path().string() + "' && TASKMETER_HOME='" +
                           home.Path().filename().string() + "' QT_QPA_PLATFORM=offscreen"),
            0)
      << ReadBytes(log);
  EXPECT_NE(ReadBytes(home.Options() / "viewopt.xml").find("relapp"), std::string::npos);
}

TEST(Program, RefusesBadArgumentsAndMissingModules) {
  ScopedHome home;
  const fs::path log = home.Path() / "run.log", picture = home.Path() / "w.png";
  const std::string module = (home.Path() / "none.so").string();
  const std::tuple<std::string, int, std::string> cases[] = {
      {"--no-such-option", 2, "usage: taskmeter"},
      {"--recorder xwayland", 2, "--recorder takes x11, wlroots, kde, gnome or none, not xwayland"},
      {"--module '" + module + "' --screenshot '" + picture.string() + "'", 1, "cannot load"}};
  for (const auto& [arguments, status, message] : cases) {
    EXPECT_EQ(RunProgram(arguments, log), status) << arguments;
    EXPECT_NE(ReadBytes(log).find(message), std::string::npos) << ReadBytes(log);
  }
  EXPECT_FALSE(fs::exists(picture));
}

// Without a display it can open, the program says so in one line instead of letting Qt
// abort with a page of advice.
TEST(Program, WithoutADisplayItSaysSoAndExits) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
       "taskmeter: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
       "set)\n"},
      {"env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4999",
       "taskmeter: cannot open the X11 display :4999\n"},
  };
  for (const auto& [prefix, message] : cases) {
    ScopedHome home;
    const fs::path log = home.Path() / "run.log";
    EXPECT_EQ(RunProgram("", log, prefix), 1) << prefix;
    EXPECT_EQ(ReadBytes(log), message);
    EXPECT_FALSE(fs::exists(home.Options())) << "nothing is set up for a run that cannot start";
  }
}

}  // namespace

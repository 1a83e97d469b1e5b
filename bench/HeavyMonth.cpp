#include "HeavyMonth.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "accounting/LogFormat.h"
#include "framework/core/CivilTime.h"
#include "framework/core/FileIO.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDays = 31;
constexpr int kApplications = 400;  // in the tree; records also use 50 the tree lacks

int64_t LocalMidnight(int year, int month, int day) { return LocalToSeconds({year, month, day}); }

}  // namespace

int64_t BenchNow() { return LocalMidnight(2026, 7, 31) + 18 * 3600; }

namespace {

fs::path Root() {
  static const fs::path root = [] {
    if (const char* kept = std::getenv("TASKMETER_BENCH_DIR"); kept && *kept) return fs::path(kept);
    static const fs::path made =
        fs::temp_directory_path() / ("taskmeter-bench-" + std::to_string(::getpid()));
    std::atexit([] { fs::remove_all(made); });
    return made;
  }();
  fs::create_directories(root);
  return root;
}

}  // namespace

// Working hours 07:00 to 19:00.
fs::path LogFolder(int records, int computer) {
  const std::string suffix = computer == 0 ? "" : "-computer-" + std::to_string(computer);
  const fs::path folder = Root() / ("data-" + std::to_string(records) + suffix);
  if (fs::exists(folder)) return folder;
  fs::create_directories(folder);
  std::mt19937 random(static_cast<unsigned>(records + computer * 7919));
  std::uniform_int_distribution<int> app(0, kApplications + 49), project(0, 29), doc(0, 99);
  const int perDay = records / kDays + 1;
  for (int d = 1; d <= kDays; ++d) {
    const int64_t midnight = LocalMidnight(2026, 7, d);
    std::string text;
    text.reserve(static_cast<size_t>(perDay) * 160);
    int second = 7 * 3600;
    const int step = 12 * 3600 / perDay;
    for (int i = 0; i < perDay; ++i) {
      const std::string a = std::to_string(app(random));
      const std::string start = LogTimestamp(midnight + second, false);
      second += std::max(1, step);
      const std::string end = LogTimestamp(midnight + second, false);
      const std::string title = "doc" + std::to_string(doc(random)) + ".txt - proj" +
                                std::to_string(project(random)) + " - App " + a;
      const std::string name = "app" + a + ".exe", path = "/opt/apps/app" + a + "/bin/app";
      AppendLogBlock(text, {start, end, "App " + a, title, name, path});
    }
    std::ofstream(folder / LogFileName(midnight + 12 * 3600), std::ios::binary) << text;
  }
  return folder;
}

fs::path DataHome(int records, int others) {
  const fs::path home =
      Root() / ("share-" + std::to_string(records) + "-" + std::to_string(others));
  const fs::path computers = home / "Kestrel Works" / "TaskMeter" / "Computers";
  fs::create_directories(computers);
  for (int computer = 1; computer <= others; ++computer) {
    const fs::path link = computers / ("computer-" + std::to_string(computer));
    if (!fs::exists(link)) fs::create_directory_symlink(LogFolder(records, computer), link);
  }
  return home;
}

namespace {

// A tree of `entries` entries in 3/10 as many groups: top-level groups, each carrying
// two sub-groups; a third of the entries divide their application by project, and
// most applications stand in several groups.
GroupMap MakeTree(int entries) {
  const int tops = std::max(1, entries / 10);
  std::vector<AppList> buckets(static_cast<size_t>(tops) * 3);  // top, Sub A, Sub B
  for (int i = 0; i < entries; ++i) {
    const int a = (i * 7) % kApplications;
    AppEntry e;
    e.Name = "app" + std::to_string(a) + ".exe";
    e.Path = "/opt/apps/app" + std::to_string(a) + "/bin/app";
    e.ShowAs = "App " + std::to_string(a);
    if (i % 3 == 0) {
      e.isCheckTitleFilter = true;
      e.TitleFilter = "proj" + std::to_string(i % 30);
      e.ShowAs += " " + e.TitleFilter;
    }
    buckets[static_cast<size_t>(i) % buckets.size()].push_back(e);
  }
  GroupMap tree;
  for (int g = 0; g < tops; ++g) {
    AppEntry carrier;
    carrier.ShowAs = carrier.Name = "None";
    carrier.SubGroups["Sub A"] = std::move(buckets[g * 3 + 1]);
    carrier.SubGroups["Sub B"] = std::move(buckets[g * 3 + 2]);
    AppList& top = tree["Group " + std::to_string(g)];
    top = std::move(buckets[g * 3]);
    top.push_back(std::move(carrier));
  }
  return tree;
}

}  // namespace

fs::path Home(int records, int entries) {
  const fs::path home =
      Root() / ("home-" + std::to_string(records) + "-" + std::to_string(entries));
  fs::create_directories(home / "options");
  MainPrefs prefs;
  prefs.DbPath = LogFolder(records).string();
  WriteMainPrefs((home / "options" / "mainpref.ini").string(), prefs);
  WriteFileAtomically((home / "options" / "viewopt.xml").string(),
                      ViewOptionsText(MakeTree(entries)));
  return home;
}

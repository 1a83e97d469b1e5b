#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "StorageTestSupport.h"
#include "storage/MainPrefs.h"
#include "storage/ViewOptionsFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const GroupMap kTree = {{"Work", {Entry("editor", "Editor")}}};

// A fifo or a folder in place of an options file (root opens any file, so a folder stands
// for one that exists but cannot be opened): the load must not wait for a writer, reads it as
// a file that cannot be opened and keeps what it had, and no save may put a file in its
// place. The catalogue is never saved.
TEST(OddOptionsFiles, AFifoOrFolderIsUnreadableAndNeverReplaced) {
  using Action = std::function<bool(const std::string&)>;
  const struct {
    const char* name;
    Action loads;  // true when the load took the file in or changed what it had
    Action saves;
  } cases[] = {
      {"viewopt.xml",
       [](const std::string& path) {
         GroupMap tree = kTree;
         return ViewOptionsFile(path).Load(tree) != TreeFileStatus::Unreadable || tree != kTree;
       },
       [](const std::string& path) { return ViewOptionsFile(path).Save(kTree); }},
      {"mainpref.ini",
       [](const std::string& path) {
         MainPrefs prefs;
         prefs.IdleTime = 45;
         return ReadMainPrefs(path, prefs) || prefs.IdleTime != 45;
       },
       [](const std::string& path) { return WriteMainPrefs(path, MainPrefs{}); }},
      {"predefgroups.xml",
       [](const std::string& path) {
         GroupMap catalogue = kTree;
         return LoadPredefinedGroups(path, catalogue) != TreeFileStatus::Unreadable ||
                catalogue != kTree;
       },
       nullptr},
  };
  TempDir dir;
  for (const bool fifo : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (fifo ? " as a fifo" : " as a folder"));
      const fs::path path = dir.Path() / (fifo ? "fifo" : "folder") / c.name;
      fs::create_directories(path.parent_path());
      ASSERT_TRUE(fifo ? ::mkfifo(path.c_str(), 0600) == 0 : fs::create_directory(path));
      EXPECT_FALSE(c.loads(path.string()));
      if (c.saves) {
        EXPECT_FALSE(c.saves(path.string()));
      }
      EXPECT_TRUE(fifo ? fs::is_fifo(fs::symlink_status(path)) : fs::is_directory(path));
    }
  }
}

}  // namespace

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

bool IsFifo(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// A fifo in place of an options file: the load must not wait for a writer (it reads
// as a file that cannot be opened), and no save may put a file in its place. The
// catalogue is never saved.
TEST(OddOptionsFiles, AFifoIsUnreadableAndNeverReplaced) {
  using Action = std::function<bool(const std::string&)>;
  const struct {
    const char* name;
    Action loads;  // true when the load took the file in
    Action saves;
  } cases[] = {
      {"viewopt.xml",
       [](const std::string& path) {
         GroupMap tree;
         return ViewOptionsFile(path).Load(tree) != TreeFileStatus::Unreadable;
       },
       [](const std::string& path) { return ViewOptionsFile(path).Save(kTree); }},
      {"mainpref.ini",
       [](const std::string& path) {
         MainPrefs prefs;
         return ReadMainPrefs(path, prefs);
       },
       [](const std::string& path) { return WriteMainPrefs(path, MainPrefs{}); }},
      {"predefgroups.xml",
       [](const std::string& path) {
         GroupMap catalogue;
         return LoadPredefinedGroups(path, catalogue) != TreeFileStatus::Unreadable;
       },
       nullptr},
  };
  TempDir dir;
  for (const auto& c : cases) {
    const fs::path path = dir.Path() / c.name;
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(c.loads(path.string())) << c.name;
    if (c.saves) {
      EXPECT_FALSE(c.saves(path.string())) << c.name;
    }
    EXPECT_TRUE(IsFifo(path)) << c.name;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ScopedEnv.h"
#include "framework/core/Autostart.h"
#include "support/TempDir.h"

namespace {

// The session starts whatever the entry's Exec says, so a path must stay one word that
// runs nothing: inside the quotes '"', '`', '$' and '\' take a backslash, and the value's
// own string escaping then doubles every backslash. Missing folders are made and an entry
// there is overwritten.
TEST(Autostart, ExecQuotesThePathInBothEscapingLayers) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/ann/My Programs/tm", R"("/home/ann/My Programs/tm")"},
      {"/tmp/a\"b", R"("/tmp/a\\"b")"},
      {"/tmp/$HOME/`id`", R"("/tmp/\\$HOME/\\`id\\`")"},
      {"/tmp/back\\slash", R"("/tmp/back\\\\slash")"},
      {"/tmp/100%/%u", R"("/tmp/100%%/%%u")"},
      {"/tmp/tab\tnew\nline", R"("/tmp/tab\tnew\nline")"},
  };
  TempDir dir;
  ScopedEnv config("XDG_CONFIG_HOME", (dir.Path() / "fresh").string());
  for (const auto& [path, exec] : cases) {
    UpdateAutostartEntry(true, path);
    EXPECT_EQ(ReadBytes(dir.Path() / "fresh/autostart/TaskMeter.desktop"),
              "[Desktop Entry]\nType=Application\nName=TaskMeter\nExec=" + exec +
                  "\nX-GNOME-Autostart-enabled=true\n")
        << path;
  }
}

}  // namespace

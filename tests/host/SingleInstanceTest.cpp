#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "host/SingleInstance.h"
#include "support/TempDir.h"
#include "tests/core/ScopedEnv.h"

namespace {

// Nothing goes into the shared temporary folder, where another user could make and
// hold the lock first, nor into a runtime folder others may write; and a home spelt two
// ways is one home, with or without the session's runtime folder.
TEST(SingleInstance, LockIsOutOfOtherUsersReachAndFollowsTheHomeNotItsSpelling) {
  const TempDir home("taskmeter-home"), runtime("taskmeter-run"), open("taskmeter-open"),
      shared("taskmeter-shared");
  ::chmod(runtime.Path().c_str(), 0700);
  ::chmod(open.Path().c_str(), 0777);
  const ScopedEnv tmp("TMPDIR", shared.Path().string());
  const std::pair<std::optional<std::string>, bool> cases[] = {
      {std::nullopt, false}, {open.Path().string(), false}, {runtime.Path().string(), true}};
  for (const auto& [folder, used] : cases) {
    const ScopedEnv env("XDG_RUNTIME_DIR", folder);
    SingleInstance first(home.Path().string());
    ASSERT_TRUE(first.Claim()) << folder.value_or("none");
    SingleInstance second((home.Path() / "." / "").string());
    EXPECT_FALSE(second.Claim()) << folder.value_or("none");
    EXPECT_TRUE(std::filesystem::is_empty(shared.Path()));
    if (folder) {
      EXPECT_EQ(std::filesystem::is_empty(*folder), !used) << *folder;
    }
  }
}

}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "host/SingleInstance.h"
#include "support/TempDir.h"
#include "tests/core/ScopedEnv.h"

namespace {

// Nothing goes into the shared temporary folder, where another user could make and
// hold the lock first; and a home spelt two ways is one home, with or without the
// session's runtime folder.
TEST(SingleInstance, LockIsOutOfOtherUsersReachAndFollowsTheHomeNotItsSpelling) {
  const TempDir home("taskmeter-home"), runtime("taskmeter-run"), shared("taskmeter-shared");
  ::chmod(runtime.Path().c_str(), 0700);
  const ScopedEnv tmp("TMPDIR", shared.Path().string());
  for (const bool withRuntime : {false, true}) {
    const ScopedEnv env("XDG_RUNTIME_DIR",
                        withRuntime ? std::optional(runtime.Path().string()) : std::nullopt);
    SingleInstance first(home.Path().string());
    ASSERT_TRUE(first.Claim()) << withRuntime;
    SingleInstance second((home.Path() / "." / "").string());
    EXPECT_FALSE(second.Claim()) << withRuntime;
    EXPECT_TRUE(std::filesystem::is_empty(shared.Path())) << withRuntime;
  }
}

}  // namespace

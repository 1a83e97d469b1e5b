#include <dlfcn.h>
#include <gtest/gtest.h>

#include "framework/app/CMultiDocTemplate.h"
#include "host/ModuleLibrary.h"
#include "tests/host/HostTestSupport.h"

namespace {

TEST(ModuleLibrary, TheHostDoesNotLinkTheModule) {
  // host_tests links the host's library exactly as the taskmeter program does.
  EXPECT_FALSE(g_moduleMappedAtStart);
}

TEST(ModuleLibrary, RefusesFilesThatAreNoModule) {
  TempDir dir;
  const std::string text = dir.Write("notes.so", "not a library").string();
  struct Case {
    std::string path;
    const char* errorPart;
  };
  const std::vector<Case> cases{
      {"", "no module path"},
      {(dir.Path() / "missing.so").string(), "cannot load"},
      {text, "cannot load"},
      // A real shared library without the factory.
      {"libm.so.6", "exports no DLLDocTemplate"},
  };
  for (const Case& c : cases) {
    ModuleLibrary module;
    EXPECT_FALSE(module.Load(c.path)) << c.path;
    EXPECT_FALSE(module.IsLoaded()) << c.path;
    EXPECT_NE(module.Error().find(c.errorPart), std::string::npos) << module.Error();
    EXPECT_EQ(module.CreateTemplate(), nullptr);
  }
}

TEST(ModuleLibrary, EachFactoryCallOfTheLoadedLibraryGivesAnIndependentTemplate) {
  std::vector<std::string> paths{StandinModulePath()};
  if (!RealModulePath().empty()) paths.push_back(RealModulePath());
  for (const std::string& path : paths) {
    ModuleLibrary module;
    ASSERT_TRUE(module.Load(path)) << module.Error();
    EXPECT_TRUE(IsLibraryMapped(path.substr(path.rfind('/') + 1)));
    std::unique_ptr<CMultiDocTemplate> first(module.CreateTemplate());
    std::unique_ptr<CMultiDocTemplate> second(module.CreateTemplate());
    ASSERT_NE(first, nullptr) << path;
    ASSERT_NE(second, nullptr) << path;
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(second->GetResourceId(), first->GetResourceId());
    // Loaded with local binding: the process's global scope still has no factory.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, ModuleLibrary::kFactoryName), nullptr);
    EXPECT_FALSE(module.Load(path));  // one library per object
  }
}

// Nothing lies beside the test program, so a build with the module points at it.
TEST(ModuleLibrary, DefaultPathIsTheModuleOfTheBuild) {
  if (RealModulePath().empty()) GTEST_SKIP() << "the module library is not part of this build";
  EXPECT_EQ(DefaultModulePath(), RealModulePath());
}

}  // namespace

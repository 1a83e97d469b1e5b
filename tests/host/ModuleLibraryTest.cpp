#include "framework/app/CMultiDocTemplate.h"
#include "host/ModuleLibrary.h"
#include "tests/host/HostTestSupport.h"

namespace {

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

}  // namespace

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "tests/framework/UnansweredModals.h"

// Every test of this program runs inside one QApplication on the offscreen platform, so
// no display is needed.
namespace {

class QtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    // Pictures for a person (TASKMETER_SHOTS_DIR) may be taken on a real display.
    if (qEnvironmentVariableIsEmpty("TASKMETER_SHOTS_DIR")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "framework_tests";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QApplication>(argc, argv);
    FailUnansweredModals();
  }
  void TearDown() override { m_app.reset(); }

 private:
  std::unique_ptr<QApplication> m_app;
};

testing::Environment* const g_qt = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

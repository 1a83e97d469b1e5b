#include "tests/host/HostTestSupport.h"

#include <QApplication>
#include <memory>

#include "tests/framework/UnansweredModals.h"

std::string StandinModulePath() { return TASKMETER_STANDIN_MODULE; }

std::string RealModulePath() {
#ifdef TASKMETER_REAL_MODULE
  return TASKMETER_REAL_MODULE;
#else
  return "";
#endif
}

namespace {

// Every test of this program runs inside one QApplication on the offscreen platform.
class HostQtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    // Pictures for a person (TASKMETER_SHOTS_DIR) may be taken on a real display.
    if (qEnvironmentVariableIsEmpty("TASKMETER_SHOTS_DIR")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "host_tests";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QApplication>(argc, argv);
    FailUnansweredModals();
  }
  void TearDown() override { m_app.reset(); }

 private:
  std::unique_ptr<QApplication> m_app;
};

testing::Environment* const g_qt = testing::AddGlobalTestEnvironment(new HostQtEnvironment);

}  // namespace

#include "tests/recorder/desktops/DesktopBackendTest.h"

#include <QDBusConnectionInterface>

#include "recorder/BusSignal.h"

namespace fs = std::filesystem;

namespace {

class CoreApplication : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "recorder_desktops_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QCoreApplication> app_;
};

testing::Environment* const g_app = testing::AddGlobalTestEnvironment(new CoreApplication);

}  // namespace

TestWindow::TestWindow(const fs::path& program, const std::string& appId,
                       const std::string& title) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QString::fromStdString(program.string()),
                 {QString::fromStdString(appId), QString::fromStdString(title)});
  process_.waitForStarted();
}

void TestWindow::Send(const std::string& line) {
  process_.write((line + "\n").c_str());
  process_.waitForBytesWritten();
}

void TestWindow::Close() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.closeWriteChannel();
  if (!process_.waitForFinished(5000)) process_.kill();
  process_.waitForFinished();
}

FakeScreenSaver::FakeScreenSaver(const QString& service, const QString& path)
    : service_(service), path_(path) {
  process_.start("/usr/bin/python3", {"-m", "dbusmock", service, path, service});
  WaitFor([&] { return Running(); });
  CallBus(QDBusConnection::sessionBus(), service_, path_, "org.freedesktop.DBus.Mock", "AddMethod",
          {service_, "GetActive", "", "b", "ret = False"});
}

FakeScreenSaver::~FakeScreenSaver() {
  process_.terminate();
  process_.waitForFinished();
}

bool FakeScreenSaver::Running() const {
  return QDBusConnection::sessionBus().interface()->isServiceRegistered(service_);
}

void FakeScreenSaver::Set(bool active) {
  CallBus(QDBusConnection::sessionBus(), service_, path_, "org.freedesktop.DBus.Mock", "EmitSignal",
          {service_, "ActiveChanged", "b", QVariantList{active}});
}

std::unique_ptr<TestWindow> DesktopBackendTest::Open(const std::string& appId,
                                                     const std::string& title) {
  // A copy per application: the process's program path names it.
  const fs::path program = Program(appId);
  if (!fs::exists(program)) {
    fs::create_directories(program.parent_path());
    fs::copy_file(TASKMETER_TEST_WINDOW, program);
  }
  return std::make_unique<TestWindow>(program, appId, title);
}

std::unique_ptr<DesktopWatch> DesktopBackendTest::Chosen(DesktopKind kind,
                                                         const std::string& front) {
  ChosenDesktop chosen;
  EXPECT_TRUE(WaitFor([&] {
    chosen = ChooseDesktop(std::nullopt, TASKMETER_KWIN_SCRIPT);
    return chosen.watch && chosen.watch->Foreground().title == front;
  })) << chosen.why;
  EXPECT_EQ(chosen.kind, kind);
  return std::move(chosen.watch);
}

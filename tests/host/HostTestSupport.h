#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/SystemServices.h"
#include "framework/core/Paths.h"
#include "host/HostApp.h"
#include "host/TrayIcon.h"
#include "support/TempDir.h"
#include "tests/core/ScopedEnv.h"
#include "tests/framework/FrameworkTestSupport.h"

// The stand-in module built for these tests, and the real one when the build has it.
std::string StandinModulePath();
std::string RealModulePath();  // empty when not built

// A fresh home folder ($TASKMETER_HOME) for one test, with the previous one put back.
class ScopedHome : public TempDir {
 public:
  ScopedHome() : TempDir("taskmeter-host") {}
  std::filesystem::path Options() const { return Path() / "options"; }

 private:
  ScopedEnv m_variable{"TASKMETER_HOME", Path().string()};
};

// Captures what the host asks the shell to open instead of starting a browser.
class ShellOpenRecorder {
 public:
  ShellOpenRecorder() {
    SetShellOpenHookForTesting([this](const std::string& target) {
      targets.push_back(target);
      return true;
    });
  }
  ~ShellOpenRecorder() { SetShellOpenHookForTesting(nullptr); }
  ShellOpenRecorder(const ShellOpenRecorder&) = delete;
  ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

  std::vector<std::string> targets;
};

// A host started on a fresh home, without a tray unless a test says otherwise.
class HostFixture : public testing::Test {
 protected:
  void SetUp() override { CTrayIcon::SetAvailableForTesting(false); }
  void TearDown() override {
    m_app.reset();
    PumpEvents(5);
    CTrayIcon::SetAvailableForTesting(std::nullopt);
  }

  bool Start(const std::string& module, bool record = false) {
    m_app = std::make_unique<CTaskMeterApp>();
    HostStartOptions options;
    options.home = GetExecutableDirectory();
    options.modulePath = module;
    options.record = record;
    const Status started = m_app->Start(options);
    m_error = started.Message();
    return started.Ok();
  }

  ScopedHome m_home;
  std::unique_ptr<CTaskMeterApp> m_app;
  std::string m_error;
};

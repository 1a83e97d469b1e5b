#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/SystemServices.h"
#include "host/HostApp.h"
#include "host/TrayIcon.h"
#include "support/TempDir.h"
#include "tests/framework/FrameworkTestSupport.h"

// Whether the module library was mapped into this process before any test ran: it
// must not be, since the host reaches the module only through dlopen.
extern bool g_moduleMappedAtStart;

// Whether a shared object whose file name contains `name` is mapped into this process.
bool IsLibraryMapped(const std::string& name);

// The stand-in module built for these tests, and the real one when the build has it.
std::string StandinModulePath();
std::string RealModulePath();  // empty when not built

// A fresh home folder ($TASKMETER_HOME) for one test, with the previous one put back.
class ScopedHome {
 public:
  ScopedHome() : m_previous(std::getenv("TASKMETER_HOME") ? std::getenv("TASKMETER_HOME") : "") {
    setenv("TASKMETER_HOME", m_dir.Path().c_str(), 1);
  }
  ~ScopedHome() { setenv("TASKMETER_HOME", m_previous.c_str(), 1); }
  ScopedHome(const ScopedHome&) = delete;
  ScopedHome& operator=(const ScopedHome&) = delete;

  const std::filesystem::path& Path() const { return m_dir.Path(); }
  std::filesystem::path Options() const { return m_dir.Path() / "options"; }
  std::filesystem::path Write(const std::string& relative, const std::string& bytes) const {
    return m_dir.Write(relative, bytes);
  }

 private:
  TempDir m_dir{"taskmeter-host"};
  std::string m_previous;
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

  bool Start(const std::string& module) {
    m_app = std::make_unique<CTaskMeterApp>();
    HostStartOptions options;
    options.modulePath = module;
    return m_app->Start(options, m_error);
  }

  ScopedHome m_home;
  std::unique_ptr<CTaskMeterApp> m_app;
  std::string m_error;
};

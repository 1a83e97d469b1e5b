#include "framework/app/SystemServices.h"

#include <dlfcn.h>

#include <QDesktopServices>
#include <QString>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <thread>

#include "framework/app/ModuleState.h"
#include "framework/core/Paths.h"

namespace {

ShellOpenHook& Hook() {
  static ShellOpenHook hook;
  return hook;
}

Sleeper& CurrentSleeper() {
  static Sleeper sleeper;
  return sleeper;
}

bool LooksLikeUrl(const std::string& target) {
  return target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0;
}

}  // namespace

std::string GetModuleFileName(HINSTANCE instance) {
  if (instance == nullptr || instance == AfxExecutableHandle()) return GetExecutablePath();
  Dl_info info{};
  if (dladdr(instance, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code error;
  const auto path = std::filesystem::canonical(info.dli_fname, error);
  return error ? std::string(info.dli_fname) : path.string();
}

HINSTANCE_RESULT ShellExecute(HWND, const char*, const char* file, const char*, const char*, int) {
  constexpr HINSTANCE_RESULT kFileNotFound = 2;
  constexpr HINSTANCE_RESULT kNoAssociation = 31;
  constexpr HINSTANCE_RESULT kOpened = 42;
  if (file == nullptr || *file == '\0') return kFileNotFound;
  const std::string target(file);
  const bool isUrl = LooksLikeUrl(target);
  if (!isUrl && !std::filesystem::exists(target)) return kFileNotFound;
  if (Hook()) return Hook()(target) ? kOpened : kNoAssociation;
  const QUrl url = isUrl ? QUrl(QString::fromStdString(target))
                         : QUrl::fromLocalFile(QString::fromStdString(target));
  return QDesktopServices::openUrl(url) ? kOpened : kNoAssociation;
}

void SetShellOpenHookForTesting(ShellOpenHook hook) { Hook() = std::move(hook); }

HWND GetDesktopWindow() { return nullptr; }

void Sleep(DWORD milliseconds) {
  if (const Sleeper& sleeper = CurrentSleeper()) {
    sleeper(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

Sleeper SetSleeperForTesting(Sleeper sleeper) {
  return std::exchange(CurrentSleeper(), std::move(sleeper));
}
